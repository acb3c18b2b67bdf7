// The one check of the files a command writes: against the files it reads and against each other,
// by identity, whatever spelling, link or mount leads there.
#include "weld/WriteTargets.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "support/TempFolder.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;
using Kind = TargetClash::Kind;

// Each case sets up the folder, names targets and inputs inside it, and expects the first clash or none.
TEST(FindTargetClashes, ByIdentityWhateverLeadsThere) {
    const struct {
        const char* what;
        std::function<void(const TempFolder&)> setUp;
        std::vector<std::string> targets, inputs;
        std::optional<TargetClash> first;
    } cases[] = {
        {"a fresh folder", {}, {"out/Open.bmp", "out/Save.bmp"}, {"icons/Open.bmp"}, std::nullopt},
        {"an unrelated old strip", [](auto& t) { t.WriteFile("out/Open.bmp", "old"); },
         {"out/Open.bmp"}, {"icons/Open.bmp"}, std::nullopt},
        {"the source folder spelled otherwise", {}, {"out/../icons/Open.bmp"}, {"icons/Open.bmp"},
         TargetClash{Kind::OnInput, 0, 0}},
        {"a link to a source", [](auto& t) { fs::create_symlink(t / "icons/Open.bmp", t / "out/A.bmp"); },
         {"out/A.bmp"}, {"icons/Save.bmp", "icons/Open.bmp"}, TargetClash{Kind::OnInput, 0, 1}},
        {"a hard link to a source", [](auto& t) { fs::create_hard_link(t / "icons/Open.bmp", t / "out/A.bmp"); },
         {"out/A.bmp"}, {"icons/Open.bmp"}, TargetClash{Kind::OnInput, 0, 0}},
        {"a source linked to a strip", [](auto& t) {
             t.WriteFile("out/Open.bmp", "old");
             fs::create_symlink(t / "out/Open.bmp", t / "icons/Link.bmp");
         }, {"out/Open.bmp"}, {"icons/Link.bmp"}, TargetClash{Kind::OnInput, 0, 0}},
        {"a folder", [](auto& t) { t.MakeFolder("out/A.bmp"); }, {"out/A.bmp"}, {}, TargetClash{Kind::NotRegular, 0, 0}},
        {"a FIFO through a link", [](auto& t) {
             ::mkfifo((t / "fifo").c_str(), 0600);
             fs::create_symlink(t / "fifo", t / "out/A.bmp");
         }, {"out/A.bmp"}, {}, TargetClash{Kind::NotRegular, 0, 0}},
        {"a device", {}, {"out/A.bmp", "/dev/null"}, {}, TargetClash{Kind::NotRegular, 1, 0}},
        {"a link to a descriptor of a regular file", [](auto& t) {
             const int fd = ::open(t.WriteFile("held", "x").c_str(), O_RDONLY | O_CLOEXEC);  // closed with the process
             fs::create_symlink("/proc/self/fd/" + std::to_string(fd), t / "out/A.bmp");
         }, {"out/A.bmp"}, {}, TargetClash{Kind::NotRegular, 0, 0}},
        {"a name in a descriptor folder", {}, {"/dev/fd/0"}, {}, TargetClash{Kind::NotRegular, 0, 0}},
        {"a link leading nowhere", [](auto& t) { fs::create_symlink(t / "gone", t / "out/A.bmp"); },
         {"out/A.bmp"}, {}, std::nullopt},
        {"a linked folder, the file still to come", [](auto& t) { fs::create_directory_symlink(t / "out", t / "via"); },
         {"out/A.bmp", "out/m.json", "via/A.bmp"}, {}, TargetClash{Kind::OnTarget, 2, 0}},
        {"folders still to be made", [](auto& t) { fs::create_directory_symlink(t / "out", t / "via"); },
         {"out/new/16x16/A.bmp", "via/./new//16x16/A.bmp"}, {}, TargetClash{Kind::OnTarget, 1, 0}},
    };
    for (const auto& c : cases) {
        TempFolder t;
        t.MakeFolder("out");
        t.MakeFolder("icons");
        t.WriteFile("icons/Open.bmp", "o");
        t.WriteFile("icons/Save.bmp", "s");
        if (c.setUp) c.setUp(t);
        const auto inFolder = [&t](std::vector<std::string> paths) {
            for (std::string& path : paths)
                if (!path.starts_with('/')) path = t / path;
            return paths;
        };
        const std::vector<TargetClash> clashes = FindTargetClashes(inFolder(c.targets), inFolder(c.inputs));
        ASSERT_EQ(clashes.empty(), !c.first) << c.what;
        if (!c.first) continue;
        EXPECT_EQ(clashes.front().kind, c.first->kind) << c.what;
        EXPECT_EQ(clashes.front().target, c.first->target) << c.what;
        EXPECT_EQ(clashes.front().other, c.first->other) << c.what;
    }
}

// A bind mount shows one folder or file at two places: enough strips for the folder to be listed,
// since a listing shows what a mount covers instead of the mount.
TEST(FindTargetClashes, BindMountsOfFilesAndFolders) {
    TempFolder t;
    t.MakeFolder("out");
    t.MakeFolder("mirror");
    std::vector<std::string> targets;
    for (int i = 0; i < 70; ++i) targets.push_back(t.WriteFile("out/I" + std::to_string(i) + ".bmp", "old"));
    const std::string source = t.WriteFile("Open.bmp", "o");
    if (::geteuid() != 0 || ::mount(source.c_str(), targets[7].c_str(), nullptr, MS_BIND, nullptr) != 0)
        GTEST_SKIP() << "a bind mount needs the superuser";
    const bool folderMounted =
        ::mount((t / "out").c_str(), (t / "mirror").c_str(), nullptr, MS_BIND, nullptr) == 0;
    targets.push_back(t / "mirror/I3.bmp");
    const std::vector<TargetClash> clashes = FindTargetClashes(targets, std::vector<std::string>{source});
    ::umount(targets[7].c_str());
    if (folderMounted) ::umount((t / "mirror").c_str());
    ASSERT_EQ(clashes.size(), 2u);
    EXPECT_EQ(clashes[0].kind, Kind::OnInput);
    EXPECT_EQ(clashes[0].target, 7u);
    EXPECT_EQ(clashes[1].kind, Kind::OnTarget);
    EXPECT_EQ(clashes[1].other, 3u);
}

}  // namespace
}  // namespace plexon
