// What the in-process tests of SVG welds share: the batch command run in a temporary folder with the
// program itself as the SVG helper, and a wait for a condition.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/CommandLine.h"
#include "graphics/SvgHelpers.h"
#include "support/TempFolder.h"

namespace plexon::test {

// Whether the condition came true within ten seconds.
inline bool WaitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 1000; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
        if (condition()) return true;
    return false;
}

class SvgWeldTest : public ::testing::Test {
  protected:
    // This test program is no helper; the program is.
    SvgWeldTest() { SetSvgHelperProgram(PLEXON_BINARY); }

    // `plexon weld -q` into the folder's "out" with no settings file; errors in err.
    int Run(std::vector<std::string> args) {
        std::vector<std::string> all{"weld", "-q", "--config", t_ / "none.ini", "-o", t_ / "out"};
        all.insert(all.end(), args.begin(), args.end());
        err.str("");
        std::ostringstream out;
        Console console{out, err, ProgressDisplay::None};
        return RunCommandLine(all, "test", console);
    }

    TempFolder t_;
    std::ostringstream err;
};

}  // namespace plexon::test
