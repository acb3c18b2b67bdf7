// The closing message: whole seconds rounded half to even, and never less than "1 second".
#include "weld/CompletionText.h"

#include <gtest/gtest.h>

namespace plexon {
namespace {

TEST(CompletionText, UpToOneAndAHalfSecondsSaysOneSecond) {
    EXPECT_EQ(CompletionText(0), "Your new images were created in 1 second.");
    EXPECT_EQ(CompletionText(499), "Your new images were created in 1 second.");
    EXPECT_EQ(CompletionText(500), "Your new images were created in 1 second.");
    EXPECT_EQ(CompletionText(1499), "Your new images were created in 1 second.");
}

TEST(CompletionText, HalvesGoToTheEvenSecond) {
    EXPECT_EQ(CompletionText(1500), "Your new images were created in 2 seconds.");
    EXPECT_EQ(CompletionText(2500), "Your new images were created in 2 seconds.");
    EXPECT_EQ(CompletionText(2501), "Your new images were created in 3 seconds.");
    EXPECT_EQ(CompletionText(3500), "Your new images were created in 4 seconds.");
}

TEST(CompletionText, LongestRun) {
    EXPECT_EQ(CompletionText(0xFFFFFFFFu), "Your new images were created in 4294967 seconds.");
}

}  // namespace
}  // namespace plexon
