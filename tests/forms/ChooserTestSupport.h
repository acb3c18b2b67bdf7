// Chooser tests: a fixture that picks the back end (a script, a stand-in chooser program first on
// PATH, or none so that our own window serves) and restores the environment afterwards.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "framework/FormTestSupport.h"
#include "support/TempFolder.h"

namespace plexon::test {

class ChooserTest : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        const char* path = std::getenv("PATH");
        savedPath_ = path ? path : "";
        ::unsetenv("PLEXON_CHOOSER_SCRIPT");
        ::setenv("PATH", bin_.Path().c_str(), 1);  // no chooser program unless a test puts one there
    }
    void TearDown() override {
        ::unsetenv("PLEXON_CHOOSER_SCRIPT");
        ::setenv("PATH", savedPath_.c_str(), 1);
        FormTest::TearDown();
    }

    // The scripted chooser answers with these lines, one per run.
    void Script(const std::string& lines) {
        static int scripts = 0;
        const std::string path = bin_.WriteFile("script" + std::to_string(++scripts), lines);
        ::setenv("PLEXON_CHOOSER_SCRIPT", path.c_str(), 1);
    }

    // A stand-in for the desktop's chooser program: prints `answer`, exits with `status` and
    // records its arguments, each followed by a zero byte.
    void FakeProgram(const std::string& name, const std::string& answer, int status = 0) {
        bin_.WriteFile("answer", answer);
        const std::string path =
            bin_.WriteFile(name,
                           "#!/bin/sh\nPATH=/usr/bin:/bin\nhere=$(dirname \"$0\")\nprintf '%s\\0' \"$@\" > "
                           "\"$here/args\"\ncat \"$here/answer\"\nexit " +
                               std::to_string(status) + "\n");
        ::chmod(path.c_str(), 0755);
    }
    void HangingProgram(const std::string& name) {
        const std::string path = bin_.WriteFile(name, "#!/bin/sh\nexec /bin/sleep 600\n");
        ::chmod(path.c_str(), 0755);
    }
    std::vector<std::string> ProgramArguments() const {
        std::ifstream in(bin_ / "args", std::ios::binary);
        std::vector<std::string> args;
        for (std::string arg; std::getline(in, arg, '\0');) args.push_back(arg);
        return args;
    }

  private:
    TempFolder bin_;
    std::string savedPath_;
};

}  // namespace plexon::test
