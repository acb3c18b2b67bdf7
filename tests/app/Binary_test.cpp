// End-to-end runs of the real program: exit statuses, what goes to stdout and stderr, and that usage
// errors and refusals write nothing.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/BmpFiles.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

struct Outcome {
    int status = -1;
    std::string out, err;
};

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class BinaryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        icons_ = t_.MakeFolder("icons");
        out_ = t_.MakeFolder("out");
        for (const char* name : {"Open", "Open_h", "Open_d", "Open_p", "Save", "Save_h", "Save_d", "Save_p"})
            test::WriteSolidBmp24(icons_ + "/" + name + ".bmp", 5, 5, {std::uint8_t(name[0]), 0x40, 0x80});
    }

    // Runs the program with the given shell-quoted arguments, settings from a file that does not exist.
    Outcome Run(const std::string& arguments) {
        std::string command = "PLEXON_CONFIG=" + Quote(t_ / "none.ini") + " " + Quote(PLEXON_BINARY) + " " +
                              arguments + " >" + Quote(t_ / "stdout") + " 2>" + Quote(t_ / "stderr") +
                              " </dev/null";
        int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(t_ / "stdout"), Slurp(t_ / "stderr")};
    }

    bool OutputEmpty() const { return fs::is_empty(out_); }

    TempFolder t_;
    std::string icons_, out_;
};

TEST_F(BinaryTest, WeldsAFolder) {
    Outcome r = Run("weld -n 4 -o " + Quote(out_) + " " + Quote(icons_));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Your new images were created in 1 second.\n");
    EXPECT_EQ(r.err, "");  // stderr is no terminal: no progress bar
    test::Picture strip = test::ReadBmp(out_ + "/Save.bmp").value();
    EXPECT_EQ(strip.width, 20);
    EXPECT_EQ(strip.height, 5);
    EXPECT_TRUE(fs::exists(out_ + "/Open.bmp"));
}

TEST_F(BinaryTest, QuietPrintsNothing) {
    Outcome r = Run("weld -q -o " + Quote(out_) + " " + Quote(icons_));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
}

TEST_F(BinaryTest, HelpAndVersion) {
    Outcome help = Run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("plexon weld [options] FILE|FOLDER..."), std::string::npos);
    Outcome version = Run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("plexon (Tesvo Plexon) ")) << version.out;
    // Text that never reached standard output is no success.
    const std::string command = Quote(PLEXON_BINARY) + " --help >/dev/full 2>" + Quote(t_ / "stderr");
    const int raw = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 1);
    EXPECT_EQ(Slurp(t_ / "stderr"), "plexon: standard output: cannot write: No space left on device\n");
}

TEST_F(BinaryTest, UsageErrorsExitTwoAndWriteNothing) {
    for (const std::string& args :
         {"weld " + Quote(icons_), "weld -n 5 -o " + Quote(out_) + " " + Quote(icons_),
          "weld --order normal,hot -o " + Quote(out_) + " " + Quote(icons_),
          "weld --order normal,cold,hot -o " + Quote(out_) + " " + Quote(icons_),
          "weld --colour -o " + Quote(out_) + " " + Quote(icons_), "weld -o " + Quote(out_)}) {
        Outcome r = Run(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_TRUE(r.err.starts_with("plexon: ")) << r.err;
        EXPECT_NE(r.err.find("--help"), std::string::npos) << r.err;
        EXPECT_TRUE(OutputEmpty()) << args;
    }
}

TEST_F(BinaryTest, WindowWithoutADisplayIsRefusedAtOnce) {
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::unsetenv("PLEXON_BACKEND");
    for (const std::string& args : {std::string(), std::string("demo")}) {
        Outcome r = Run(args);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_NE(r.err.find("no display"), std::string::npos) << r.err;
    }
    if (!display.empty()) ::setenv("DISPLAY", display.c_str(), 1);
}

TEST_F(BinaryTest, RefusalsExitOne) {
    Outcome same = Run("weld -o " + Quote(out_ + "/../icons/") + " " + Quote(icons_));
    EXPECT_EQ(same.status, 1);
    EXPECT_EQ(same.err, "plexon: " + out_ +
                            "/../icons/: You cannot create the images in the same folder as the "
                            "source images.\n");
    Outcome none = Run("weld -o " + Quote(out_) + " " + Quote(t_.MakeFolder("empty")));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "plexon: Please select some images to join.\n");
    EXPECT_TRUE(OutputEmpty());
}

// A path that is not there is named as the system names it, also where the window would have opened it.
TEST_F(BinaryTest, ErrorsExitOneWithTheMessage) {
    t_.WriteFile("icons/Open_d.bmp", "BMgarbage");
    for (const auto& [args, err] : {
             std::pair{"weld -q -o " + Quote(out_) + " " + Quote(icons_),
                       "plexon: " + icons_ + "/Open_d.bmp: not a BMP or PNG image\n"},
             std::pair{Quote(t_ / "gone.png"),
                       "plexon: " + t_ / "gone.png" + ": No such file or directory\n"},
             std::pair{std::string("nowhere/Open"),
                       std::string("plexon: nowhere/Open: No such file or directory\n")},
         }) {
        Outcome r = Run(args);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_TRUE(r.err.ends_with(err)) << r.err;
    }
}

}  // namespace
}  // namespace plexon
