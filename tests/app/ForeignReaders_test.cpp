// Strips of the batch command read back by the common image libraries (ImageMagick's convert, Pillow),
// whichever are installed; skipped when neither is.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "support/BmpFiles.h"
#include "support/PngFiles.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

using test::ReadBytes;
using test::TempFolder;

bool Succeeds(const std::string& command) {
    const int raw = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(raw) && WEXITSTATUS(raw) == 0;
}

// Commands that turn the image named by {in} into raw 8-bit RGBA in {out}.
std::vector<std::string> Readers() {
    std::vector<std::string> readers;
    if (Succeeds("convert -version")) readers.push_back("convert {in} -depth 8 RGBA:{out}");
    for (const char* python : {"python3", "/usr/bin/python3"}) {
        if (!Succeeds(std::string(python) + " -c 'import PIL'")) continue;
        readers.push_back(
            std::string(python) +
            " -c 'import sys; from PIL import Image; "
            "open(sys.argv[2], \"wb\").write(Image.open(sys.argv[1]).convert(\"RGBA\").tobytes())' "
            "{in} {out}");
        break;
    }
    return readers;
}

std::string Fill(std::string command, const std::string& in, const std::string& out) {
    command.replace(command.find("{in}"), 4, "'" + in + "'");
    command.replace(command.find("{out}"), 5, "'" + out + "'");
    return command;
}

TEST(ForeignReaders, ReadPngAndBmpAlphaStripsPixelForPixel) {
    const std::vector<std::string> readers = Readers();
    if (readers.empty()) GTEST_SKIP() << "neither ImageMagick nor Pillow is installed";
    TempFolder t;
    const std::string icons = t.MakeFolder("icons");
    // Open.png: alpha and colour vary by pixel; Open_h.bmp: opaque; no Disabled file: transparent.
    test::PngPicture picture;
    picture.width = picture.height = 3;
    std::vector<std::uint8_t> model(9 * 4 * 3, 0);
    for (std::uint16_t y = 0; y < 3; ++y)
        for (std::uint16_t x = 0; x < 3; ++x) {
            const std::uint16_t pixel[] = {std::uint16_t(40 * x + 1), std::uint16_t(70 * y), 200,
                                           std::uint16_t(255 - 60 * (x + y))};
            picture.samples.insert(picture.samples.end(), std::begin(pixel), std::end(pixel));
            for (int c = 0; c < 4; ++c)
                model[std::size_t(y * 9 + x) * 4 + std::size_t(c)] = std::uint8_t(pixel[c]);
            const std::uint8_t hot[] = {9, 99, 199, 255};
            std::copy(std::begin(hot), std::end(hot), model.begin() + std::ptrdiff_t((y * 9 + 3 + x) * 4));
        }
    const std::vector<std::uint8_t> png = test::MakePng(picture);
    t.WriteFile("icons/Open.png", std::string(png.begin(), png.end()));
    test::WriteSolidBmp24(icons + "/Open_h.bmp", 3, 3, {9, 99, 199});

    for (const char* format : {"png", "bmp-alpha"}) {
        const std::string out = t.MakeFolder(format);
        ASSERT_TRUE(Succeeds("PLEXON_CONFIG=none '" + std::string(PLEXON_BINARY) + "' weld -q --format " +
                             format + " -o '" + out + "' '" + icons + "'"));
        const std::string strip = out + (format == std::string("png") ? "/Open.png" : "/Open.bmp");
        for (const std::string& reader : readers) {
            SCOPED_TRACE(format + (" through " + reader.substr(0, reader.find(' '))));
            ASSERT_TRUE(Succeeds(Fill(reader, strip, t / "raw")));
            EXPECT_EQ(ReadBytes(t / "raw"), model);
        }
    }
}

}  // namespace
}  // namespace plexon
