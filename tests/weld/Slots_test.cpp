// State count, default slot order and the used-state flags.
#include "weld/Slots.h"

#include <gtest/gtest.h>

namespace plexon {
namespace {

using enum ImageState;

TEST(StateCount, ChooserIndexPlusTwoAndItemTexts) {
    EXPECT_EQ(StateCountOfIndex(0), 2);
    EXPECT_EQ(StateCountOfIndex(kDefaultStateCountIndex), 3);
    EXPECT_EQ(StateCountOfIndex(2), 4);
    EXPECT_EQ(StateCountText(2), "2 state images");
    EXPECT_EQ(StateCountText(3), "3 state images");
    EXPECT_EQ(StateCountText(4), "4 state images");
    EXPECT_FALSE(IsValidStateCount(1));
    EXPECT_FALSE(IsValidStateCount(5));
}

TEST(Slots, DefaultOrderIsNormalHotDisabledPressed) {
    EXPECT_EQ(kDefaultSlotStates, (SlotStates{Normal, Hot, Disabled, Pressed}));
}

TEST(UsedStates, OnlyTheFirstStateCountSlotsCount) {
    EXPECT_EQ(UsedStates(2, kDefaultSlotStates), (StateFlags{true, true, false, false}));
    EXPECT_EQ(UsedStates(3, kDefaultSlotStates), (StateFlags{true, true, true, false}));
    EXPECT_EQ(UsedStates(4, kDefaultSlotStates), (StateFlags{true, true, true, true}));
    EXPECT_EQ(UsedStates(2, SlotStates{Pressed, Disabled, Hot, Normal}),
              (StateFlags{false, false, true, true}));
}

TEST(UsedStates, RepeatedStateIsUsedOnce) {
    EXPECT_EQ(UsedStates(2, SlotStates{Normal, Normal, Hot, Hot}), (StateFlags{true, false, false, false}));
    EXPECT_EQ(UsedStates(4, SlotStates{Hot, Hot, Hot, Hot}), (StateFlags{false, true, false, false}));
}

}  // namespace
}  // namespace plexon
