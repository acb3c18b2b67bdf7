// Child processes: arguments arrive intact without a shell, output comes back byte for byte, exit
// statuses and missing programs are told apart, and a program that hangs or floods is ended.
#include "platform/shell/ChildProcess.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "support/TempFolder.h"

namespace plexon {
namespace {

using test::TempFolder;

std::string Executable(const TempFolder& folder, const std::string& name, const std::string& body) {
    const std::string path = folder.WriteFile(name, "#!/bin/sh\n" + body);
    ::chmod(path.c_str(), 0755);
    return path;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ChildProcess, ArgumentsArriveAsGivenWithoutAShell) {
    TempFolder folder;
    const std::string program =
        Executable(folder, "args", "printf '%s|' \"$@\" > \"$(dirname \"$0\")/seen\"\n");
    const std::vector<std::string> argv{program,      "two words",  "'quoted'", "a|b",
                                        "$(touch x)", "line\nfeed", "\xE9\xFF", "*"};
    const ChildResult result = RunChildProcess({.argv = argv});
    EXPECT_EQ(result.outcome, ChildOutcome::Exited);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(ReadAll(folder / "seen"), "two words|'quoted'|a|b|$(touch x)|line\nfeed|\xE9\xFF|*|");
}

TEST(ChildProcess, OutputComesBackByteForByteWithTheExitStatus) {
    TempFolder folder;
    std::string bytes;
    for (int i = 1; i < 256; ++i) bytes += char(i);
    bytes = bytes + std::string(100000, 'x') + '\0' + "end";
    folder.WriteFile("data", bytes);
    const std::string program = Executable(folder, "cat", "cat \"$(dirname \"$0\")/data\"\nexit 3\n");
    const ChildResult result = RunChildProcess({.argv = {program}});
    EXPECT_EQ(result.outcome, ChildOutcome::Exited);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.output, bytes);
}

TEST(ChildProcess, AMissingProgramFailsToStart) {
    EXPECT_EQ(RunChildProcess({.argv = {"plexon-no-such-program"}}).outcome, ChildOutcome::FailedToStart);
    EXPECT_EQ(RunChildProcess({.argv = {"/nonexistent/plexon"}}).outcome, ChildOutcome::FailedToStart);
    EXPECT_EQ(RunChildProcess({.argv = {}}).outcome, ChildOutcome::FailedToStart);
}

TEST(ChildProcess, AHangingProgramEndsWhenThePollSaysSo) {
    TempFolder folder;
    const std::string program = Executable(folder, "hang", "echo partial\nsleep 600\n");
    int polls = 0;
    const ChildResult result =
        RunChildProcess({.argv = {program}, .keepWaiting = [&] { return ++polls < 10; }});
    EXPECT_EQ(result.outcome, ChildOutcome::Stopped);
    EXPECT_EQ(polls, 10);
}

TEST(ChildProcess, AHelperLeftHoldingTheOutputDoesNotKeepUsWaiting) {
    TempFolder folder;
    const std::string program = Executable(folder, "leave", "sleep 600 &\necho /tmp/a.bmp\n");
    // Without the end of the program being noticed, the pipe stays open and the poll would stop it.
    int polls = 0;
    const ChildResult result =
        RunChildProcess({.argv = {program}, .keepWaiting = [&] { return ++polls < 500; }});
    EXPECT_EQ(result.outcome, ChildOutcome::Exited);
    EXPECT_EQ(result.output, "/tmp/a.bmp\n");
    EXPECT_LT(polls, 500);
}

TEST(ChildProcess, AFloodOfOutputIsCutOff) {
    TempFolder folder;
    const std::string program = Executable(folder, "flood", "yes garbage\n");
    const ChildResult result = RunChildProcess({.argv = {program}, .outputLimit = 10000});
    EXPECT_EQ(result.outcome, ChildOutcome::Stopped);
    EXPECT_GT(result.output.size(), 10000u);
}

TEST(ChildProcess, FindProgramLooksOnPathForExecutableFiles) {
    TempFolder folder;
    Executable(folder, "plexon-helper", "exit 0\n");
    folder.WriteFile("plexon-plain", "not executable");
    const char* old = std::getenv("PATH");
    const std::string saved = old ? old : "";
    ::setenv("PATH", ("/nonexistent:" + folder.Path() + ":/usr/bin").c_str(), 1);
    EXPECT_EQ(FindProgram("plexon-helper"), folder.Path() + "/plexon-helper");
    EXPECT_EQ(FindProgram("plexon-plain"), "");
    EXPECT_EQ(FindProgram("plexon-missing"), "");
    EXPECT_EQ(FindProgram("../plexon-helper"), "");
    EXPECT_EQ(FindProgram(""), "");
    ::setenv("PATH", saved.c_str(), 1);
}

}  // namespace
}  // namespace plexon
