// The handle set against std::set through a long run of adds and removes, as handles come and go;
// the set never grows past twice its members, so removals must keep every probe run whole.
#include "platform/gdi/PointerSet.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>

namespace plexon::gdi::detail {
namespace {

TEST(PointerSet, AgreesWithAModelThroughChurn) {
    PointerSet set;
    std::set<const void*> model;
    std::mt19937 random(7);
    // Pointers from a small range collide often and leave long probe runs behind removals.
    auto pointer = [&] { return reinterpret_cast<const void*>(std::uintptr_t(16 * (1 + random() % 3000))); };
    for (int step = 0; step < 200000; ++step) {
        const void* p = pointer();
        if (random() % 3 != 0) {
            set.Insert(p);
            model.insert(p);
        } else {
            set.Erase(p);
            model.erase(p);
        }
        const void* q = pointer();
        ASSERT_EQ(set.Contains(q), model.count(q) != 0) << "step " << step;
    }
    EXPECT_EQ(set.Size(), model.size());
    for (const void* p : model) EXPECT_TRUE(set.Contains(p));
    EXPECT_FALSE(set.Contains(nullptr));
}

}  // namespace
}  // namespace plexon::gdi::detail
