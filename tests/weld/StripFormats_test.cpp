// The weld run in its three strip formats with BMP and PNG sources mixed: every strip read back
// pixel for pixel against a model, the size notices, and a damaged PNG in the middle of a run.
#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/Bitmap.h"
#include "graphics/PngFormat.h"
#include "runtime/Exceptions.h"
#include "support/BmpFiles.h"
#include "support/PngFiles.h"
#include "support/TempFolder.h"
#include "weld/WeldRun.h"

namespace plexon {
namespace {

namespace fs = std::filesystem;
constexpr std::int32_t kSlot = 5;

// Source pixels say which file they come from (red) and where (green, blue); PNG pixels vary in alpha.
Rgba SourcePixel(int tag, std::int32_t x, std::int32_t y, bool png) {
    return {std::uint8_t(tag * 40), std::uint8_t(x * 30), std::uint8_t(y * 30),
            png ? std::uint8_t((x + y) * 25 + 5) : std::uint8_t(255)};
}

RgbaImage SourceImage(int tag, std::int32_t size, bool png) {
    RgbaImage image(size, size, kTransparent);
    for (std::int32_t y = 0; y < size; ++y)
        for (std::int32_t x = 0; x < size; ++x) {
            const Rgba p = SourcePixel(tag, x, y, png);
            std::uint8_t* d = image.Row(y) + 4 * x;
            d[0] = p.red, d[1] = p.green, d[2] = p.blue, d[3] = p.alpha;
        }
    return image;
}

class StripFormatsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(folder_ / "src");
        fs::create_directory(folder_ / "out");
    }

    std::string Png(const std::string& name, int tag, std::int32_t size = kSlot) {
        test::PngPicture picture;
        picture.width = picture.height = std::uint32_t(size);
        picture.interlaced = tag % 2 == 0;
        for (std::int32_t y = 0; y < size; ++y)
            for (std::int32_t x = 0; x < size; ++x) {
                const Rgba p = SourcePixel(tag, x, y, true);
                picture.samples.insert(picture.samples.end(), {p.red, p.green, p.blue, p.alpha});
            }
        const std::vector<std::uint8_t> bytes = test::MakePng(picture);
        return folder_.WriteFile("src/" + name, std::string(bytes.begin(), bytes.end()));
    }

    std::string Bmp(const std::string& name, int tag) {
        const std::string path = folder_ / ("src/" + name);
        test::WriteBmp24(path, kSlot, kSlot, [tag](std::int32_t x, std::int32_t y) {
            const Rgba p = SourcePixel(tag, x, y, false);
            return test::MakeRgb(p.red, p.green, p.blue);
        });
        return path;
    }

    // Runs the three-state weld and gives the size notices.
    std::vector<std::string> Run(StripFormat format, const std::vector<std::string>& files) {
        WeldRequest request;
        request.FileList = files;
        request.ImageSize = kSlot;
        request.OutputFolder = folder_ / "out/";
        request.Format = format;
        request.Sources = SourceFormats::BmpAndPng;
        std::vector<std::string> notices;
        WeldRun run(std::move(request));
        run.SetSizeNotice([&notices](const std::string& path, std::int32_t width, std::int32_t height) {
            notices.push_back(fs::path(path).filename().string() + " " + std::to_string(width) + "x" +
                              std::to_string(height));
        });
        run.Execute({});
        return notices;
    }

    // A strip written in the format, as RGBA.
    RgbaImage Read(StripFormat format, const std::string& base) {
        const std::string path = folder_ / ("out/" + base + std::string(StripExtension(format)));
        if (format == StripFormat::Png) return DecodePng(ReadFileBytes(path));
        if (format == StripFormat::BmpAlpha) {
            TBitmap bitmap;
            bitmap.LoadFile(path);
            RgbaImage image(bitmap.Width(), bitmap.Height(), kTransparent);
            for (std::int32_t y = 0; y < image.Height(); ++y) {
                const auto* s = static_cast<const std::uint8_t*>(bitmap.RowPointer(y));
                for (std::int32_t x = 0; x < image.Width(); ++x, s += 4) {
                    std::uint8_t* d = image.Row(y) + 4 * x;
                    d[0] = s[2], d[1] = s[1], d[2] = s[0], d[3] = s[3];
                }
            }
            return image;
        }
        const std::optional<test::Picture> picture = test::ReadBmp(path);
        if (!picture) return {};
        RgbaImage image(picture->width, picture->height, kTransparent);
        for (std::int32_t y = 0; y < image.Height(); ++y)
            for (std::int32_t x = 0; x < image.Width(); ++x) {
                const test::Rgb c = picture->At(x, y);
                std::uint8_t* d = image.Row(y) + 4 * x;
                d[0] = c.r, d[1] = c.g, d[2] = c.b, d[3] = 255;
            }
        return image;
    }

    test::TempFolder folder_;
};

RgbaImage Strip(std::initializer_list<RgbaImage> slots) {
    RgbaImage strip(kSlot * std::int32_t(slots.size()), kSlot, kTransparent);
    std::int32_t x = 0;
    for (const RgbaImage& slot : slots) {
        strip.CopyFrom(slot, x, 0);
        x += kSlot;
    }
    return strip;
}

TEST_F(StripFormatsTest, MixedSourcesInEveryFormatReadBackAsTheModel) {
    const std::vector<std::string> files = {
        Png("Open.png", 1),   Bmp("Open_h.bmp", 2),    Png("Open_d.png", 3),
        Bmp("Save.bmp", 4),   Png("Save_h.png", 5, 7),  // larger: cut
        Png("Zed.png", 6, 3),                           // smaller and last: padded
    };
    const RgbaImage open = SourceImage(1, kSlot, true), openHot = SourceImage(2, kSlot, false),
                    openDisabled = SourceImage(3, kSlot, true), save = SourceImage(4, kSlot, false),
                    saveHot = SourceImage(5, 7, true), zed = SourceImage(6, 3, true);
    struct Expected {
        const char* base;
        RgbaImage alpha;  // png and bmp-alpha
        RgbaImage bmp;    // before flattening over white
    };
    // Save has no Disabled file and Zed only a Normal one smaller than a slot: what they lack is blank,
    // transparent with alpha and white in a BMP strip, never an earlier icon's pixels.
    const RgbaImage blank(kSlot, kSlot, kTransparent);
    Expected expected[] = {
        {"Open", Strip({open, openHot, openDisabled}), Strip({open, openHot, openDisabled})},
        {"Save", Strip({save, saveHot, blank}), Strip({save, saveHot, blank})},
        {"Zed", Strip({zed, blank, blank}), Strip({zed, blank, blank})},
    };

    for (StripFormat format : {StripFormat::Bmp, StripFormat::Png, StripFormat::BmpAlpha}) {
        SCOPED_TRACE(StripExtension(format));
        fs::remove_all(folder_ / "out");
        fs::create_directory(folder_ / "out");
        EXPECT_EQ(Run(format, files), (std::vector<std::string>{"Save_h.png 7x7", "Zed.png 3x3"}));
        for (Expected& e : expected) {
            SCOPED_TRACE(e.base);
            RgbaImage model = format == StripFormat::Bmp ? e.bmp : e.alpha;
            if (format == StripFormat::Bmp) model.Flatten(kOpaqueWhite);
            EXPECT_EQ(Read(format, e.base).Bytes(), model.Bytes());
        }
    }
}

TEST_F(StripFormatsTest, StatesWithoutFilesAreTransparentWithAlphaAndWhiteInBmp) {
    const std::vector<std::string> files = {Bmp("Open.bmp", 1)};
    const RgbaImage open = SourceImage(1, kSlot, false);
    for (StripFormat format : {StripFormat::Bmp, StripFormat::Png, StripFormat::BmpAlpha}) {
        Run(format, files);
        const RgbaImage empty(kSlot, kSlot, format == StripFormat::Bmp ? kOpaqueWhite : kTransparent);
        EXPECT_EQ(Read(format, "Open").Bytes(), Strip({open, empty, empty}).Bytes())
            << StripExtension(format);
    }
}

TEST_F(StripFormatsTest, DamagedPngEndsTheRunBeforeItsStripIsWritten) {
    const std::string good = Bmp("Open.bmp", 1);
    std::string damaged = Png("Save.png", 2);
    fs::resize_file(damaged, fs::file_size(damaged) - 20);
    for (StripFormat format : {StripFormat::Bmp, StripFormat::Png}) {
        fs::remove_all(folder_ / "out");
        fs::create_directory(folder_ / "out");
        try {
            Run(format, {good, damaged});
            ADD_FAILURE() << "no error";
        } catch (const EInvalidGraphic& e) {
            EXPECT_TRUE(e.Message().starts_with("PNG image is not valid: ")) << e.Message();
        }
        std::vector<std::string> written;
        for (const auto& entry : fs::directory_iterator(folder_ / "out"))
            written.push_back(entry.path().filename().string());
        EXPECT_EQ(written, std::vector<std::string>{"Open" + std::string(StripExtension(format))});
    }
}

TEST_F(StripFormatsTest, PngStripsRefuseAnEmptySlotSize) {
    WeldRequest request;
    request.FileList = {Bmp("Open.bmp", 1)};
    request.ImageSize = 0;
    request.Format = StripFormat::Png;
    EXPECT_THROW(WeldRun{request}, EInvalidOperation);
    request.Format = StripFormat::Bmp;
    EXPECT_NO_THROW(WeldRun{request});
}

}  // namespace
}  // namespace plexon
