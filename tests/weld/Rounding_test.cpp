// Integer rounding of quotients, halves to the even neighbour.
#include "weld/Rounding.h"

#include <gtest/gtest.h>

namespace plexon {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(100, 8), 12);  // 12.5
    EXPECT_EQ(RoundHalfEven(300, 8), 38);  // 37.5
    EXPECT_EQ(RoundHalfEven(1, 2), 0);
    EXPECT_EQ(RoundHalfEven(3, 2), 2);
}

TEST(RoundHalfEven, OtherValuesGoToTheNearest) {
    EXPECT_EQ(RoundHalfEven(0, 7), 0);
    EXPECT_EQ(RoundHalfEven(499, 1000), 0);
    EXPECT_EQ(RoundHalfEven(501, 1000), 1);
    EXPECT_EQ(RoundHalfEven(200, 3), 67);  // 66.67
    EXPECT_EQ(RoundHalfEven(100, 3), 33);  // 33.33
    EXPECT_EQ(RoundHalfEven(42, 1), 42);
}

}  // namespace
}  // namespace plexon
