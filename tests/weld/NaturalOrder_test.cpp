// Natural ordering of names: numbers by value, everything else byte by byte, and a total order.
#include "weld/NaturalOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace plexon {
namespace {

TEST(NaturalOrder, NumbersCompareByValue) {
    EXPECT_TRUE(NaturalLess("Icon2", "Icon10"));
    EXPECT_FALSE(NaturalLess("Icon10", "Icon2"));
    EXPECT_TRUE(NaturalLess("a9b", "a10a"));
    EXPECT_TRUE(NaturalLess("v1.9", "v1.10"));
    EXPECT_TRUE(NaturalLess("x99999999999999999999998", "x99999999999999999999999"));
}

TEST(NaturalOrder, TextComparesByteWise) {
    EXPECT_TRUE(NaturalLess("Copy", "Cut"));
    EXPECT_TRUE(NaturalLess("Open", "open"));  // upper case first, as bytes go
    EXPECT_TRUE(NaturalLess("Open", "Open_h"));
    EXPECT_TRUE(NaturalLess("Open", "OpenFolder"));
    EXPECT_TRUE(NaturalLess("", "a"));
}

TEST(NaturalOrder, DigitsAgainstText) {
    EXPECT_TRUE(NaturalLess("Icon", "Icon1"));
    EXPECT_TRUE(NaturalLess("Icon9", "IconA"));  // '9' < 'A'
}

TEST(NaturalOrder, EqualValuesFallBackToBytesSoTheOrderIsTotal) {
    EXPECT_NE(NaturalCompare("a2", "a02"), 0);
    EXPECT_EQ(NaturalCompare("a02", "a2"), -NaturalCompare("a2", "a02"));
    EXPECT_EQ(NaturalCompare("same", "same"), 0);
    EXPECT_EQ(NaturalCompare("a0", "a00"), -NaturalCompare("a00", "a0"));
}

TEST(NaturalOrder, SortsAListLikeAFileManager) {
    std::vector<std::string> names{"Icon10", "Icon2", "Icon1", "Icon", "Icon02", "Icon100", "Arrow3"};
    std::sort(names.begin(), names.end(), NaturalLess);
    EXPECT_EQ(names,
              (std::vector<std::string>{"Arrow3", "Icon", "Icon1", "Icon02", "Icon2", "Icon10", "Icon100"}));
}

}  // namespace
}  // namespace plexon
