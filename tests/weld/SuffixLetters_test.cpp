// The suffix letter rule: one letter or digit each, three different.
#include "weld/SuffixLetters.h"

#include <gtest/gtest.h>

namespace plexon {
namespace {

TEST(SuffixLetters, OneLetterOrDigitEachAndThreeDifferent) {
    const struct {
        SuffixSettings letters;
        bool good;
    } cases[] = {
        {{"h", "d", "p"}, true},     {{"H", "h", "7"}, true},   {{"\xD0\x96", "\xC3\xA9", "0"}, true},
        {{"h", "h", "p"}, false},    {{"h", "d", "h"}, false},  {{"", "d", "p"}, false},
        {{" ", "d", "p"}, false},    {{"hh", "d", "p"}, false}, {{"_", "d", "p"}, false},
        {{"\xD0", "d", "p"}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AreSuffixLetters(c.letters), c.good) << c.letters.SuffixHot << c.letters.SuffixDisabled;
}

}  // namespace
}  // namespace plexon
