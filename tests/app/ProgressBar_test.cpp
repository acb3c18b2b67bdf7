// The terminal progress bar: drawing in place, only on change, and ending its line.
#include "app/ProgressBar.h"

#include <gtest/gtest.h>

#include <sstream>

namespace plexon {
namespace {

TEST(TerminalProgressBar, DrawsBarAndPercentInPlace) {
    std::ostringstream out;
    {
        TerminalProgressBar bar(out, 10);
        bar.Show(0);
        bar.Show(50);
        bar.Show(100);
    }
    EXPECT_EQ(out.str(), "\r[          ]   0%\r[#####     ]  50%\r[##########] 100%\n");
}

TEST(TerminalProgressBar, SkipsRepeatedPositions) {
    std::ostringstream out;
    {
        TerminalProgressBar bar(out, 4);
        bar.Show(12);
        bar.Show(12);
    }
    EXPECT_EQ(out.str(), "\r[    ]  12%\n");
}

TEST(TerminalProgressBar, WritesNothingWhenNeverShown) {
    std::ostringstream out;
    { TerminalProgressBar bar(out); }
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace plexon
