// The chooser programs and the scripted chooser: argument vectors, answers taken apart with names
// holding spaces, quotes, "|", line feeds and bytes that are not UTF-8, and everything else
// (cancel, failure, garbage, a hang) turned into a cancel.
#include "platform/shell/Chooser.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include "support/TempFolder.h"

namespace plexon {
namespace {

using test::TempFolder;
using Paths = std::vector<std::string>;

const ChooserRequest kFiles{.kind = ChooserKind::Files,
                            .selection = Selection::Multiple,
                            .title = "",
                            .filters = {{"Bitmap files (*.bmp)", {"*.bmp"}}}};
const ChooserRequest kFolder{.kind = ChooserKind::Folder};

// A stand-in chooser program: prints the file "answer" beside it, exits with the status in
// "status" (0 without), and records its arguments, each followed by a zero byte, in "args".
class FakeChooser {
  public:
    explicit FakeChooser(ChooserProgramKind kind) {
        const std::string path = folder_.WriteFile(kind == ChooserProgramKind::Zenity ? "zenity" : "kdialog",
                                                   "#!/bin/sh\n"
                                                   "here=$(dirname \"$0\")\n"
                                                   "printf '%s\\0' \"$@\" > \"$here/args\"\n"
                                                   "cat \"$here/answer\"\n"
                                                   "[ -f \"$here/status\" ] && exit $(cat \"$here/status\")\n"
                                                   "exit 0\n");
        ::chmod(path.c_str(), 0755);
        program_ = {kind, path};
    }
    const ChooserProgram& Program() const { return program_; }
    void Answer(const std::string& bytes, int status = 0) {
        folder_.WriteFile("answer", bytes);
        folder_.WriteFile("status", std::to_string(status));
    }
    Paths Arguments() const {
        std::ifstream in(folder_ / "args", std::ios::binary);
        Paths args;
        for (std::string arg; std::getline(in, arg, '\0');) args.push_back(arg);
        return args;
    }

  private:
    TempFolder folder_;
    ChooserProgram program_;
};

TEST(ChooserArguments, ZenityAsksForSeveralBitmapsWithASeparatorNoNameContains) {
    const ChooserProgram zenity{ChooserProgramKind::Zenity, "/usr/bin/zenity"};
    ChooserRequest request = kFiles;
    request.title = "Pick \"some\" | files";
    request.initialFolder = "/home/me/icons";
    EXPECT_EQ(ChooserArguments(zenity, request),
              (Paths{"/usr/bin/zenity", "--file-selection", "--title=Pick \"some\" | files",
                     "--file-filter=Bitmap files (*.bmp) | *.[bB][mM][pP]", "--multiple", "--separator=//",
                     "--filename=/home/me/icons/"}));
    ChooserRequest folder = kFolder;
    folder.title = "Select the output folder";
    folder.initialFolder = "/out/";
    EXPECT_EQ(ChooserArguments(zenity, folder),
              (Paths{"/usr/bin/zenity", "--file-selection", "--title=Select the output folder", "--directory",
                     "--filename=/out/"}));
}

// Without a folder to start in, or with one that is no place (relative), both start at home rather
// than on a "Recent" view; with no usable home, at the root.
TEST(ChooserArguments, BothStartAtHomeWhenNoFolderIsGiven) {
    const char* saved = std::getenv("HOME");
    const std::string home = saved ? saved : "";
    const ChooserProgram zenity{ChooserProgramKind::Zenity, "zenity"},
        kdialog{ChooserProgramKind::KDialog, "kdialog"};
    ChooserRequest folder = kFolder;
    folder.initialFolder = "relative";
    for (const auto& [homeValue, start] : {std::pair{"/home/me", "/home/me/"}, {"not/absolute", "/"}}) {
        ::setenv("HOME", homeValue, 1);
        EXPECT_EQ(ChooserArguments(zenity, kFolder).back(), std::string("--filename=") + start);
        EXPECT_EQ(ChooserArguments(zenity, folder).back(), std::string("--filename=") + start);
        EXPECT_EQ(ChooserArguments(kdialog, kFiles)[2], start);
    }
    if (saved)
        ::setenv("HOME", home.c_str(), 1);
    else
        ::unsetenv("HOME");
}

TEST(ChooserArguments, KDialogAsksWithItsOwnFilterOrderAndOneNamePerLine) {
    const ChooserProgram kdialog{ChooserProgramKind::KDialog, "/usr/bin/kdialog"};
    ChooserRequest request = kFiles;
    request.initialFolder = "/icons";
    request.initialName = "Open.bmp";
    EXPECT_EQ(ChooserArguments(kdialog, request),
              (Paths{"/usr/bin/kdialog", "--getopenfilename", "/icons/Open.bmp",
                     "*.[bB][mM][pP]|Bitmap files (*.bmp)", "--multiple", "--separate-output"}));
    request.filters.push_back({"Images", {"*.bmp", "*.png"}});
    EXPECT_EQ(ChooserArguments(kdialog, request)[3],
              "*.[bB][mM][pP]|Bitmap files (*.bmp)\n*.[bB][mM][pP] *.[pP][nN][gG]|Images");
    ChooserRequest folder = kFolder;
    folder.title = "Output";
    folder.initialFolder = "/out";
    EXPECT_EQ(ChooserArguments(kdialog, folder),
              (Paths{"/usr/bin/kdialog", "--title", "Output", "--getexistingdirectory", "/out/"}));
}

TEST(ChooserOutput, ZenitySplitsOnlyBetweenNames) {
    using enum ChooserProgramKind;
    EXPECT_EQ(ParseChooserOutput(Zenity, kFiles, "/a/one.bmp\n"), (Paths{"/a/one.bmp"}));
    EXPECT_EQ(ParseChooserOutput(Zenity, kFiles, "/a/b c.bmp///a/d|e.bmp///a/'q\".bmp\n"),
              (Paths{"/a/b c.bmp", "/a/d|e.bmp", "/a/'q\".bmp"}));
    EXPECT_EQ(ParseChooserOutput(Zenity, kFiles, "/a/line\nfeed.bmp///a/\xE9\xFF.bmp\n\n"),
              (Paths{"/a/line\nfeed.bmp", "/a/\xE9\xFF.bmp\n"}));
    EXPECT_EQ(ParseChooserOutput(Zenity, kFolder, "/\n"), (Paths{"/"}));
    EXPECT_EQ(ParseChooserOutput(Zenity, kFolder, "/out dir/x\n"), (Paths{"/out dir/x"}));
}

TEST(ChooserOutput, KDialogJoinsLinesThatDoNotStartANewPath) {
    using enum ChooserProgramKind;
    EXPECT_EQ(ParseChooserOutput(KDialog, kFiles, "/a/x.bmp\n/a/y z.bmp\n"),
              (Paths{"/a/x.bmp", "/a/y z.bmp"}));
    EXPECT_EQ(ParseChooserOutput(KDialog, kFiles, "/a/two\nlines.bmp\n/a/b.bmp\n"),
              (Paths{"/a/two\nlines.bmp", "/a/b.bmp"}));
}

TEST(ChooserOutput, AnythingButAWellFormedAnswerIsACancel) {
    using enum ChooserProgramKind;
    for (ChooserProgramKind kind : {Zenity, KDialog}) {
        EXPECT_EQ(ParseChooserOutput(kind, kFiles, ""), std::nullopt);
        EXPECT_EQ(ParseChooserOutput(kind, kFiles, "\n"), std::nullopt);
        EXPECT_EQ(ParseChooserOutput(kind, kFiles, "/a/x.bmp"), std::nullopt);  // cut short
        EXPECT_EQ(ParseChooserOutput(kind, kFiles, "relative.bmp\n"), std::nullopt);
        EXPECT_EQ(ParseChooserOutput(kind, kFiles, "Gtk-WARNING **: no display\n"), std::nullopt);
        EXPECT_EQ(ParseChooserOutput(kind, kFiles, std::string("/a/x\0y.bmp\n", 11)), std::nullopt);
        EXPECT_EQ(ParseChooserOutput(kind, kFiles, "/a/folder/\n"), std::nullopt);
    }
    EXPECT_EQ(ParseChooserOutput(Zenity, kFiles, "/a/x.bmp//\n"), std::nullopt);
    EXPECT_EQ(ParseChooserOutput(Zenity, kFiles, "/a/x.bmp//relative\n"), std::nullopt);
    EXPECT_EQ(ParseChooserOutput(KDialog, kFolder, "/a\n/b\n"), std::nullopt);
    ChooserRequest single = kFiles;
    single.selection = Selection::Single;
    EXPECT_EQ(ParseChooserOutput(KDialog, single, "/a/x.bmp\n/a/y.bmp\n"), std::nullopt);
}

TEST(DesktopChooser, RunsTheProgramAndTakesItsAnswerApart) {
    for (ChooserProgramKind kind : {ChooserProgramKind::Zenity, ChooserProgramKind::KDialog}) {
        FakeChooser fake(kind);
        const std::string sep = kind == ChooserProgramKind::Zenity ? "//" : "\n";
        fake.Answer("/i/Open me.bmp" + sep + "/i/'it'|\"s\".bmp" + sep + "/i/\xC3\x28.bmp\n");
        EXPECT_EQ(RunDesktopChooser(fake.Program(), kFiles),
                  (Paths{"/i/Open me.bmp", "/i/'it'|\"s\".bmp", "/i/\xC3\x28.bmp"}));
        const Paths argv = ChooserArguments(fake.Program(), kFiles);
        EXPECT_EQ(fake.Arguments(), Paths(argv.begin() + 1, argv.end()));
    }
}

TEST(DesktopChooser, TakesASelectionOfAHundredThousandFiles) {
    // About 6 MB of names from either program: more than any fixed buffer the chooser once had.
    for (ChooserProgramKind kind : {ChooserProgramKind::Zenity, ChooserProgramKind::KDialog}) {
        FakeChooser fake(kind);
        const std::string sep = kind == ChooserProgramKind::Zenity ? "//" : "\n";
        std::string answer;
        Paths expected;
        for (int i = 0; i < 100000; ++i) {
            expected.push_back("/icons/some folder/Icon" + std::to_string(i) + "_h.bmp");
            answer += (i ? sep : "") + expected.back();
        }
        fake.Answer(answer + "\n");
        EXPECT_EQ(RunDesktopChooser(fake.Program(), kFiles), expected);
    }
}

TEST(DesktopChooser, CancelFailureGarbageAndHangsGiveNothing) {
    FakeChooser fake(ChooserProgramKind::Zenity);
    fake.Answer("", 1);  // the user cancelled
    EXPECT_EQ(RunDesktopChooser(fake.Program(), kFiles), std::nullopt);
    fake.Answer("/a/x.bmp\n", 255);  // failed after printing
    EXPECT_EQ(RunDesktopChooser(fake.Program(), kFiles), std::nullopt);
    fake.Answer("\x01\x02garbage\xFF\n");
    EXPECT_EQ(RunDesktopChooser(fake.Program(), kFiles), std::nullopt);
    EXPECT_EQ(RunDesktopChooser({ChooserProgramKind::Zenity, "/nonexistent/zenity"}, kFiles), std::nullopt);

    TempFolder folder;
    const std::string hang = folder.WriteFile("zenity", "#!/bin/sh\nsleep 600\n");
    ::chmod(hang.c_str(), 0755);
    ChooserRequest request = kFiles;
    int polls = 0;
    request.keepWaiting = [&] { return ++polls < 5; };
    EXPECT_EQ(RunDesktopChooser({ChooserProgramKind::Zenity, hang}, request), std::nullopt);
    EXPECT_EQ(polls, 5);
}

TEST(DesktopChooser, ZenityIsPreferredOverKDialogOnPath) {
    TempFolder folder;
    for (const char* name : {"zenity", "kdialog"}) {
        const std::string path = folder.WriteFile(name, "#!/bin/sh\n");
        ::chmod(path.c_str(), 0755);
    }
    const char* old = std::getenv("PATH");
    const std::string saved = old ? old : "";
    ::setenv("PATH", folder.Path().c_str(), 1);
    auto found = FindDesktopChooser();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->kind, ChooserProgramKind::Zenity);
    std::remove((folder / "zenity").c_str());
    found = FindDesktopChooser();
    ASSERT_TRUE(found);
    EXPECT_EQ(found->kind, ChooserProgramKind::KDialog);
    std::remove((folder / "kdialog").c_str());
    EXPECT_FALSE(FindDesktopChooser());
    ::setenv("PATH", saved.c_str(), 1);
}

TEST(ScriptedChooser, OneLinePerRunInOrderWithTabsBetweenPaths) {
    TempFolder folder;
    const std::string script = folder.WriteFile(
        "script", "/i/a b.bmp\t/i/c|d.bmp\n\n/out\r\n/i/only.bmp\nrelative.bmp\n/i/x.bmp\t\n");
    EXPECT_EQ(NextScriptedAnswer(script, kFiles), (Paths{"/i/a b.bmp", "/i/c|d.bmp"}));
    EXPECT_EQ(NextScriptedAnswer(script, kFiles), std::nullopt);  // the empty line: a cancel
    EXPECT_EQ(NextScriptedAnswer(script, kFolder), (Paths{"/out"}));
    EXPECT_EQ(NextScriptedAnswer(script, kFiles), (Paths{"/i/only.bmp"}));
    EXPECT_EQ(NextScriptedAnswer(script, kFiles), std::nullopt);  // garbage
    EXPECT_EQ(NextScriptedAnswer(script, kFiles), std::nullopt);  // an empty path after the tab
    EXPECT_EQ(NextScriptedAnswer(script, kFiles), std::nullopt);  // past the end
    EXPECT_EQ(NextScriptedAnswer(folder / "missing", kFiles), std::nullopt);
}

TEST(ScriptedChooser, ThePathComesFromTheEnvironment) {
    ::setenv("PLEXON_CHOOSER_SCRIPT", "/tmp/answers", 1);
    EXPECT_EQ(ChooserScriptPath(), "/tmp/answers");
    ::setenv("PLEXON_CHOOSER_SCRIPT", "", 1);
    EXPECT_EQ(ChooserScriptPath(), std::nullopt);
    ::unsetenv("PLEXON_CHOOSER_SCRIPT");
    EXPECT_EQ(ChooserScriptPath(), std::nullopt);
}

}  // namespace
}  // namespace plexon
