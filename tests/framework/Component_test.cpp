// Ownership and names of components, and the string list.
#include <gtest/gtest.h>

#include "framework/Component.h"
#include "framework/FrameworkErrors.h"
#include "framework/StringList.h"

namespace plexon::test {
namespace {

class Tracked : public TComponent {
  public:
    Tracked(TComponent* owner, std::vector<std::string>& log, std::string tag)
        : TComponent(owner), log_(log), tag_(std::move(tag)) {}
    ~Tracked() override { log_.push_back(tag_); }

  private:
    std::vector<std::string>& log_;
    std::string tag_;
};

TEST(Component, TheOwnerFreesWhatItOwnsNewestFirst) {
    std::vector<std::string> freed;
    auto* owner = new Tracked(nullptr, freed, "owner");
    new Tracked(owner, freed, "first");
    auto* second = new Tracked(owner, freed, "second");
    new Tracked(second, freed, "grandchild");
    EXPECT_EQ(owner->ComponentCount(), 2);
    delete owner;
    // Each destructor body runs before its own components go.
    EXPECT_EQ(freed, (std::vector<std::string>{"owner", "second", "grandchild", "first"}));
}

TEST(Component, AFreedComponentLeavesItsOwner) {
    std::vector<std::string> freed;
    TComponent owner(nullptr);
    auto* child = new Tracked(&owner, freed, "child");
    child->SetName("child");
    EXPECT_EQ(owner.FindComponent("child"), child);
    delete child;
    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(owner.FindComponent("child"), nullptr);
}

TEST(Component, SiblingNamesAreUnique) {
    TComponent owner(nullptr);
    auto* a = new TComponent(&owner);
    auto* b = new TComponent(&owner);
    a->SetName("btnOK");
    try {
        b->SetName("btnOK");
        FAIL() << "duplicate name accepted";
    } catch (const EComponentError& e) {
        EXPECT_EQ(e.Message(), "A component named btnOK already exists");
    }
    b->SetName("btnCancel");
    EXPECT_EQ(owner.FindComponent("btnCancel"), b);
}

TEST(StringList, KeepsOrderAndComparesExactly) {
    TStringList list;
    list.Add("b.bmp");
    list.Add("A.bmp");
    list.Insert(0, "a.bmp");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], "a.bmp");
    EXPECT_EQ(list.IndexOf("A.bmp"), 2);
    EXPECT_EQ(list.IndexOf("B.bmp"), -1);
    EXPECT_EQ(list.Text(), "a.bmp\r\nb.bmp\r\nA.bmp\r\n");
    list.Delete(1);
    EXPECT_EQ(list[1], "A.bmp");
}

TEST(StringList, RefusesIndexesOutsideTheList) {
    TStringList list;
    list.Add("x");
    try {
        (void)list[1];
        FAIL() << "index 1 accepted";
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (1)");
    }
    EXPECT_THROW(list.Delete(-1), EStringListError);
    EXPECT_THROW(list.Insert(3, "y"), EStringListError);
}

TEST(StringList, AnUpdateBracketAnnouncesOneChange) {
    TStringList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.BeginUpdate();
    for (int i = 0; i < 12; ++i) list.Add(std::to_string(i));
    list.Clear();
    list.Add("last");
    EXPECT_EQ(changes, 0);
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
    list.Add("more");
    EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace plexon::test
