// Pixels in and out of bitmaps in DIB formats: every format both ways, row order, partial bands,
// header queries and colour tables.
#include <gtest/gtest.h>

#include <vector>

#include "GdiTestSupport.h"

namespace plexon::gdi {
namespace {

using test::Canvas;

// A bitmap format under test: a device bitmap (bits 0 colour, -1 monochrome) or a DIB section.
struct Format {
    int bits;
    std::uint32_t compression;
    bool topDown;
    const char* name;
};

const Format kFormats[] = {
    {0, BI_RGB, false, "device"},
    {-1, BI_RGB, false, "device mono"},
    {1, BI_RGB, false, "1"},
    {4, BI_RGB, true, "4 top-down"},
    {8, BI_RGB, false, "8"},
    {16, BI_RGB, true, "555 top-down"},
    {16, BI_BITFIELDS, false, "565"},
    {24, BI_RGB, false, "24"},
    {24, BI_RGB, true, "24 top-down"},
    {32, BI_RGB, false, "32"},
    {32, BI_BITFIELDS, true, "32 masks top-down"},
};

// Colours every format can hold exactly (and, for one bit, black and white only).
const COLORREF kPrimaries[8] = {RGB(0, 0, 0),     RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                                RGB(255, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255), RGB(255, 255, 255)};

bool IsOneBit(const Format& f) {
    return f.bits == 1 || f.bits == -1;
}

BITMAPINFO InfoFor(const Format& f, int w, int h) {
    BITMAPINFO info = test::MakeInfo(w, f.topDown ? -h : h, f.bits, f.compression);
    if (f.compression == BI_BITFIELDS) {
        const std::uint32_t masks[3] = {f.bits == 16 ? 0xF800u : 0xFF0000u, f.bits == 16 ? 0x07E0u : 0xFF00u,
                                        f.bits == 16 ? 0x001Fu : 0xFFu};
        std::memcpy(info.bmiColors, masks, sizeof masks);
    } else if (f.bits <= 8) {
        const int count = f.bits == 1 ? 2 : 8;
        for (int i = 0; i < count; ++i) info.bmiColors[i] = test::Quad(kPrimaries[f.bits == 1 ? i * 7 : i]);
        info.bmiHeader.biClrUsed = std::uint32_t(count);
    }
    return info;
}

HBITMAP Make(const Format& f, int w, int h) {
    if (f.bits == 0) return CreateBitmap(w, h, 1, 32, nullptr);
    if (f.bits == -1) return CreateBitmap(w, h, 1, 1, nullptr);
    BITMAPINFO info = InfoFor(f, w, h);
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
}

COLORREF Expected(int x, int y, bool blackWhite) {
    const int i = (x * 3 + y * 5) % 8;
    return blackWhite ? ((i % 2) ? RGB(255, 255, 255) : 0) : kPrimaries[i];
}

TEST(DibBits, EveryFormatRoundTripsThroughEveryOther) {
    for (auto [w, h] : {std::pair{47, 33}, {1, 1}, {7, 3}}) {
        for (const Format& from : kFormats) {
            for (const Format& to : kFormats) {
                if (to.bits <= 0) continue;  // output formats are DIB formats
                const bool blackWhite = IsOneBit(from) || IsOneBit(to);
                Canvas source(Make(from, w, h));
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) SetPixel(source.dc(), x, y, Expected(x, y, blackWhite));

                BITMAPINFO info = InfoFor(to, w, h);
                info.bmiHeader.biClrUsed = 0;
                const std::size_t stride = std::size_t((w * to.bits + 31) / 32 * 4);
                std::vector<std::uint8_t> pixels(stride * std::size_t(h));
                ASSERT_EQ(
                    GetDIBits(source.dc(), source.bitmap(), 0, UINT(h), pixels.data(), &info, DIB_RGB_COLORS),
                    h)
                    << from.name << " -> " << to.name;
                EXPECT_EQ(info.bmiHeader.biSizeImage, stride * std::size_t(h));

                // Read the buffer through a section made from the header GetDIBits handed back.
                void* memory = nullptr;
                Canvas view(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0));
                std::memcpy(memory, pixels.data(), pixels.size());
                Canvas back(Make(from, w, h));
                ASSERT_EQ(
                    SetDIBits(back.dc(), back.bitmap(), 0, UINT(h), pixels.data(), &info, DIB_RGB_COLORS), h);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        ASSERT_EQ(GetPixel(view.dc(), x, y), Expected(x, y, blackWhite))
                            << from.name << " -> " << to.name << " at " << x << "," << y;
                        ASSERT_EQ(GetPixel(back.dc(), x, y), Expected(x, y, blackWhite))
                            << to.name << " -> " << from.name << " at " << x << "," << y;
                    }
            }
        }
    }
}

TEST(DibBits, DeviceBitmapTo32BitsIsTheSameBytes) {
    Canvas device(CreateBitmap(7, 3, 1, 32, nullptr));
    test::Paint(device.dc(), 7, 3);
    BITMAPINFO info = test::MakeInfo(7, -3, 32);
    std::uint32_t pixels[21];
    ASSERT_EQ(GetDIBits(device.dc(), device.bitmap(), 0, 3, pixels, &info, DIB_RGB_COLORS), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) {
            const COLORREF c = test::PatternColor(x, y);
            EXPECT_EQ(pixels[y * 7 + x],
                      std::uint32_t(GetBValue(c)) | (GetGValue(c) << 8) | (GetRValue(c) << 16));
        }
}

TEST(DibBits, BandsCountRowsFromTheBottom) {
    Canvas device(CreateBitmap(1, 5, 1, 32, nullptr));
    for (int y = 0; y < 5; ++y) SetPixel(device.dc(), 0, y, RGB(y, 0, 0));
    std::uint32_t pixels[5] = {};
    BITMAPINFO bottomUp = test::MakeInfo(1, 5, 32);
    ASSERT_EQ(GetDIBits(device.dc(), device.bitmap(), 1, 2, pixels, &bottomUp, DIB_RGB_COLORS), 2);
    EXPECT_EQ(pixels[0], 3u << 16);  // row 1 from the bottom is row 3 from the top
    EXPECT_EQ(pixels[1], 2u << 16);
    BITMAPINFO topDown = test::MakeInfo(1, -5, 32);
    ASSERT_EQ(GetDIBits(device.dc(), device.bitmap(), 1, 2, pixels, &topDown, DIB_RGB_COLORS), 2);
    EXPECT_EQ(pixels[0], 2u << 16);
    EXPECT_EQ(pixels[1], 3u << 16);
    EXPECT_EQ(GetDIBits(device.dc(), device.bitmap(), 4, 9, pixels, &bottomUp, DIB_RGB_COLORS), 1);
    EXPECT_EQ(pixels[0], 0u);
    EXPECT_EQ(GetDIBits(device.dc(), device.bitmap(), 5, 1, pixels, &bottomUp, DIB_RGB_COLORS), 0);

    const std::uint32_t band[2] = {0x00FF0000, 0x0000FF00};
    ASSERT_EQ(SetDIBits(device.dc(), device.bitmap(), 3, 2, band, &bottomUp, DIB_RGB_COLORS), 2);
    EXPECT_EQ(GetPixel(device.dc(), 0, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(device.dc(), 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(device.dc(), 0, 2), RGB(2, 0, 0));
}

TEST(DibBits, QueryWithoutBitsDescribesTheBitmap) {
    const RGBQUAD colors[3] = {test::Quad(RGB(1, 2, 3)), test::Quad(RGB(4, 5, 6)), test::Quad(RGB(7, 8, 9))};
    Canvas palette(test::MakeDib(7, -3, 4, nullptr, colors, 3));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_NE(GetDIBits(palette.dc(), palette.bitmap(), 0, 3, nullptr, &info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(info.bmiHeader.biWidth, 7);
    EXPECT_EQ(info.bmiHeader.biHeight, -3);
    EXPECT_EQ(info.bmiHeader.biBitCount, 4);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 12u);
    EXPECT_EQ(info.bmiColors[2].rgbRed, 7);

    Canvas device(CreateBitmap(7, 3, 1, 32, nullptr));
    info = BITMAPINFO{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_NE(GetDIBits(device.dc(), device.bitmap(), 0, 3, nullptr, &info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(info.bmiHeader.biBitCount, 32);
    EXPECT_EQ(info.bmiHeader.biHeight, 3);
    EXPECT_EQ(info.bmiHeader.biCompression, BI_RGB);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 84u);

    // With a bit count, the colour table of that depth is filled in.
    info = test::MakeInfo(7, 3, 8);
    ASSERT_NE(GetDIBits(device.dc(), device.bitmap(), 0, 3, nullptr, &info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(info.bmiHeader.biSizeImage, 24u);
    EXPECT_EQ(info.bmiColors[255].rgbRed, 255);
    EXPECT_EQ(info.bmiColors[255].rgbBlue, 255);
}

TEST(DibBits, PaletteOutputKeepsTheBitmapsIndices) {
    const RGBQUAD colors[3] = {test::Quad(RGB(9, 9, 9)), test::Quad(RGB(9, 9, 9)),
                               test::Quad(RGB(200, 1, 1))};
    void* memory = nullptr;
    Canvas palette(test::MakeDib(3, -1, 8, &memory, colors, 3));
    auto* indices = static_cast<std::uint8_t*>(memory);
    indices[0] = 1, indices[1] = 2, indices[2] = 0;
    BITMAPINFO info = test::MakeInfo(3, 1, 8);
    std::uint8_t out[4] = {};
    ASSERT_EQ(GetDIBits(palette.dc(), palette.bitmap(), 0, 1, out, &info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[1], 2);
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(info.bmiHeader.biClrUsed, 3u);
}

TEST(DibBits, IndicesPastTheColourTableReadBlack) {
    const RGBQUAD colors[2] = {test::Quad(RGB(255, 255, 255)), test::Quad(RGB(255, 0, 0))};
    void* memory = nullptr;
    Canvas palette(test::MakeDib(2, 1, 8, &memory, colors, 2));
    static_cast<std::uint8_t*>(memory)[0] = 200;
    EXPECT_EQ(GetPixel(palette.dc(), 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(palette.dc(), 1, 0), RGB(255, 255, 255));
}

TEST(DibBits, RefusesBadHeaders) {
    Canvas device(CreateBitmap(7, 3, 1, 32, nullptr));
    std::uint32_t pixels[21];
    BITMAPINFO info = test::MakeInfo(7, 3, 12);
    EXPECT_EQ(GetDIBits(device.dc(), device.bitmap(), 0, 3, pixels, &info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(SetDIBits(device.dc(), device.bitmap(), 0, 3, pixels, &info, DIB_RGB_COLORS), 0);
    info = test::MakeInfo(7, 3, 32);
    EXPECT_EQ(GetDIBits(device.dc(), device.bitmap(), 0, 3, pixels, nullptr, DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetDIBits(device.dc(), nullptr, 0, 3, pixels, &info, DIB_RGB_COLORS), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(ColourTable, ReadAndReplaceOnTheSelectedSection) {
    const RGBQUAD colors[16] = {test::Quad(RGB(1, 1, 1)), test::Quad(RGB(2, 2, 2))};
    Canvas palette(test::MakeDib(7, 3, 4, nullptr, colors, 16));
    RGBQUAD read[16];
    EXPECT_EQ(GetDIBColorTable(palette.dc(), 0, 16, read), 16u);
    EXPECT_EQ(read[1].rgbRed, 2);
    EXPECT_EQ(GetDIBColorTable(palette.dc(), 14, 5, read), 2u);
    EXPECT_EQ(GetDIBColorTable(palette.dc(), 16, 1, read), 0u);
    const RGBQUAD replacement = test::Quad(RGB(50, 60, 70));
    EXPECT_EQ(SetDIBColorTable(palette.dc(), 1, 1, &replacement), 1u);
    // Pixels with index 1 now show the new colour.
    void* memory = nullptr;
    DIBSECTION dib;
    GetObject(palette.bitmap(), sizeof dib, &dib);
    memory = dib.dsBm.bmBits;
    static_cast<std::uint8_t*>(memory)[8] = 0x10;  // top row (stored last), first pixel: index 1
    EXPECT_EQ(GetPixel(palette.dc(), 0, 0), RGB(50, 60, 70));
    Canvas device(CreateBitmap(7, 3, 1, 32, nullptr));
    EXPECT_EQ(GetDIBColorTable(device.dc(), 0, 2, read), 0u);
}

}  // namespace
}  // namespace plexon::gdi

namespace plexon::gdi {
namespace {

TEST(DibBits, PaletteIndexTablesUseTheContextPalette) {
    test::Canvas device(CreateBitmap(2, 1, 1, 32, nullptr));
    SetPixel(device.dc(), 0, 0, RGB(255, 0, 0));
    SetPixel(device.dc(), 1, 0, RGB(0, 0, 255));
    BITMAPINFO info = test::MakeInfo(2, 1, 8);
    std::uint8_t out[4] = {};
    ASSERT_EQ(GetDIBits(device.dc(), device.bitmap(), 0, 1, out, &info, DIB_PAL_COLORS), 1);
    // The default palette holds the 20 static colours: red is entry 13, blue entry 16.
    EXPECT_EQ(out[0], 13);
    EXPECT_EQ(out[1], 16);
    const auto* indices = reinterpret_cast<const std::uint16_t*>(info.bmiColors);
    EXPECT_EQ(indices[13], 13);
    EXPECT_EQ(info.bmiHeader.biClrUsed, 20u);
    test::Canvas back(CreateBitmap(2, 1, 1, 32, nullptr));
    ASSERT_EQ(SetDIBits(back.dc(), back.bitmap(), 0, 1, out, &info, DIB_PAL_COLORS), 1);
    EXPECT_EQ(GetPixel(back.dc(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(back.dc(), 1, 0), RGB(0, 0, 255));
}

}  // namespace
}  // namespace plexon::gdi
