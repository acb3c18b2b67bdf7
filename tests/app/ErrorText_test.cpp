// The error display's full-stop rule.
#include "app/ErrorText.h"

#include <gtest/gtest.h>

namespace plexon {
namespace {

TEST(ErrorDisplayText, AddsAFullStopAfterLettersAndDigits) {
    EXPECT_EQ(ErrorDisplayText("Bitmap image is not valid"), "Bitmap image is not valid.");
    EXPECT_EQ(ErrorDisplayText("Cannot open file /a/b.bmp"), "Cannot open file /a/b.bmp.");
    EXPECT_EQ(ErrorDisplayText("Code: 5"), "Code: 5.");
    EXPECT_EQ(ErrorDisplayText("end/"), "end/.");  // "/" sorts after "."
}

TEST(ErrorDisplayText, LeavesMessagesEndingAtOrBeforeTheFullStop) {
    EXPECT_EQ(ErrorDisplayText("Done."), "Done.");
    EXPECT_EQ(ErrorDisplayText("Really!"), "Really!");
    EXPECT_EQ(ErrorDisplayText("(see above)"), "(see above)");
    EXPECT_EQ(ErrorDisplayText("a-"), "a-");
    EXPECT_EQ(ErrorDisplayText(""), "");
}

TEST(ErrorDisplayText, TreatsHighBytesAsSortingAfter) {
    EXPECT_EQ(ErrorDisplayText("caf\xe9"), "caf\xe9.");
}

}  // namespace
}  // namespace plexon
