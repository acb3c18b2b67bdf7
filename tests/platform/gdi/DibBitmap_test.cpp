// CreateDIBitmap: device bitmaps made from uncompressed and run-length DIBs, the colours they take
// from the table, and the descriptions it refuses with and without an error code.
#include <gtest/gtest.h>

#include <vector>

#include "GdiTestSupport.h"
#include "platform/gdi/DibBitmap.h"

namespace plexon::gdi {
namespace {

using test::Canvas;
using test::MakeInfo;
using test::Quad;

BITMAPINFO RunLengthInfo(int width, int height, int bits, std::size_t bytes) {
    BITMAPINFO info = MakeInfo(width, height, bits, bits == 8 ? BI_RLE8 : BI_RLE4);
    info.bmiHeader.biSizeImage = std::uint32_t(bytes);
    info.bmiHeader.biClrUsed = 3;
    info.bmiColors[0] = Quad(RGB(10, 20, 30));
    info.bmiColors[1] = Quad(RGB(255, 0, 0));
    info.bmiColors[2] = Quad(RGB(0, 0, 255));
    return info;
}

TEST(CreateDIBitmap, RunLengthPixelsTakeTheTableColoursAndSkippedOnesStayBlack) {
    // Bottom row: two of index 1 and a delta over the third pixel; end of line; top row: index 2,
    // then index 7, which the three-entry table does not have; the last top pixel is never written.
    const std::vector<std::uint8_t> data = {2, 1, 0, 2, 1, 0, 0, 0, 1, 2, 1, 7, 0, 1};
    const BITMAPINFO info = RunLengthInfo(3, 2, 8, data.size());
    Canvas canvas(CreateDIBitmap(nullptr, &info.bmiHeader, CBM_INIT, data.data(), &info, DIB_RGB_COLORS));
    BITMAP description;
    ASSERT_EQ(GetObject(canvas.bitmap(), sizeof description, &description), kBitmapObjectSize);
    EXPECT_EQ(description.bmBitsPixel, 32);
    EXPECT_EQ(description.bmBits, nullptr);
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 0), RGB(0, 0, 0));  // index 7 past the table: black
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 0), RGB(0, 0, 0));
}

TEST(CreateDIBitmap, FourBitRunsInAMonochromeContextFollowItsFormat) {
    const std::vector<std::uint8_t> data = {4, 0x12, 0, 1};
    const BITMAPINFO info = RunLengthInfo(4, 1, 4, data.size());
    const HDC dc = CreateCompatibleDC(nullptr);  // holds the 1 x 1 monochrome bitmap
    Canvas canvas(CreateDIBitmap(dc, &info.bmiHeader, CBM_INIT, data.data(), &info, DIB_RGB_COLORS));
    DeleteDC(dc);
    BITMAP description;
    GetObject(canvas.bitmap(), sizeof description, &description);
    EXPECT_EQ(description.bmBitsPixel, 1);
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(0, 0, 0));  // red is nearer black
}

TEST(CreateDIBitmap, UncompressedPixelsAreSetAsSetDIBitsTakesThem) {
    const std::uint8_t pixels[8] = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00};
    const BITMAPINFO info = MakeInfo(2, 1, 24);
    Canvas canvas(CreateDIBitmap(nullptr, &info.bmiHeader, CBM_INIT, pixels, &info, DIB_RGB_COLORS));
    EXPECT_EQ(GetPixel(canvas.dc(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(canvas.dc(), 1, 0), RGB(0, 255, 0));
    // Without CBM_INIT only the size counts.
    Canvas blank(CreateDIBitmap(nullptr, &info.bmiHeader, 0, nullptr, nullptr, DIB_RGB_COLORS));
    EXPECT_EQ(GetPixel(blank.dc(), 1, 0), RGB(0, 0, 0));
}

TEST(CreateDIBitmap, UndecodableDescriptionsFailWithoutAnErrorCode) {
    const std::vector<std::uint8_t> data = {1, 1, 0, 1};
    std::vector<BITMAPINFO> refused;
    refused.push_back(RunLengthInfo(2, -2, 8, data.size()));  // top-down run-length data
    refused.push_back(RunLengthInfo(2, 2, 4, data.size()));
    refused.back().bmiHeader.biCompression = BI_RLE8;  // RLE8 at 4 bits
    refused.push_back(RunLengthInfo(2, 2, 8, data.size()));
    refused.back().bmiHeader.biCompression = 4;  // an encoding we do not decode
    refused.push_back(RunLengthInfo(0, 2, 8, data.size()));
    for (const BITMAPINFO& info : refused) {
        SetLastError(ERROR_BUSY);
        EXPECT_EQ(CreateDIBitmap(nullptr, &info.bmiHeader, CBM_INIT, data.data(), &info, DIB_RGB_COLORS),
                  nullptr);
        EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
    }
}

TEST(CreateDIBitmap, OversizedBitmapFailsWithNotEnoughMemory) {
    const std::vector<std::uint8_t> data = {0, 1};
    const BITMAPINFO info = RunLengthInfo(30000, 30000, 8, data.size());
    EXPECT_EQ(CreateDIBitmap(nullptr, &info.bmiHeader, CBM_INIT, data.data(), &info, DIB_RGB_COLORS),
              nullptr);
    EXPECT_EQ(GetLastError(), ERROR_NOT_ENOUGH_MEMORY);
}

}  // namespace
}  // namespace plexon::gdi
