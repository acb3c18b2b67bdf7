// The settings file's location: the override, beside the executable, then the user's config folder.
#include "weld/SettingsLocation.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "support/TempFolder.h"

namespace plexon {
namespace {

TEST(SettingsFilePath, OverrideWinsWhenNotEmpty) {
    test::TempFolder folder;
    EXPECT_EQ(SettingsFilePath({folder / "plexon", "/elsewhere/my.ini", "/xdg", "/home/u"}),
              "/elsewhere/my.ini");
    EXPECT_EQ(SettingsFilePath({folder / "plexon", "", "/xdg", "/home/u"}), folder / "config.ini");
}

TEST(SettingsFilePath, BesideTheExecutableWhenItsFolderIsWritable) {
    test::TempFolder folder;
    EXPECT_EQ(SettingsFilePath({folder / "plexon", std::nullopt, "/xdg", "/home/u"}), folder / "config.ini");
}

TEST(SettingsFilePath, BesideTheExecutableWhenTheFileIsAlreadyThere) {
    test::TempFolder folder;
    folder.WriteFile("config.ini", "");
    // Without write access only the existing file can keep the choice beside the executable.
    std::filesystem::permissions(folder.Path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(SettingsFilePath({folder / "plexon", std::nullopt, "/xdg", "/home/u"}), folder / "config.ini");
}

TEST(SettingsFilePath, UserConfigFolderWhenTheExecutableFolderCannotTakeIt) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
    test::TempFolder folder;
    std::filesystem::permissions(folder.Path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(SettingsFilePath({folder / "plexon", std::nullopt, "/xdg", "/home/u"}),
              "/xdg/tesvo-plexon/config.ini");
}

TEST(SettingsFilePath, InstalledProgramNeverKeepsItsSettingsBesideItself) {
    // Even where the folder is writable (the superuser) or already holds a config.ini.
    for (const char* program : {"/usr/bin/plexon", "/usr/local/bin/plexon", "/bin/plexon"})
        EXPECT_EQ(SettingsFilePath({program, std::nullopt, "/xdg", "/home/u"}),
                  "/xdg/tesvo-plexon/config.ini")
            << program;
}

TEST(SettingsFilePath, UnknownExecutableFallsBackToXdgThenHome) {
    EXPECT_EQ(SettingsFilePath({std::nullopt, std::nullopt, "/xdg/", "/home/u"}),
              "/xdg/tesvo-plexon/config.ini");
    EXPECT_EQ(SettingsFilePath({std::nullopt, std::nullopt, std::nullopt, "/home/u"}),
              "/home/u/.config/tesvo-plexon/config.ini");
    EXPECT_EQ(SettingsFilePath({std::nullopt, std::nullopt, "relative/xdg", "/home/u/"}),
              "/home/u/.config/tesvo-plexon/config.ini");
}

TEST(SettingsFilePath, MissingExecutableFolderFallsBack) {
    test::TempFolder folder;
    EXPECT_EQ(SettingsFilePath({folder / "gone/plexon", std::nullopt, std::nullopt, "/home/u"}),
              "/home/u/.config/tesvo-plexon/config.ini");
}

// What the function gives in a child process running as an ordinary user: for the superuser no file
// is read-only.
std::string AsOrdinaryUser(const std::function<std::string()>& run) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
        const std::string result = run();
        _exit(write(pipeEnds[1], result.data(), result.size()) == ssize_t(result.size()) ? 0 : 3);
    }
    close(pipeEnds[1]);
    std::string result;
    char buffer[512];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, size_t(got));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "child failed";
}

TEST(SettingsFilePath, AReadOnlyFileBesideTheExecutableGivesWayToTheUsersFile) {
    namespace fs = std::filesystem;
    test::TempFolder folder;
    fs::permissions(folder.Path(), fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write);
    const std::string program = folder.MakeFolder("bin") + "/plexon";
    const std::string beside = folder.WriteFile("bin/config.ini", "[FileSuffix]\nHotFile=b\n");
    const std::string user = folder / "xdg/tesvo-plexon/config.ini";
    const std::string override = folder / "my.ini";
    fs::permissions(beside, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(folder / "bin", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                        fs::perms::group_exec | fs::perms::others_read |
                                        fs::perms::others_exec);
    const auto paths = [&](std::optional<std::string> plexonConfig) {
        return AsOrdinaryUser([&] {
            const SettingsEnvironment environment{program, plexonConfig, folder / "xdg", "/home/u"};
            return SettingsFilePath(environment, SettingsUse::Load) + " " +
                   SettingsFilePath(environment, SettingsUse::Save);
        });
    };
    // Saved to the user's file, loaded from it once it is there.
    EXPECT_EQ(paths(std::nullopt), beside + " " + user);
    EXPECT_EQ(paths(override), override + " " + override);
    folder.MakeFolder("xdg/tesvo-plexon");
    folder.WriteFile("xdg/tesvo-plexon/config.ini", "[FileSuffix]\nHotFile=u\n");
    EXPECT_EQ(paths(std::nullopt), user + " " + user);
    EXPECT_EQ(paths(override), override + " " + override);
}

TEST(CurrentSettingsEnvironment, ReadsTheOverrideAndTheExecutable) {
    setenv("PLEXON_CONFIG", "/tmp/plexon-test.ini", 1);
    const SettingsEnvironment environment = CurrentSettingsEnvironment();
    unsetenv("PLEXON_CONFIG");
    EXPECT_EQ(environment.plexonConfig, std::optional<std::string>("/tmp/plexon-test.ini"));
    ASSERT_TRUE(environment.executablePath.has_value());
    EXPECT_EQ(std::filesystem::path(*environment.executablePath).filename(), "weld_tests");
}

}  // namespace
}  // namespace plexon
