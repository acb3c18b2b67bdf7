// SVG documents that would hang or flood the program are refused within their limits, naming the file;
// a renderer that crashes is named too; Ctrl+C ends a watch that waits on a render at once.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/WeldSvgSupport.h"
#include "platform/shell/Spawn.h"
#include "support/BmpFiles.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

using test::WaitFor;

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string Svg(const std::string& body) {
    return R"(<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16">)" + body + "</svg>";
}

// The FIFO's writing end, once a reader holds it open: a helper drawing the image it stands for.
int OpenOnceRead(const std::string& fifo) {
    int fd = -1;
    WaitFor([&] { return (fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)) >= 0 || errno != ENXIO; });
    return fd;
}

// A 1-bit grey PNG of side x side black pixels: 50 KB on disk, 1.6 GB decoded.
std::string BlankPng(std::uint32_t side) {
    const auto be32 = [](std::string& out, std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) out += char(v >> shift);
    };
    std::string png = "\x89PNG\r\n\x1a\n";
    const auto chunk = [&](const std::string& body) {  // type and data
        be32(png, std::uint32_t(body.size() - 4));
        png += body;
        be32(png, std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
    };
    std::string header = "IHDR";
    be32(header, side);
    be32(header, side);
    chunk(header + std::string("\1\0\0\0\0", 5));
    std::string idat = "IDAT", row(1 + (side + 7) / 8, '\0');
    z_stream z{};
    deflateInit(&z, 9);
    unsigned char out[1 << 16];
    for (std::uint32_t y = 0; y <= side; ++y) {
        z.next_in = reinterpret_cast<Bytef*>(row.data());
        z.avail_in = y < side ? uInt(row.size()) : 0;
        do {
            z.next_out = out;
            z.avail_out = sizeof out;
            deflate(&z, y < side ? Z_NO_FLUSH : Z_FINISH);
            idat.append(reinterpret_cast<char*>(out), sizeof out - z.avail_out);
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    chunk(idat);
    chunk("IEND");
    return png;
}

using WeldSvgLimits = test::SvgWeldTest;

TEST_F(WeldSvgLimits, HostileDocumentsAreRefusedWithinTheirLimits) {
    t_.MakeFolder("fifo/img");
    ASSERT_EQ(::mkfifo((t_ / "fifo/img/fifo.png").c_str(), 0600), 0);
    t_.MakeFolder("big");
    t_.WriteFile("big/huge.png", BlankPng(20000));
    std::string attributes, uses;
    for (int i = 0; i < 200000; ++i) attributes += " a" + std::to_string(i) + "=\"1\"";
    for (int i = 0; i < 20000; ++i) uses += "&e;";
    const std::string entity = "<!DOCTYPE svg [<!ENTITY e \"" + std::string(100000, 'a') + "\">]>";
    const struct {
        const char* file;
        std::string document;
        int seconds;         // --svg-time-limit
        std::string reason;
    } cases[] = {
        {"fifo/Fifo.svg", Svg(R"(<image width="16" height="16" href="img/fifo.png"/>)"), 1,
         "rendering took longer than 1 s"},
        {"Turbulence.svg",
         Svg(R"(<filter id="f"><feTurbulence baseFrequency="0.05" numOctaves="1000000"/></filter>)"
             R"x(<rect width="16" height="16" filter="url(#f)"/>)x"),
         1, "rendering took longer than 1 s"},
        {"Attributes.svg", Svg("<rect width=\"8\" height=\"8\"" + attributes + "/>"), 1,
         "rendering took longer than 1 s"},
        {"Entity.svg", entity + Svg("<text y=\"9\">" + uses + "</text>"), 60, "needs more than 1 GiB"},
        // Its decoder meets the limit as an allocation that fails; the image left out is named.
        {"big/Big.svg", Svg(R"(<image width="16" height="16" href="huge.png"/>)"), 1,
         "cannot render SVG: the image \"huge.png\" could not be loaded: "},
    };
    for (const auto& c : cases) {
        t_.WriteFile(c.file, c.document);
        const Clock::time_point start = Clock::now();
        const int status = Run({"--svg-time-limit", std::to_string(c.seconds), t_ / c.file});
        // At most three limits of waiting, with room for starting a sanitized helper.
        EXPECT_LT(Clock::now() - start, 3 * std::chrono::seconds(c.seconds) + 5s) << c.file;
        EXPECT_EQ(status, 1) << c.file;
        EXPECT_NE(err.str().find("plexon: " + t_ / c.file + ": " + c.reason), std::string::npos)
            << err.str();
    }
    // With --keep-going the icon is skipped, named with the reason, and the others are written; with
    // sizes too, where the render comes long after the parse.
    t_.WriteFile("Fine.svg", Svg(R"(<rect width="8" height="8"/>)"));
    for (const std::string size : {"", "16"}) {
        std::vector<std::string> args{"--keep-going", "--svg-time-limit", "1", t_ / "Turbulence.svg", t_ / "Fine.svg"};
        if (!size.empty()) args.insert(args.begin(), {"--size", size});
        EXPECT_EQ(Run(args), 1) << size;
        EXPECT_NE(err.str().find("Turbulence: Turbulence.svg: rendering took longer than 1 s"), std::string::npos)
            << err.str();
        EXPECT_TRUE(std::filesystem::exists(t_ / (size.empty() ? "out/Fine.bmp" : "out/16x16/Fine.bmp"))) << size;
    }
}

TEST_F(WeldSvgLimits, ARendererThatCrashesIsNamed) {
    t_.MakeFolder("img");
    ASSERT_EQ(::mkfifo((t_ / "img/fifo.png").c_str(), 0600), 0);
    t_.WriteFile("Crash.svg", Svg(R"(<image width="16" height="16" href="img/fifo.png"/>)"));
    std::thread crash([&] {
        const int fifo = OpenOnceRead(t_ / "img/fifo.png");
        // The helper that holds the FIFO open is made to crash; its descriptor may show a moment after
        // our open returns.
        const auto crashHolder = [&] {
            for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
                std::ifstream children(task.path() / "children");
                for (pid_t pid; children >> pid;) {
                    std::error_code gone;
                    for (const auto& fd :
                         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", gone))
                        if (std::filesystem::read_symlink(fd, gone) == t_ / "img/fifo.png")
                            return ::kill(pid, SIGSEGV) == 0;
                }
            }
            return false;
        };
        EXPECT_TRUE(WaitFor(crashHolder));
        ::close(fifo);
    });
    EXPECT_EQ(Run({"--svg-time-limit", "60", t_ / "Crash.svg"}), 1);
    crash.join();
    EXPECT_NE(err.str().find("Crash.svg: the renderer crashed\n"), std::string::npos) << err.str();
}

// The watch waits on a helper whose image never comes; SIGINT ends it with status 0 long before the
// render's limit of a minute (three of waiting) would.
TEST(WeldSvgWatch, InterruptEndsAWatchWaitingOnARender) {
    test::TempFolder t;
    t.MakeFolder("icons/img");
    ASSERT_EQ(::mkfifo((t / "icons/img/fifo.png").c_str(), 0600), 0);
    t.WriteFile("icons/Open.svg", Svg(R"(<rect width="8" height="8"/>)"));
    const int log = ::open((t / "stderr").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    pid_t pid = -1;
    ASSERT_TRUE(SpawnProgram({.argv = {PLEXON_BINARY, "weld", "--config", t / "none.ini", "--svg-time-limit",
                                       "60", "-o", t / "out", "--watch", t / "icons"},
                              .errorFd = log},
                             pid));
    ::close(log);
    const auto said = [&](const char* text) {
        std::ifstream in(t / "stderr");
        return std::string(std::istreambuf_iterator<char>(in), {}).find(text) != std::string::npos;
    };
    EXPECT_TRUE(WaitFor([&] { return said("watching 1 folder"); }));
    t.WriteFile("icons/Slow.svg", Svg(R"(<image width="16" height="16" href="img/fifo.png"/>)"));
    const int fifo = OpenOnceRead(t / "icons/img/fifo.png");
    EXPECT_GE(fifo, 0);
    ::kill(pid, SIGINT);
    int status = -1;
    const bool ended = WaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; });
    if (!ended) ::kill(pid, SIGKILL), ::waitpid(pid, &status, 0);
    ::close(fifo);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
}  // namespace plexon
