// TIniFile: defaults for what is missing, tolerant matching, byte-exact edits, atomic replacement and
// the documented error when the file cannot be written.
#include "runtime/IniFile.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "runtime/Exceptions.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
  protected:
    std::string PathOf(const std::string& name) const { return folder_ + name; }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(PathOf(name), std::ios::binary) << bytes;
        return PathOf(name);
    }
    static std::string Read(const std::string& path) {
        std::ostringstream bytes;
        bytes << std::ifstream(path, std::ios::binary).rdbuf();
        return bytes.str();
    }
    size_t EntriesInFolder() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    test::TempFolder temp_;
    std::string folder_ = temp_.Path();
};

void ExpectWriteFailure(TIniFile& ini, const std::string& fullPath, std::string_view value = "h") {
    try {
        ini.WriteString("FileSuffix", "HotFile", value);
        ADD_FAILURE() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + fullPath);
    }
}

// Reading

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(TIniFile(PathOf("none.ini")).ReadString("FileSuffix", "HotFile", "h"), "h");
    TIniFile ini(Write("config.ini", "[Other]\nHotFile=x\n[FileSuffix]\nDisabledFile=y\n"));
    EXPECT_EQ(ini.ReadString("Missing", "HotFile", "h"), "h");
    EXPECT_EQ(ini.ReadString("FileSuffix", "HotFile", "h"), "h");
    EXPECT_EQ(ini.ReadString("FileSuffix", "DisabledFile", "d"), "y");
}

TEST_F(IniFileTest, EmptyValueStaysEmpty) {
    TIniFile ini(Write("config.ini", "[FileSuffix]\nHotFile=\nDisabledFile=   \n"));
    EXPECT_EQ(ini.ReadString("FileSuffix", "HotFile", "h"), "");
    EXPECT_EQ(ini.ReadString("FileSuffix", "DisabledFile", "d"), "");
}

TEST_F(IniFileTest, NamesMatchIgnoringCaseAndSurroundingBlanks) {
    TIniFile ini(Write("config.ini", "  [ filesuffix ]  \n\thotFILE = hh \t\n"));
    EXPECT_EQ(ini.ReadString("FileSuffix", "HotFile", "h"), "hh");
    EXPECT_EQ(ini.ReadString(" FILESUFFIX", "hotfile ", "h"), "hh");
}

TEST_F(IniFileTest, ValueKeepsInnerBlanksAndEqualSigns) {
    TIniFile ini(Write("config.ini", "[S]\nK= a = b \n"));
    EXPECT_EQ(ini.ReadString("S", "K", ""), "a = b");
}

TEST_F(IniFileTest, CrlfAndLfLineEndsBothRead) {
    TIniFile crlf(Write("crlf.ini", "[FileSuffix]\r\nHotFile=x\r\nDisabledFile=y\r\n"));
    EXPECT_EQ(crlf.ReadString("FileSuffix", "HotFile", "h"), "x");
    EXPECT_EQ(crlf.ReadString("FileSuffix", "DisabledFile", "d"), "y");
    TIniFile unterminated(Write("lf.ini", "[FileSuffix]\nHotFile=x"));
    EXPECT_EQ(unterminated.ReadString("FileSuffix", "HotFile", "h"), "x");
}

TEST_F(IniFileTest, ALoneCarriageReturnEndingTheFileEndsItsLastLine) {
    EXPECT_EQ(TIniFile(Write("config.ini", "[S]\nB=2\r")).ReadString("S", "B", ""), "2");
}

TEST_F(IniFileTest, CompletingALastLineEndedByALoneCarriageReturnKeepsItsValue) {
    TIniFile newKey(Write("key.ini", "[S]\r\nA=1\r\nB=2\r"));
    newKey.WriteString("S", "C", "3");
    EXPECT_EQ(Read(PathOf("key.ini")), "[S]\r\nA=1\r\nB=2\r\nC=3\r\n");

    TIniFile newSection(Write("section.ini", "[S]\nB=2\r"));
    newSection.WriteString("T", "D", "4");
    EXPECT_EQ(Read(PathOf("section.ini")), "[S]\nB=2\r\n[T]\nD=4\n");
    EXPECT_EQ(newSection.ReadString("S", "B", ""), "2");

    TIniFile replaced(Write("replaced.ini", "[S]\nB=2\r"));
    replaced.WriteString("S", "B", "5");
    EXPECT_EQ(Read(PathOf("replaced.ini")), "[S]\nB=5\r");
}

TEST_F(IniFileTest, CommentsAndKeysOfOtherSectionsAreNotRead) {
    TIniFile ini(
        Write("config.ini", "HotFile=a\n[FileSuffix]\n;HotFile=b\n# HotFile=c\n[Next]\nHotFile=d\n"));
    EXPECT_EQ(ini.ReadString("FileSuffix", "HotFile", "h"), "h");
}

TEST_F(IniFileTest, FirstOccurrenceWins) {
    TIniFile ini(Write("config.ini", "[S]\nK=1\nK=2\n[S]\nK=3\nL=4\n"));
    EXPECT_EQ(ini.ReadString("S", "K", ""), "1");
    EXPECT_EQ(ini.ReadString("S", "L", "none"), "none");
}

TEST_F(IniFileTest, ByteOrderMarkBeforeTheFirstSectionIsSkipped) {
    TIniFile ini(Write("config.ini", "\xEF\xBB\xBF[FileSuffix]\nHotFile=x\n"));
    EXPECT_EQ(ini.ReadString("FileSuffix", "HotFile", "h"), "x");
}

TEST_F(IniFileTest, LongValuesAreCutToTheReadBuffer) {
    TIniFile ini(Write("config.ini",
                       "[S]\nFits=" + std::string(2047, 'a') + "\nLong=" + std::string(3000, 'b') + "\n"));
    EXPECT_EQ(ini.ReadString("S", "Fits", ""), std::string(2047, 'a'));
    EXPECT_EQ(ini.ReadString("S", "Long", ""), std::string(2047, 'b'));
}

TEST_F(IniFileTest, FolderInPlaceOfTheFileGivesTheDefault) {
    fs::create_directory(PathOf("config.ini"));
    EXPECT_EQ(TIniFile(PathOf("config.ini")).ReadString("FileSuffix", "HotFile", "h"), "h");
}

// Writing

TEST_F(IniFileTest, CreatesTheFileWithKeysInWriteOrder) {
    TIniFile ini(PathOf("config.ini"));
    ini.WriteString("FileSuffix", "HotFile", "h");
    ini.WriteString("FileSuffix", "DisabledFile", "d");
    ini.WriteString("FileSuffix", "PressedFile", "p");
    EXPECT_EQ(Read(PathOf("config.ini")), "[FileSuffix]\nHotFile=h\nDisabledFile=d\nPressedFile=p\n");
    EXPECT_EQ(ini.ReadString("FileSuffix", "PressedFile", ""), "p");
}

TEST_F(IniFileTest, ReplacesAValueAndKeepsEveryOtherByte) {
    const std::string before =
        "; settings\r\n\r\n[Other]\r\nKey = 1\r\n\r\n[FileSuffix]\r\n  HotFile =  old  \r\nDisabledFile=\r\n"
        "\r\n[Tail]\r\nX=y";
    TIniFile ini(Write("config.ini", before));
    ini.WriteString("FileSuffix", "HotFile", "x");
    ini.WriteString("FileSuffix", "DisabledFile", "dd");
    EXPECT_EQ(
        Read(PathOf("config.ini")),
        "; settings\r\n\r\n[Other]\r\nKey = 1\r\n\r\n[FileSuffix]\r\n  HotFile =  x\r\nDisabledFile=dd\r\n"
        "\r\n[Tail]\r\nX=y");
}

TEST_F(IniFileTest, AddsAMissingKeyAfterTheLastKeyOfItsSection) {
    TIniFile ini(Write("config.ini", "[FileSuffix]\nHotFile=h\n; note\n\n[Other]\nA=b\n"));
    ini.WriteString("filesuffix", "PressedFile", "p");
    EXPECT_EQ(Read(PathOf("config.ini")), "[FileSuffix]\nHotFile=h\nPressedFile=p\n; note\n\n[Other]\nA=b\n");
}

TEST_F(IniFileTest, AddsAMissingKeyToAnEmptySectionAtTheEndOfAnUnterminatedFile) {
    TIniFile ini(Write("config.ini", "[FileSuffix]"));
    ini.WriteString("FileSuffix", "HotFile", "h");
    EXPECT_EQ(Read(PathOf("config.ini")), "[FileSuffix]\nHotFile=h\n");
}

TEST_F(IniFileTest, AddsAMissingSectionAtTheEndInTheFilesLineEnds) {
    TIniFile ini(Write("config.ini", "[Other]\r\nA=b"));
    ini.WriteString("FileSuffix", "HotFile", "h");
    EXPECT_EQ(Read(PathOf("config.ini")), "[Other]\r\nA=b\r\n[FileSuffix]\r\nHotFile=h\r\n");
}

TEST_F(IniFileTest, KeepsThePermissionsOfTheFile) {
    const std::string path = Write("config.ini", "[FileSuffix]\nHotFile=h\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    TIniFile(path).WriteString("FileSuffix", "HotFile", "x");
    EXPECT_EQ(fs::status(path).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(IniFileTest, WritesThroughALinkAndKeepsTheLink) {
    const std::string real = Write("real.ini", "[FileSuffix]\nHotFile=h\n");
    fs::create_symlink(real, PathOf("config.ini"));
    TIniFile(PathOf("config.ini")).WriteString("FileSuffix", "HotFile", "x");
    EXPECT_TRUE(fs::is_symlink(PathOf("config.ini")));
    EXPECT_EQ(Read(real), "[FileSuffix]\nHotFile=x\n");
}

TEST_F(IniFileTest, OnlyARegularFileUpTo1MbIsReadAndARefusedOneIsNeverWritten) {
    ASSERT_EQ(mkfifo(PathOf("fifo.ini").c_str(), 0600), 0);
    fs::create_directory(PathOf("folder.ini"));
    const std::string large = Write("large.ini", "[FileSuffix]\nHotFile=x\n");
    fs::resize_file(large, TIniFile::kMaxFileSize + 1);
    const std::string full = Write("full.ini", "[FileSuffix]\nHotFile=x\n");
    fs::resize_file(full, TIniFile::kMaxFileSize);
    const std::string notRegular(msg::kNotRegularFile);
    const struct {
        std::string path, refusal, hot;
    } cases[] = {
        {PathOf("fifo.ini"), notRegular, "h"},
        {PathOf("folder.ini"), notRegular, "h"},
        {"/dev/zero", notRegular, "h"},
        {large, std::string(msg::kIniTooLarge), "h"},
        {full, "", "x"},
        {"/dev/null", "", "h"},
        {PathOf("none.ini"), "", "h"},
    };
    for (const auto& c : cases) {
        const TIniText text = TIniFile(c.path).Read();
        EXPECT_EQ(text.Refusal(), c.refusal) << c.path;
        EXPECT_EQ(text.ReadString("FileSuffix", "HotFile", "h"), c.hot) << c.path;
    }
    for (const std::string& refused : {PathOf("fifo.ini"), large}) {
        TIniFile ini(refused);
        ExpectWriteFailure(ini, refused);
    }
    EXPECT_TRUE(fs::is_fifo(PathOf("fifo.ini")));
    EXPECT_EQ(fs::file_size(large), TIniFile::kMaxFileSize + 1);
}

TEST_F(IniFileTest, WriteStringsReplacesTheFileOnceWithAllKeysOrNone) {
    const std::string path = Write("config.ini", "[FileSuffix]\r\nHotFile=h\r\n");
    TIniFile ini(path);
    const TIniValue bad[] = {{"HotFile", "x"}, {"Disabled=File", "y"}};
    EXPECT_THROW(ini.WriteStrings("FileSuffix", bad), EIniFileException);
    EXPECT_EQ(Read(path), "[FileSuffix]\r\nHotFile=h\r\n");

    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, folder_.c_str(), IN_MOVED_TO), 0);
    const TIniValue good[] = {{"HotFile", "x"}, {"DisabledFile", "y"}, {"PressedFile", "z"}};
    ini.WriteStrings("FileSuffix", good);
    alignas(inotify_event) char events[4096];
    const ssize_t got = read(watch, events, sizeof events);
    close(watch);
    ASSERT_GT(got, 0);
    EXPECT_EQ(std::size_t(got), sizeof(inotify_event) + reinterpret_cast<inotify_event*>(events)->len)
        << "more than one replacement";
    EXPECT_EQ(Read(path), "[FileSuffix]\r\nHotFile=x\r\nDisabledFile=y\r\nPressedFile=z\r\n");
}

// Failures

TEST_F(IniFileTest, FolderInPlaceOfTheFileRaisesWithTheFullPath) {
    fs::create_directory(PathOf("config.ini"));
    TIniFile ini(PathOf("config.ini"));
    ExpectWriteFailure(ini, PathOf("config.ini"));
    EXPECT_TRUE(fs::is_empty(PathOf("config.ini")));
}

TEST_F(IniFileTest, MissingFolderRaisesWithTheFullPathOfARelativeName) {
    const std::string relative = "plexon-no-such-folder/config.ini";
    TIniFile ini(relative);
    ExpectWriteFailure(ini, (fs::current_path() / relative).string());
}

TEST_F(IniFileTest, FileInPlaceOfTheFolderRaises) {
    Write("plain", "x");
    TIniFile ini(PathOf("plain/config.ini"));
    ExpectWriteFailure(ini, PathOf("plain/config.ini"));
}

TEST_F(IniFileTest, ReadOnlyFolderRaisesAndLeavesTheFile) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser writes into read-only folders";
    const std::string path = Write("config.ini", "[FileSuffix]\nHotFile=h\n");
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    TIniFile ini(path);
    ExpectWriteFailure(ini, path, "x");
    EXPECT_EQ(ini.ReadString("FileSuffix", "HotFile", ""), "h");
}

TEST_F(IniFileTest, ReadOnlyFileRaisesAndStaysUnchanged) {
    if (geteuid() == 0) GTEST_SKIP() << "the superuser writes to read-only files";
    const std::string before = "[FileSuffix]\nHotFile=h\n";
    const std::string path = Write("config.ini", before);
    fs::permissions(path, fs::perms::owner_read);
    TIniFile ini(path);
    ExpectWriteFailure(ini, path, "x");
    EXPECT_EQ(Read(path), before);
}

TEST_F(IniFileTest, AFailedWriteLeavesTheOldFileWholeAndNoTemporaryFile) {
    const std::string before = "[FileSuffix]\nHotFile=h\n";
    const std::string path = Write("config.ini", before);
    // A file-size limit makes the write of the new content fail part way, as a full disk would.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool raised = false;
    try {
        TIniFile(path).WriteString("FileSuffix", "HotFile", std::string(4096, 'x'));
    } catch (const EIniFileException&) {
        raised = true;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(raised);
    EXPECT_EQ(Read(path), before);
    EXPECT_EQ(EntriesInFolder(), 1u);
}

TEST_F(IniFileTest, TextsThatWouldNotReadBackAreRefusedAndNothingIsWritten) {
    const std::string before = "[FileSuffix]\nHotFile=h\n";
    const std::string path = Write("config.ini", before);
    TIniFile ini(path);
    ExpectWriteFailure(ini, path, "x\n[Injected]");
    EXPECT_THROW(ini.WriteString("FileSuffix", "Hot=File", "x"), EIniFileException);
    EXPECT_THROW(ini.WriteString("File]Suffix", "HotFile", "x"), EIniFileException);
    EXPECT_THROW(ini.WriteString("FileSuffix", " ", "x"), EIniFileException);
    EXPECT_THROW(ini.WriteString("", "HotFile", "x"), EIniFileException);
    EXPECT_THROW(ini.WriteString("FileSuffix", ";HotFile", "x"), EIniFileException);
    EXPECT_EQ(Read(path), before);
}

}  // namespace
}  // namespace plexon
