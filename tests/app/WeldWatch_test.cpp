// A watch session of the real program in a temporary folder: editor-style saves, a new icon and a
// broken source are welded (or named) while it runs, the manifest follows, SIGINT ends it with 0.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "support/BmpFiles.h"
#include "support/TempFolder.h"

extern char** environ;

namespace plexon {
namespace {

std::string Text(const std::string& path) {
    const std::vector<std::uint8_t> bytes = test::ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

// Waits up to ten seconds for the condition; a watch that never acts fails here, not by hanging.
bool Eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 1000; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(10)))
        if (condition()) return true;
    return false;
}

// The program with its output and errors in the folder's files "stdout" and "stderr".
pid_t Spawn(const std::vector<std::string>& args, const test::TempFolder& t) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, (t / "stdout").c_str(), O_WRONLY | O_CREAT, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, (t / "stderr").c_str(), O_WRONLY | O_CREAT, 0644);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

TEST(WeldWatch, WeldsChangedAndNewIconsUntilInterrupted) {
    test::TempFolder t;
    std::filesystem::create_directory(t / "icons");
    test::WriteSolidBmp24(t / "icons/Open.bmp", 8, 8, {200, 0, 0});
    test::WriteSolidBmp24(t / "icons/Open_h.bmp", 8, 8, {0, 200, 0});
    const std::vector<std::string> args = {PLEXON_BINARY, "weld",         "-n",      "2",
                                           "--config",    t / "none.ini", "-o",      t / "out",
                                           "--manifest",  t / "m.json",   "--watch", t / "icons"};
    const pid_t pid = Spawn(args, t);
    ASSERT_GT(pid, 0);
    const auto slot = [&](const char* strip, int x) {
        const std::optional<test::Picture> picture = test::ReadBmp(t / strip);
        return picture ? picture->At(x, 0) : test::Rgb{};
    };
    ASSERT_TRUE(Eventually([&] { return Text(t / "stderr").find("watching 1 folder") != std::string::npos; }))
        << Text(t / "stderr");

    // Saved as editors do: a new file renamed over the old one.
    test::WriteSolidBmp24(t / "icons/.Open_h.bmp.swp", 8, 8, {0, 0, 200});
    std::filesystem::rename(t / "icons/.Open_h.bmp.swp", t / "icons/Open_h.bmp");
    EXPECT_TRUE(Eventually([&] { return slot("out/Open.bmp", 8) == test::Rgb{0, 0, 200}; }));
    test::WriteSolidBmp24(t / "icons/New.bmp", 8, 8, {1, 2, 3});
    EXPECT_TRUE(Eventually([&] { return slot("out/New.bmp", 0) == test::Rgb{1, 2, 3}; }));
    t.WriteFile("icons/Bad.bmp", "not an image");
    EXPECT_TRUE(Eventually([&] { return Text(t / "stderr").find("Bad.bmp: ") != std::string::npos; }));
    EXPECT_TRUE(Eventually([&] { return Text(t / "m.json").find("New.bmp") != std::string::npos; }));

    kill(pid, SIGINT);
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(Text(t / "stdout").find("Your new images were created in"), 0u);
    for (const char* line : {"/out/Open.bmp\n", "/out/New.bmp\n"})
        EXPECT_NE(Text(t / "stdout").find(line), std::string::npos) << Text(t / "stdout");
    EXPECT_EQ(Text(t / "m.json").find("Bad.bmp"), std::string::npos) << Text(t / "m.json");
    EXPECT_NE(Text(t / "stderr").find("still watching"), std::string::npos) << Text(t / "stderr");
}

// A watch whose only folder is moved away ends, saying so, with status 1.
TEST(WeldWatch, EndsWhenItsFolderIsGone) {
    test::TempFolder t;
    std::filesystem::create_directory(t / "icons");
    test::WriteSolidBmp24(t / "icons/Open.bmp", 8, 8, {200, 0, 0});
    const pid_t pid = Spawn(
        {PLEXON_BINARY, "weld", "--config", t / "none.ini", "-o", t / "out", "--watch", t / "icons"}, t);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(
        Eventually([&] { return Text(t / "stderr").find("watching 1 folder") != std::string::npos; }));
    std::filesystem::rename(t / "icons", t / "moved");
    int status = -1;
    const bool ended = Eventually([&] { return waitpid(pid, &status, WNOHANG) == pid; });
    if (!ended) kill(pid, SIGKILL), waitpid(pid, &status, 0);
    ASSERT_TRUE(ended) << Text(t / "stderr");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_NE(Text(t / "stderr").find("icons/: the folder is gone; the watch ends\n"), std::string::npos);
}

// With the output folder among the watched sources, a source copied into it is never replaced by its
// strip: the re-weld is refused as the first weld would be, naming the icon, and the watch goes on.
TEST(WeldWatch, NeverWeldsOverASourceInItsOutputFolder) {
    test::TempFolder t;
    std::filesystem::create_directory(t / "icons");
    std::filesystem::create_directory(t / "out");
    test::WriteSolidBmp24(t / "icons/Open.bmp", 8, 8, {200, 0, 0});
    test::WriteSolidBmp24(t / "icons/Save.bmp", 8, 8, {0, 0, 200});
    const pid_t pid = Spawn({PLEXON_BINARY, "weld", "--config", t / "none.ini", "-o", t / "out", "--watch",
                             t / "icons", t / "out"},
                            t);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(Eventually([&] { return Text(t / "stderr").find("watching 2 folders") != std::string::npos; }))
        << Text(t / "stderr");
    std::filesystem::copy_file(t / "icons/Save.bmp", t / "out/.copy");
    std::filesystem::rename(t / "out/.copy", t / "out/Copy.bmp");
    const std::string refusal = "out/Copy.bmp would overwrite the source file " + t / "out/Copy.bmp" +
                                "; Copy was not welded, still watching\n";
    EXPECT_TRUE(Eventually([&] { return Text(t / "stderr").find(refusal) != std::string::npos; }))
        << Text(t / "stderr");
    kill(pid, SIGINT);
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(test::ReadBytes(t / "out/Copy.bmp"), test::ReadBytes(t / "icons/Save.bmp"));
}

}  // namespace
}  // namespace plexon
