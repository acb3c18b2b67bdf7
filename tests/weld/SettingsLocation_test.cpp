// The settings file's location: the override, beside the executable, then the user's config folder.
#include "weld/SettingsLocation.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

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
