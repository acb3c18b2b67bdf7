// Image states: fixed numbering (the slot choosers' item indexes) and display texts.
#include "weld/ImageState.h"

#include <gtest/gtest.h>

namespace plexon {
namespace {

TEST(ImageState, ValuesAreTheChooserItemIndexes) {
    EXPECT_EQ(IndexOf(ImageState::Normal), 0);
    EXPECT_EQ(IndexOf(ImageState::Hot), 1);
    EXPECT_EQ(IndexOf(ImageState::Disabled), 2);
    EXPECT_EQ(IndexOf(ImageState::Pressed), 3);
    for (int index = 0; index < kImageStateCount; ++index)
        EXPECT_EQ(IndexOf(ImageStateOfIndex(index)), index);
}

TEST(ImageState, DisplayTexts) {
    EXPECT_EQ(DisplayText(ImageState::Normal), "Normal");
    EXPECT_EQ(DisplayText(ImageState::Hot), "Hot");
    EXPECT_EQ(DisplayText(ImageState::Disabled), "Disabled");
    EXPECT_EQ(DisplayText(ImageState::Pressed), "Pressed");
}

}  // namespace
}  // namespace plexon
