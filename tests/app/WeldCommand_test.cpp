// The batch weld run in process: strips and their slots, the refusals before anything is written,
// the warning for a returning icon, quiet mode, settings, errors and repeatable output.
#include "app/WeldCommand.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>

#include "runtime/FolderLock.h"
#include "support/BmpFiles.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;
using test::ReadBmp;
using test::ReadBytes;
using test::Rgb;
using test::TempFolder;
using test::WriteSolidBmp24;

// One colour per icon and state, so every slot of a strip can be told apart.
Rgb ColorOf(int icon, ImageState state) {
    return {std::uint8_t(40 + 50 * IndexOf(state)), std::uint8_t(10 + 30 * icon),
            std::uint8_t(255 - 60 * IndexOf(state))};
}

constexpr const char* kSuffixes[] = {"", "_h", "_d", "_p"};

class WeldCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        icons_ = t_.MakeFolder("icons");
        out_ = t_.MakeFolder("out");
        config_ = t_ / "missing.ini";
    }

    // Icons named name0, name1, ... with all four states, each state image size x size.
    void MakeIcons(const std::vector<std::string>& names, int size = 7) {
        for (std::size_t i = 0; i < names.size(); ++i)
            for (ImageState s : kImageStates)
                WriteSolidBmp24(icons_ + "/" + names[i] + kSuffixes[IndexOf(s)] + ".bmp", size, size,
                                ColorOf(int(i), s));
    }

    BatchOptions Options(std::initializer_list<std::string> sources) {
        BatchOptions o;
        o.outputFolder = out_;
        o.configFile = config_;
        o.sources = sources;
        return o;
    }

    int Run(const BatchOptions& o, ProgressDisplay progress = ProgressDisplay::None) {
        out.str("");
        err.str("");
        Console console{out, err, progress};
        return RunWeldCommand(o, console);
    }

    std::size_t OutputCount() const {
        return std::size_t(std::distance(fs::directory_iterator(out_), fs::directory_iterator()));
    }

    void ExpectSlots(const std::string& strip, int icon, std::initializer_list<ImageState> slots,
                     int size = 7) {
        test::Picture p = ReadBmp(strip).value();
        ASSERT_EQ(p.width, size * int(slots.size()));
        ASSERT_EQ(p.height, size);
        int k = 0;
        for (ImageState s : slots) {
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    ASSERT_EQ(p.At(k * size + x, y), ColorOf(icon, s)) << strip << " slot " << k;
            ++k;
        }
    }

    TempFolder t_;
    std::string icons_, out_, config_;
    std::ostringstream out, err;
};

TEST_F(WeldCommandTest, WeldsAFolderIntoOneStripPerIcon) {
    MakeIcons({"Icon10", "Icon2"});
    ASSERT_EQ(Run(Options({icons_})), 0) << err.str();
    EXPECT_EQ(out.str(), "Your new images were created in 1 second.\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(OutputCount(), 2u);
    ExpectSlots(out_ + "/Icon10.bmp", 0, {ImageState::Normal, ImageState::Hot, ImageState::Disabled});
    ExpectSlots(out_ + "/Icon2.bmp", 1, {ImageState::Normal, ImageState::Hot, ImageState::Disabled});
}

TEST_F(WeldCommandTest, FollowsTheStateCountAndSlotOrder) {
    MakeIcons({"Open"});
    BatchOptions o = Options({icons_});
    o.stateCount = 4;
    o.slotStates = {ImageState::Pressed, ImageState::Normal, ImageState::Pressed, ImageState::Hot};
    ASSERT_EQ(Run(o), 0) << err.str();
    ExpectSlots(out_ + "/Open.bmp", 0,
                {ImageState::Pressed, ImageState::Normal, ImageState::Pressed, ImageState::Hot});
    o.stateCount = 2;
    o.slotStates = {ImageState::Hot, ImageState::Normal, ImageState::Normal, ImageState::Normal};
    ASSERT_EQ(Run(o), 0) << err.str();
    ExpectSlots(out_ + "/Open.bmp", 0, {ImageState::Hot, ImageState::Normal});
}

TEST_F(WeldCommandTest, ImageSizeIsTheFirstFilesWidthWhateverItsState) {
    WriteSolidBmp24(icons_ + "/Go_h.bmp", 5, 5, ColorOf(0, ImageState::Hot));
    WriteSolidBmp24(icons_ + "/Go.bmp", 9, 9, ColorOf(0, ImageState::Normal));
    BatchOptions o = Options({icons_ + "/Go_h.bmp", icons_ + "/Go.bmp"});
    o.stateCount = 2;
    ASSERT_EQ(Run(o), 0) << err.str();
    test::Picture p = ReadBmp(out_ + "/Go.bmp").value();
    EXPECT_EQ(p.width, 10);
    EXPECT_EQ(p.height, 5);
    EXPECT_EQ(p.At(0, 0), ColorOf(0, ImageState::Normal));
    EXPECT_EQ(p.At(5, 0), ColorOf(0, ImageState::Hot));
}

TEST_F(WeldCommandTest, TheSameInputGivesByteIdenticalOutput) {
    MakeIcons({"A", "B", "C"}, 11);
    ASSERT_EQ(Run(Options({icons_})), 0);
    std::string second = t_.MakeFolder("out2");
    BatchOptions o = Options({icons_});
    o.outputFolder = second;
    ASSERT_EQ(Run(o), 0);
    for (const char* name : {"/A.bmp", "/B.bmp", "/C.bmp"})
        EXPECT_EQ(ReadBytes(out_ + name), ReadBytes(second + name));
}

TEST_F(WeldCommandTest, QuietShowsNeitherProgressNorCompletion) {
    MakeIcons({"A", "B"});
    BatchOptions o = Options({icons_});
    o.verbosity = Verbosity::Quiet;
    ASSERT_EQ(Run(o, ProgressDisplay::Bar), 0);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(OutputCount(), 2u);
}

TEST_F(WeldCommandTest, ShowsAProgressBarOnATerminal) {
    MakeIcons({"A"});
    ASSERT_EQ(Run(Options({icons_}), ProgressDisplay::Bar), 0);
    EXPECT_NE(err.str().find("  0%"), std::string::npos);
    EXPECT_NE(err.str().find("100%\n"), std::string::npos);
    EXPECT_EQ(out.str(), "Your new images were created in 1 second.\n");
}

TEST_F(WeldCommandTest, RefusesWhenThereIsNothingToJoin) {
    EXPECT_EQ(Run(Options({icons_})), 1);
    EXPECT_EQ(err.str(), "plexon: Please select some images to join.\n");
    EXPECT_EQ(out.str(), "");
}

TEST_F(WeldCommandTest, RefusesTheSourceFolderUnderAnySpelling) {
    MakeIcons({"A"});
    const std::vector<std::uint8_t> before = ReadBytes(icons_ + "/A.bmp");
    fs::create_directory_symlink(icons_, t_ / "alias");
    for (const std::string& folder : {icons_, icons_ + "/", out_ + "/../icons/", t_ / "alias"}) {
        BatchOptions o = Options({icons_});
        o.outputFolder = folder;
        EXPECT_EQ(Run(o), 1) << folder;
        EXPECT_EQ(err.str(), "plexon: " + folder +
                                 ": You cannot create the images in the same folder as the source images.\n");
    }
    EXPECT_EQ(ReadBytes(icons_ + "/A.bmp"), before);
}

TEST_F(WeldCommandTest, RefusesToOverwriteASourceFileBeforeWritingAnything) {
    MakeIcons({"A"});
    WriteSolidBmp24(out_ + "/B.bmp", 7, 7, ColorOf(1, ImageState::Normal));
    std::vector<std::uint8_t> before = ReadBytes(out_ + "/B.bmp");
    EXPECT_EQ(Run(Options({icons_, out_ + "/B.bmp"})), 1);
    EXPECT_EQ(err.str(), "plexon: " + out_ + "/B.bmp: The strip " + out_ +
                             "/B.bmp would overwrite the source file " + out_ + "/B.bmp.\n");
    EXPECT_EQ(OutputCount(), 1u);  // A.bmp was not written either
    EXPECT_EQ(ReadBytes(out_ + "/B.bmp"), before);
}

TEST_F(WeldCommandTest, RefusesAnEmptyFirstFileBeforeWritingAnything) {
    MakeIcons({"A"});
    const std::string empty = icons_ + "/0.bmp";
    std::ofstream(empty).close();
    EXPECT_EQ(Run(Options({empty, icons_ + "/A.bmp"})), 1);
    EXPECT_EQ(err.str(), "plexon: " + empty + ": The first image " + empty +
                             " has no pixels; it sets the slot size, so every strip would be empty.\n");
    EXPECT_EQ(OutputCount(), 0u);
}

// A shell glob lists Arrow10 between Arrow and Arrow_d: each icon still gets its own files. What an
// icon lacks, or has twice, is said once per icon, and only for the states the strip shows.
TEST_F(WeldCommandTest, GroupsInterleavedIconsAndWarnsOfMissingAndDoubleStates) {
    MakeIcons({"Arrow", "Arrow10"});
    fs::remove(icons_ + "/Arrow_h.bmp");
    fs::remove(icons_ + "/Arrow10_p.bmp");
    const std::string other = t_.MakeFolder("more") + "/Arrow10_d.bmp";
    WriteSolidBmp24(other, 7, 7, ColorOf(5, ImageState::Disabled));
    BatchOptions o =
        Options({icons_ + "/Arrow.bmp", icons_ + "/Arrow10.bmp", icons_ + "/Arrow10_d.bmp",
                 icons_ + "/Arrow10_h.bmp", other, icons_ + "/Arrow_d.bmp", icons_ + "/Arrow.bmp"});
    ASSERT_EQ(Run(o), 0) << err.str();
    EXPECT_EQ(err.str(),
              "plexon: warning: Arrow has no Hot image; its slot is blank\n"
              "plexon: warning: Arrow10 has two Disabled images, " +
                  icons_ + "/Arrow10_d.bmp and " + other + "; " + other + " is used\n");
    const test::Picture arrow = ReadBmp(out_ + "/Arrow.bmp").value(),
                        arrow10 = ReadBmp(out_ + "/Arrow10.bmp").value();
    const Rgb white{255, 255, 255};
    const std::pair<Rgb, Rgb> slots[] = {{arrow.At(0, 0), ColorOf(0, ImageState::Normal)},
                                         {arrow.At(10, 3), white},
                                         {arrow.At(20, 6), ColorOf(0, ImageState::Disabled)},
                                         {arrow10.At(0, 0), ColorOf(1, ImageState::Normal)},
                                         {arrow10.At(7, 0), ColorOf(1, ImageState::Hot)},
                                         {arrow10.At(14, 0), ColorOf(5, ImageState::Disabled)}};
    for (const auto& [got, want] : slots) EXPECT_EQ(got, want);
}

// Of the main window's choices the batch takes only the strip format, and --format wins over it.
TEST_F(WeldCommandTest, ReadsSuffixLettersAndStripFormatFromTheSettingsFileAndTheCommandLine) {
    WriteSolidBmp24(icons_ + "/Go.bmp", 7, 7, ColorOf(0, ImageState::Normal));
    WriteSolidBmp24(icons_ + "/Go_x.bmp", 7, 7, ColorOf(0, ImageState::Hot));
    const std::string before =
        "[FileSuffix]\nHotFile=x\n[Weld]\nStateCount=4\nOrder=Hot,Hot,Hot,Hot\nStripFormat=png\n";
    t_.WriteFile("letters.ini", before);
    BatchOptions o = Options({icons_});
    o.stateCount = 2;
    o.configFile = t_ / "letters.ini";
    ASSERT_EQ(Run(o), 0) << err.str();
    EXPECT_TRUE(fs::exists(out_ + "/Go.png"));
    o.format = StripFormat::Bmp;
    ASSERT_EQ(Run(o), 0) << err.str();
    ExpectSlots(out_ + "/Go.bmp", 0, {ImageState::Normal, ImageState::Hot});
    EXPECT_FALSE(fs::exists(out_ + "/Go_x.bmp"));
    o.format.reset();
    o.configFile = t_.WriteFile("odd.ini", "[Weld]\nStripFormat=tiff\n");
    fs::remove(out_ + "/Go.bmp");
    ASSERT_EQ(Run(o), 0) << err.str();
    EXPECT_TRUE(err.str().starts_with("plexon: " + t_ / "odd.ini" +
                                      ": warning: unknown StripFormat \"tiff\"; using bmp\n"))
        << err.str();
    EXPECT_TRUE(fs::exists(out_ + "/Go.bmp"));
    o.configFile = t_ / "letters.ini";

    o.suffixHot = "h";  // the command line wins: Go_x is an icon of its own now
    ASSERT_EQ(Run(o), 0) << err.str();
    EXPECT_TRUE(fs::exists(out_ + "/Go_x.bmp"));
    o.suffixHot = "d";  // the file's Disabled letter: a usage error
    EXPECT_EQ(Run(o), 2);
    EXPECT_TRUE(
        err.str().starts_with("plexon: The Hot, Disabled and Pressed letters must be three different"))
        << err.str();
    EXPECT_EQ(ReadBytes(t_ / "letters.ini"), std::vector<std::uint8_t>(before.begin(), before.end()));

    // Letters the program would not choose are used as read, with a warning for each key not given here.
    o.configFile = t_.WriteFile("bad.ini", "[FileSuffix]\nHotFile=hh\nDisabledFile=\n");
    o.suffixHot.reset();
    ASSERT_EQ(Run(o), 0) << err.str();
    const std::string warning = "plexon: warning: " + t_ / "bad.ini" + ": ";
    EXPECT_TRUE(err.str().starts_with(warning + "HotFile=hh is not one letter or digit; no file will count as Hot.\n" +
                                      warning + "DisabledFile is empty; no file will count as Disabled.\n"))
        << err.str();
    o.suffixHot = "x";
    ASSERT_EQ(Run(o), 0) << err.str();
    EXPECT_TRUE(err.str().starts_with(warning + "DisabledFile is empty")) << err.str();
}

TEST_F(WeldCommandTest, FindsTheSettingsThroughPlexonConfigAndNeverWritesThem) {
    WriteSolidBmp24(icons_ + "/Go.bmp", 7, 7, ColorOf(0, ImageState::Normal));
    WriteSolidBmp24(icons_ + "/Go_y.bmp", 7, 7, ColorOf(0, ImageState::Hot));
    t_.WriteFile("env.ini", "[FileSuffix]\nHotFile=y\n");
    ::setenv("PLEXON_CONFIG", (t_ / "env.ini").c_str(), 1);
    BatchOptions o = Options({icons_});
    o.configFile.reset();
    o.stateCount = 2;
    int status = Run(o);
    ::setenv("PLEXON_CONFIG", (t_ / "absent.ini").c_str(), 1);
    BatchOptions defaults = o;
    defaults.outputFolder = t_.MakeFolder("out2");
    int defaultStatus = Run(defaults);
    ::unsetenv("PLEXON_CONFIG");
    ASSERT_EQ(status, 0);
    ExpectSlots(out_ + "/Go.bmp", 0, {ImageState::Normal, ImageState::Hot});
    ASSERT_EQ(defaultStatus, 0);
    EXPECT_TRUE(fs::exists(t_ / "out2/Go_y.bmp"));
    EXPECT_FALSE(fs::exists(t_ / "absent.ini"));
}

// Errors name the file they concern, wherever in the command they happen; a source shorter than its
// header says loads with a warning naming it.
TEST_F(WeldCommandTest, ErrorsAndWarningsNameTheirFile) {
    MakeIcons({"A", "B", "C"});
    const std::vector<std::uint8_t> whole = ReadBytes(icons_ + "/B_h.bmp");
    const std::string shortened(whole.begin(), whole.end() - 30);
    struct Case {
        std::vector<std::string> sources;
        std::string badFile, content;
        int status;
        std::string err;
        std::string output = {};  // the test's own folder when empty
    } cases[] = {
        {{icons_},
         "C_d.bmp",
         "not a bitmap at all",
         1,
         "plexon: " + icons_ + "/C_d.bmp: not a BMP or PNG image\n"},
        {{icons_}, "C.bmp", "BM", 1, "plexon: " + icons_ + "/C.bmp: not a BMP or PNG image\n"},
        {{icons_ + "/A.bmp", icons_ + "/A_q.bmp"},
         "",
         "",
         1,
         "plexon: " + icons_ + "/A_q.bmp: No such file or directory\n"},
        {{t_ / "gone", icons_},
         "",
         "",
         1,
         "plexon: " + t_ / "gone" + ": No such file or directory\n",
         t_ / "new/never"},
        {{icons_}, "", "", 1, "plexon: " + t_ / "notes" + ": not a folder\n", t_.WriteFile("notes")},
        {{icons_}, "", "", 0, "", t_ / "new/deeper"},
        {{icons_},
         "B_h.bmp",
         shortened,
         0,
         "plexon: " + icons_ +
             "/B_h.bmp: warning: the file is shorter than its header says; its missing pixels are black\n"},
    };
    for (const Case& c : cases) {
        MakeIcons({"A", "B", "C"});
        if (!c.badFile.empty()) t_.WriteFile("icons/" + c.badFile, c.content);
        BatchOptions o = Options({});
        o.sources = c.sources;
        o.verbosity = Verbosity::Quiet;
        if (!c.output.empty()) o.outputFolder = c.output;
        EXPECT_EQ(Run(o), c.status) << c.err;
        // A missing output folder is made only for a run that passed its checks.
        if (!c.output.empty()) {
            EXPECT_EQ(fs::exists(c.output + "/A.bmp"), c.status == 0) << c.output;
        }
        EXPECT_EQ(err.str(), c.err);
        EXPECT_EQ(out.str(), "");
    }
}

// With --keep-going a source that cannot be read costs its icon only; the run still fails.
TEST_F(WeldCommandTest, KeepGoingSkipsTheIconOfAnUnreadableSource) {
    MakeIcons({"A", "B", "C"});
    t_.WriteFile("out/B.bmp", "an earlier strip");
    t_.WriteFile("icons/B_h.bmp", "not a bitmap at all");
    BatchOptions o = Options({icons_});
    o.keepGoing = true;
    o.existingStrips = ExistingStrips::Replace;
    EXPECT_EQ(Run(o), 1);
    EXPECT_EQ(err.str(),
              "plexon: 1 icon skipped (B: B_h.bmp: not a BMP or PNG image); its earlier strip, if any, "
              "was left as it was\n");
    ExpectSlots(out_ + "/C.bmp", 2, {ImageState::Normal, ImageState::Hot, ImageState::Disabled});
    EXPECT_EQ(ReadBytes(out_ + "/B.bmp"),
              std::vector<std::uint8_t>(
                  {'a', 'n', ' ', 'e', 'a', 'r', 'l', 'i', 'e', 'r', ' ', 's', 't', 'r', 'i', 'p'}));
}

// A second run replaces every strip whole in every format: a reader that opened a strip before
// keeps the old bytes (a write in place would change them), the path gives the new ones.
TEST_F(WeldCommandTest, ARerunReplacesStripsWithoutWritingInPlace) {
    for (StripFormat format : {StripFormat::Bmp, StripFormat::Png, StripFormat::BmpAlpha}) {
        MakeIcons({"A"});
        BatchOptions o = Options({icons_});
        o.format = format;
        ASSERT_EQ(Run(o), 0) << err.str();
        const std::string strip = out_ + (format == StripFormat::Png ? "/A.png" : "/A.bmp");
        const std::vector<std::uint8_t> before = ReadBytes(strip);
        const int reader = ::open(strip.c_str(), O_RDONLY | O_CLOEXEC);
        MakeIcons({"B", "A"});  // A gets the second icon's colours
        ASSERT_EQ(Run(o), 0) << err.str();
        std::vector<std::uint8_t> held(before.size());
        EXPECT_EQ(::pread(reader, held.data(), held.size(), 0), ssize_t(held.size()));
        ::close(reader);
        EXPECT_EQ(held, before);
        EXPECT_NE(ReadBytes(strip), before);
        fs::remove_all(out_);
        fs::create_directory(out_);
    }
}

// What is in the output folder is never lost: a link is replaced, not written through; a strip that
// cannot be written names itself and why; --no-clobber and a running weld refuse before writing.
TEST_F(WeldCommandTest, TheOutputFolderLosesNothing) {
    MakeIcons({"A", "B", "C"});
    const std::string notes = t_.WriteFile("notes.txt", "notes");
    fs::create_symlink("../notes.txt", out_ + "/A.bmp");
    fs::create_directory(out_ + "/C.bmp");
    t_.WriteFile("out/.plexon-Ab3xYz.tmp", "left by a killed run");
    // A folder where a strip goes is found before the first strip.
    EXPECT_EQ(Run(Options({icons_})), 1);
    EXPECT_EQ(err.str(), "plexon: " + out_ + "/C.bmp: not a regular file; nothing was written\n");
    EXPECT_EQ(OutputCount(), 2u);  // the link A and the folder C: the leftover went, nothing was written
    fs::remove(out_ + "/C.bmp");
    EXPECT_EQ(Run(Options({icons_})), 0);
    EXPECT_EQ(ReadBytes(notes), std::vector<std::uint8_t>({'n', 'o', 't', 'e', 's'}));
    EXPECT_FALSE(fs::is_symlink(out_ + "/A.bmp"));
    ExpectSlots(out_ + "/B.bmp", 1, {ImageState::Normal, ImageState::Hot, ImageState::Disabled});
    EXPECT_EQ(OutputCount(), 3u);  // no temporary file stayed

    fs::remove(out_ + "/C.bmp");
    const std::vector<std::uint8_t> written = ReadBytes(out_ + "/B.bmp");
    BatchOptions o = Options({icons_});
    o.existingStrips = ExistingStrips::Refuse;
    EXPECT_EQ(Run(o), 1);
    EXPECT_EQ(err.str(),
              "plexon: " + out_ +
                  "/A.bmp: the strip exists already (and 1 more); with --no-clobber nothing was written\n");
    EXPECT_FALSE(fs::exists(out_ + "/C.bmp"));

    int ready[2], release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    if (::fork() == 0) {
        const std::optional<FolderLock> lock = FolderLock::TryTake(out_);
        char byte = 'y';
        (void)!::write(ready[1], &byte, 1);
        (void)!::read(release[0], &byte, 1);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    const int status = Run(Options({icons_}));
    (void)!::write(release[1], &byte, 1);
    ::wait(nullptr);
    for (int fd : {ready[0], ready[1], release[0], release[1]}) ::close(fd);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(err.str(), "plexon: " + out_ + ": another weld is writing into this folder\n");
    EXPECT_FALSE(fs::exists(out_ + "/C.bmp"));
    EXPECT_EQ(ReadBytes(out_ + "/B.bmp"), written);
}

// Every file a run writes (strips of every size, the manifest) is checked before the first is written:
// what stands there and where it leads, and every folder written into is locked.
TEST_F(WeldCommandTest, EveryTargetIsCheckedBeforeAnythingIsWritten) {
    MakeIcons({"A"});
    fs::create_directory_symlink(out_, t_ / "via");
    ::mkfifo((t_ / "fifo").c_str(), 0600);
    const struct {
        std::vector<std::int32_t> sizes;
        std::string manifest, lockedFolder, fileInPlace;
        std::string message;
    } cases[] = {
        {{}, t_ / "via/A.bmp", "", "",
         t_ / "via/A.bmp: the manifest would replace " + out_ + "/A.bmp; nothing was written\n"},
        {{16}, t_ / "via/16x16/A.bmp", "", "",
         t_ / "via/16x16/A.bmp: the manifest would replace " + out_ + "/16x16/A.bmp; nothing was written\n"},
        {{}, t_ / "fifo", "", "", t_ / "fifo: not a regular file; nothing was written\n"},
        {{16, 24}, "", out_ + "/24x24", "", out_ + "/24x24: another weld is writing into this folder\n"},
        {{16}, "", "", out_ + "/16x16", out_ + "/16x16: not a folder\n"},
    };
    for (const auto& c : cases) {
        BatchOptions o = Options({icons_});
        o.sizes = c.sizes;
        if (!c.manifest.empty()) o.manifest = c.manifest;
        std::optional<FolderLock> lock;
        if (!c.lockedFolder.empty()) {
            fs::create_directory(c.lockedFolder);
            t_.WriteFile(c.lockedFolder.substr(t_.Path().size()) + "/.plexon-Ab3xYz.tmp", "another run's");
            lock = FolderLock::TryTake(c.lockedFolder);
        }
        if (!c.fileInPlace.empty()) t_.WriteFile(c.fileInPlace.substr(t_.Path().size()), "in the way");
        EXPECT_EQ(Run(o), 1) << c.message;
        EXPECT_EQ(err.str(), "plexon: " + c.message);
        // Not a strip anywhere; the other run's temporary file is its own.
        EXPECT_EQ(std::distance(fs::recursive_directory_iterator(out_), fs::recursive_directory_iterator()),
                  c.lockedFolder.empty() ? std::ptrdiff_t(c.fileInPlace.empty() ? 0 : 1) : 2);
        EXPECT_TRUE(fs::is_fifo(t_ / "fifo"));
        lock.reset();
        fs::remove_all(out_);
        fs::create_directory(out_);
    }
}

// Run as the superuser, a manifest on a device would replace the device for every process: it is
// refused, tried in a mount namespace of the test's own so that a fault there costs nothing.
TEST_F(WeldCommandTest, AManifestNeverReplacesADevice) {
    MakeIcons({"A"});
    const pid_t child = ::fork();
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("none", "/dev", "tmpfs", 0, nullptr) != 0 || ::mknod("/dev/null", S_IFCHR | 0666, makedev(1, 3)) != 0)
            ::_exit(77);
        BatchOptions o = Options({icons_});
        o.manifest = "/dev/null";
        const int status = Run(o);
        struct stat info {};
        const bool device = ::stat("/dev/null", &info) == 0 && S_ISCHR(info.st_mode);
        ::_exit(status == 1 && device && err.str() == "plexon: /dev/null: not a regular file; nothing was written\n"
                    ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "no mount namespace of our own";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(OutputCount(), 0u);
}

}  // namespace
}  // namespace plexon
