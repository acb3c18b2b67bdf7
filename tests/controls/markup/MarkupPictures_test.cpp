// Markup pictures from every source, their load errors, their place in a line and their links;
// list bullets; paragraph and page backgrounds.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "controls/ImageList.h"
#include "controls/PictureStore.h"
#include "controls/markup/MarkupPicture.h"
#include "controls/markup/MarkupTestSupport.h"
#include "graphics/Jpeg.h"
#include "graphics/JpegTestSupport.h"
#include "graphics/ModuleResources.h"
#include "graphics/PictureHeader.h"
#include "runtime/Stream.h"
#include "support/GifFiles.h"
#include "support/PngFiles.h"
#include "support/TempFolder.h"

namespace plexon {
namespace {

using test::MarkupSheet;

// A BMP file of one colour.
std::vector<std::uint8_t> SolidBmp(int width, int height, TColor colour) {
    TBitmap bitmap;
    bitmap.SetWidth(width);
    bitmap.SetHeight(height);
    bitmap.Canvas().Brush().SetColor(colour);
    bitmap.Canvas().FillRect({0, 0, width, height});
    TMemoryStream stream;
    bitmap.SaveStream(stream);
    return {stream.Memory(), stream.Memory() + stream.Size()};
}

const std::vector<std::uint8_t>& RedSquare() {
    static const std::vector<std::uint8_t> bytes = SolidBmp(20, 20, clRed);
    return bytes;
}

TEST(MarkupPictures, EverySourceDrawsItsPictureAtItsSize) {
    static const ResourceRegistration resource("MARKUPTESTRED", ResourceType::RawData, RedSquare().data(),
                                               RedSquare().size());
    test::TempFolder folder;
    const std::string file = folder.WriteFile("Red.bmp", std::string(RedSquare().begin(), RedSquare().end()));
    TPictureStore store(nullptr);
    store.Items().Add("Red").Picture.LoadBytes(RedSquare());
    TImageList images(nullptr, 20, 20);
    TBitmap red;
    red.LoadStream(*[] {
        static TMemoryStream s;
        s.WriteBuffer(RedSquare().data(), std::int64_t(RedSquare().size()));
        s.SetPosition(0);
        return &s;
    }());
    images.Add(red);
    TMarkupPictureCache cache;

    const gdi::COLORREF kRed = gdi::RGB(255, 0, 0);
    for (const std::string& src :
         {std::string("red"), std::string("RES://markuptestred"), "FILE://" + file, std::string("IDX:0")}) {
        SCOPED_TRACE(src);
        MarkupSheet sheet(200, 100);
        TMarkupInput input;
        input.PictureStore = &store;
        input.PictureCache = &cache;
        input.Images = &images;
        const TMarkupResult r = sheet.Draw("ab<img src=\"" + src + "\">", {0, 0, 200, 100}, input);
        const MarkupSheet::Ink ink = sheet.InkAll();
        const MarkupSheet::Ink picture = sheet.InkIn({0, 0, 200, 100}, kRed);
        EXPECT_EQ(picture.count, 400);
        EXPECT_EQ(picture.box.right - picture.box.left, 20);
        EXPECT_EQ(picture.box.bottom, 20);  // the picture sets the line height: text stands on its bottom
        EXPECT_EQ(r.ContentHeight, 20);
        EXPECT_EQ(r.ContentWidth, sheet.RunWidth("ab") + 20);
        EXPECT_LT(ink.box.left, picture.box.left);
    }
    EXPECT_EQ(cache.Count(), 2);  // RES:// and FILE:// locations, each loaded once
    // A stretched picture takes WIDTH and HEIGHT.
    MarkupSheet sheet(200, 100);
    TMarkupInput input;
    input.PictureStore = &store;
    sheet.Draw("<img src=\"RED\" width=\"30\" height=\"10\">", {0, 0, 200, 100}, input);
    const MarkupSheet::Ink stretched = sheet.InkIn({0, 0, 200, 100}, kRed);
    EXPECT_EQ(stretched.box.right - stretched.box.left, 30);
    EXPECT_EQ(stretched.box.bottom - stretched.box.top, 10);
    // Shell icons of our own, small and large.
    sheet.Clear();
    sheet.Draw("<img src=\"SSYS:folder\"><img src=\"LSYS:a.bmp\">", {0, 0, 200, 100}, input);
    const MarkupSheet::Ink icons = sheet.InkAll();
    EXPECT_GT(icons.count, 100);
    EXPECT_LE(icons.box.right, 1 + 16 + 32);
}

TEST(MarkupPictures, AJpegFileIsDecodedThroughTheJpegReader) {
    TBitmap red;
    red.SetWidth(24);
    red.SetHeight(16);
    red.Canvas().Brush().SetColor(clRed);
    red.Canvas().FillRect({0, 0, 24, 16});
    TJPEGImage jpeg;
    jpeg.AssignFrom(&red);
    TMemoryStream stream;
    jpeg.SaveStream(stream);
    test::TempFolder folder;
    const std::string path = folder.WriteFile(
        "red.jpg", std::string(reinterpret_cast<const char*>(stream.Memory()), std::size_t(stream.Size())));
    TMarkupPictureCache cache;
    TMarkupInput input;
    input.PictureCache = &cache;
    MarkupSheet sheet(100, 50);
    const TMarkupResult r = sheet.Draw("<img src=\"FILE://" + path + "\">", {0, 0, 100, 50}, input);
    EXPECT_EQ(r.ContentWidth, 24);
    EXPECT_EQ(r.ContentHeight, 16);
    const gdi::COLORREF middle = sheet.At(1 + 12, 8);
    EXPECT_GT(gdi::GetRValue(middle), 200);
    EXPECT_LT(gdi::GetGValue(middle), 60);
}

TEST(MarkupPictures, GifAndPngPicturesDrawAsTheirModels) {
    // An interlaced frame inside a larger screen; index 3 is transparent, as is the screen around it.
    test::GifPicture gif{12, 11, 4, 2, 5, 7, true, 3, {{200, 0, 0}, {0, 150, 0}, {0, 0, 220}, {9, 9, 9}}, {}};
    test::PngPicture png;
    png.width = 6;
    png.height = 5;
    for (int i = 0; i < 35; ++i) gif.indices.push_back(GifPixelType(i * 7 / 3 % 4));
    for (int i = 0; i < 30; ++i)  // alpha below half is transparent
        png.samples.insert(png.samples.end(), {std::uint16_t(i * 8), 90, std::uint16_t(255 - i * 8),
                                               std::uint16_t(i % 4 ? 255 - i : i)});
    using Ink = std::optional<gdi::COLORREF>;
    const auto gifInk = [&](int x, int y) -> Ink {
        const int i = (y - 2) * 5 + x - 4, index = x < 4 || x > 8 || y < 2 || y > 8 ? 3 : gif.indices[i];
        return index == 3
                   ? Ink()
                   : gdi::RGB(gif.colours[index].Red, gif.colours[index].Green, gif.colours[index].Blue);
    };
    const auto pngInk = [&](int x, int y) -> Ink {
        const std::uint16_t* p = &png.samples[std::size_t(y * 6 + x) * 4];
        return x >= 6 || y >= 5 || p[3] < 128 ? Ink() : gdi::RGB(std::uint8_t(p[0]), 90, std::uint8_t(p[2]));
    };
    TPictureStore store(nullptr);
    store.Items().Add("gif").Picture.LoadBytes(test::MakeGif(gif));
    store.Items().Add("png").Picture.LoadBytes(test::MakePng(png));
    const std::tuple<std::string, int, std::function<Ink(int, int)>> cases[] = {{"gif", 12, gifInk},
                                                                                {"png", 6, pngInk}};
    for (const auto& [name, width, ink] : cases) {
        MarkupSheet sheet(30, 20);
        TMarkupInput input;
        input.PictureStore = &store;
        EXPECT_EQ(sheet.Draw("<img src=\"" + name + "\">", {0, 0, 30, 20}, input).ContentWidth, width);
        int wrong = 0;  // the first picture of a line stands one pixel in, as text does
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x)
                wrong += sheet.At(x, y) != (x > 0 ? ink(x - 1, y) : Ink()).value_or(gdi::RGB(255, 255, 255));
        EXPECT_EQ(wrong, 0) << name;
    }
}

// What the renderer raises drawing a FILE:// picture of the path; empty when it draws.
std::string RendererRefusal(const std::string& path) {
    TMarkupPictureCache cache;
    TMarkupInput input;
    input.PictureCache = &cache;
    try {
        MarkupSheet(100, 50).Draw("<img src=\"FILE://" + path + "\">", {0, 0, 100, 50}, input);
    } catch (const EMarkupPictureError& e) {
        return e.Message();
    }
    return {};
}

TEST(MarkupPictures, OversizedClaimsAndFilesThatAreNotRegularAreRefusedAtOnce) {
    test::TempFolder folder;
    const auto file = [&](const std::string& name, const std::vector<std::uint8_t>& bytes) {
        return folder.WriteFile(name, std::string(bytes.begin(), bytes.end()));
    };
    const auto gif = [](int w, int h) { return test::MakeGif({w, h, 0, 0, 1, 1, false, -1, {{}, {}}, {0}}); };
    test::PngPicture png;
    png.width = 16385;
    png.samples.resize(16385 * 4);
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    const std::string refused(msg::kPictureLoad);
    const std::pair<std::string, std::string> cases[] = {
        {file("wide.gif", gif(16385, 1)), refused},
        {file("big.gif", gif(4097, 4096)), refused},  // sides within the limit, pixels not
        {file("edge.gif", gif(16384, 1)), ""},
        {file("wide.bmp", SolidBmp(16385, 1, clRed)), refused},
        {file("wide.png", test::MakePng(png)), refused},
        {file("wide.jpg", test::EncodeJpeg(*test::MakeRgbBitmap(16385, 1, test::Smooth))), refused},
        {folder / "fifo", refused},
        {folder.MakeFolder("folder"), refused},
    };
    for (const auto& [path, message] : cases) EXPECT_EQ(RendererRefusal(path), message) << path;
}

// Counts the bytes a reader takes from the stream under it.
class CountingStream : public TStream {
  public:
    explicit CountingStream(TStream& inner) : inner_(inner) {}
    std::int64_t Read(void* buffer, std::int64_t count) override {
        const std::int64_t n = inner_.Read(buffer, count);
        read += n;
        return n;
    }
    std::int64_t Write(const void*, std::int64_t) override { return 0; }
    std::int64_t Seek(std::int64_t offset, SeekOrigin origin) override { return inner_.Seek(offset, origin); }
    std::int64_t Size() override { return inner_.Size(); }
    std::int64_t read = 0;

  private:
    TStream& inner_;
};

// Sparse files the size of a bomb: a 2 GB file is refused by its size, a head claiming too much by
// the head alone, and a GIF whose frame claims 65535 x 65535 on a 1 x 1 screen by that frame.
TEST(MarkupPictures, HugeFilesAreRefusedFromTheirSizeOrTheirHead) {
    test::TempFolder folder;
    const std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                        0, 0, 0x4E, 0x20, 0, 0, 0x4E, 0x20, 8, 6, 0, 0, 0};  // 20000 x 20000
    const std::vector<std::uint8_t> gif = test::GifFrameBomb(65535, 65535, 3 << 19);
    struct Case {
        std::string name;
        std::vector<std::uint8_t> head;
        std::int64_t size, mostRead;
    };
    const Case cases[] = {
        {"huge.bmp", SolidBmp(4, 4, clRed), std::int64_t(2) << 30, 0},
        {"claim.png", png, std::int64_t(100) << 20, std::int64_t(kPictureHeadBytes)},
        {"bomb.gif", gif, std::int64_t(gif.size()), std::int64_t(gif.size())},
    };
    for (const Case& c : cases) {
        const std::string path = folder.WriteFile(c.name, std::string(c.head.begin(), c.head.end()));
        ASSERT_EQ(::truncate(path.c_str(), c.size), 0);
        TFileStream file(path, FileMode::OpenRead);
        CountingStream counting(file);
        TMarkupPicture picture;
        EXPECT_THROW(picture.LoadStream(counting), EMarkupPictureError) << c.name;
        EXPECT_LE(counting.read, c.mostRead) << c.name;
        // Through the renderer: the picture that does not load.
        EXPECT_EQ(RendererRefusal(path), msg::kPictureLoad) << c.name;
    }
}

TEST(MarkupPictures, UndecodableSourcesRaiseTheLoadErrors) {
    test::TempFolder folder;
    struct Case {
        std::string bytes;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"\xFF\xD8\xFF\xE0 jpeg", "Could not load image"},
        {"GIF89a", "Could not load image"},
        {"RIFF", "Could not load image. Invalid format"},
        {"BM broken", "Could not load image"},
        {"", "Empty image stream created"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].message);
        const std::string path = folder.WriteFile("p" + std::to_string(i), cases[i].bytes);
        TMarkupPictureCache cache;
        TMarkupInput input;
        input.PictureCache = &cache;
        MarkupSheet sheet(100, 50);
        const std::string text = "<img src=\"FILE://" + path + "\">";
        try {
            sheet.Draw(text, {0, 0, 100, 50}, input);
            ADD_FAILURE() << "no error";
        } catch (const EMarkupPictureError& e) {
            EXPECT_EQ(e.Message(), cases[i].message);
        }
        // The canvas is restored on the error path, and the failed picture is not tried again.
        EXPECT_EQ(sheet.Canvas().Font().Height(), -11);
        EXPECT_NO_THROW(sheet.Draw(text, {0, 0, 100, 50}, input));
    }
    // Unknown schemes and names without a store take no space and fetch nothing.
    TMarkupPictureCache cache;
    TMarkupInput input;
    input.PictureCache = &cache;
    MarkupSheet sheet(100, 50);
    EXPECT_EQ(sheet.Draw("<img src=\"http://example/x.bmp\"><img src=\"name\">", {0, 0, 100, 50}, input)
                  .ContentWidth,
              0);
}

TEST(MarkupPictures, PlacementLinksAndAlt) {
    TPictureStore store(nullptr);
    store.Items().Add("red").Picture.LoadBytes(RedSquare());
    store.Items().Add("blue").Picture.LoadBytes(SolidBmp(20, 20, clBlue));
    TMarkupInput input;
    input.PictureStore = &store;
    MarkupSheet sheet(200, 100);
    // A picture wider than what is left of the line moves to the next line.
    TMarkupResult r = sheet.Draw("abcdef<img src=\"red\">", {0, 0, 30, 100}, input);
    EXPECT_EQ(r.ContentHeight, sheet.LineHeight() + 20);
    // A linked picture under the point is a hit, and is drawn from its ALT source.
    const std::string linked = "<a href=\"x://pic\"><img src=\"red\" alt=\"blue\"></a>";
    input.Mode = TMarkupMode::MeasureOnly;
    input.CursorX = 10;
    input.CursorY = 10;
    input.Text = linked;
    input.Frame = {0, 0, 200, 100};
    r = RenderMarkup(sheet.Canvas(), input);
    EXPECT_TRUE(r.Hit);
    EXPECT_EQ(r.AnchorUnderCursor, "x://pic");
    input.Mode = TMarkupMode::Draw;
    sheet.Clear();
    RenderMarkup(sheet.Canvas(), input);
    EXPECT_EQ(sheet.InkIn({0, 0, 200, 100}, gdi::RGB(0, 0, 255)).count, 400);
    input.CursorX = 150;
    sheet.Clear();
    RenderMarkup(sheet.Canvas(), input);
    EXPECT_EQ(sheet.InkIn({0, 0, 200, 100}, gdi::RGB(255, 0, 0)).count, 400);
}

TEST(MarkupLists, BulletsIndentAndOneItemPerLine) {
    MarkupSheet sheet(200, 100);
    const int h = sheet.LineHeight();
    const TMarkupResult r = sheet.Measure("<ul><li>one<li>two</ul>", {0, 0, 200, 100});
    EXPECT_EQ(r.ContentHeight, 3 * h);  // UL ends its line; the second LI starts a new one
    // The second item's indent counts before it moves to the next line.
    EXPECT_EQ(r.ContentWidth, 12 + sheet.RunWidth("one") + 12);
    sheet.Draw("<ul><li>one<li>two</ul>", {0, 0, 200, 100});
    const MarkupSheet::Ink bullets = sheet.InkIn({0, h, 13, 3 * h});
    EXPECT_GT(bullets.count, 0);
    EXPECT_GE(sheet.InkIn({13, h, 200, 3 * h}).box.left, 13);
}

TEST(MarkupBackgrounds, ParagraphAndBodyColours) {
    MarkupSheet sheet(200, 60);
    const int h = sheet.LineHeight();
    sheet.Draw("<p bgcolor=\"#00FF00\">x</p><br>y", {0, 0, 200, 60});
    EXPECT_EQ(sheet.At(150, h / 2), gdi::RGB(0, 255, 0));          // the paragraph's band
    EXPECT_EQ(sheet.At(150, h + h / 2), gdi::RGB(255, 255, 255));  // after its end
    sheet.Clear();
    sheet.Draw("<body bgcolor=\"#0000FF\">x", {0, 0, 200, 60});
    EXPECT_EQ(sheet.At(150, h / 2), gdi::RGB(0, 0, 255));
    sheet.Clear();
    sheet.Draw("<body bgcolor=\"#000000\" bgcolorto=\"#FFFFFF\">", {0, 0, 200, 60});
    EXPECT_EQ(sheet.At(0, 30), gdi::RGB(0, 0, 0));
    EXPECT_GT(gdi::GetRValue(sheet.At(190, 30)), 200);
}

}  // namespace
}  // namespace plexon
