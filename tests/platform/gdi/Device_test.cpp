// The display's fixed description, system colours, MulDiv and the last-error texts.
#include <gtest/gtest.h>

#include <climits>

#include "platform/gdi/Raster.h"

namespace plexon::gdi {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(1, -3, 2), -2);
    EXPECT_EQ(MulDiv(3, 1, -2), -2);
    EXPECT_EQ(MulDiv(-3, -1, -2), -2);
    EXPECT_EQ(MulDiv(10, 1, 3), 3);
    EXPECT_EQ(MulDiv(11, 1, 3), 4);
    EXPECT_EQ(MulDiv(-11, 1, 3), -4);
}

TEST(MulDiv, KeepsTheFullProductAndReportsOverflow) {
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
    EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);
    EXPECT_EQ(MulDiv(INT_MIN, 1, 1), INT_MIN);
    EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1);  // 2^31 does not fit
    EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDiv(5, 7, 0), -1);
    EXPECT_EQ(MulDiv(INT_MIN, INT_MIN, INT_MIN), INT_MIN);
}

TEST(Display, ReportsAPaletteFree32BitScreen) {
    EXPECT_EQ(GetDeviceCaps(nullptr, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(nullptr, PLANES), 1);
    EXPECT_EQ(GetDeviceCaps(nullptr, SIZEPALETTE), 0);
    EXPECT_EQ(GetDeviceCaps(nullptr, NUMCOLORS), -1);
    EXPECT_EQ(GetDeviceCaps(nullptr, RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(nullptr, HORZRES), 1024);
    EXPECT_EQ(GetDeviceCaps(nullptr, VERTRES), 768);
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
    DeleteDC(dc);
    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Display, SystemColoursFollowTheClassicScheme) {
    EXPECT_EQ(GetSysColor(15), RGB(192, 192, 192));  // button face
    EXPECT_EQ(GetSysColor(16), RGB(128, 128, 128));  // button shadow
    EXPECT_EQ(GetSysColor(20), RGB(255, 255, 255));  // button highlight
    EXPECT_EQ(GetSysColor(21), RGB(0, 0, 0));        // 3D dark shadow
    EXPECT_EQ(GetSysColor(5), RGB(255, 255, 255));   // window
    EXPECT_EQ(GetSysColor(8), RGB(0, 0, 0));         // window text
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(1000), 0u);
}

TEST(LastError, KeepsTheCodeAndNamesIt) {
    SetLastError(ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(SystemErrorText(ERROR_NOT_ENOUGH_MEMORY),
              "Not enough memory resources are available to process this command.");
    EXPECT_EQ(SystemErrorText(ERROR_INVALID_PARAMETER), "The parameter is incorrect.");
    EXPECT_EQ(SystemErrorText(ERROR_INVALID_HANDLE), "The handle is invalid.");
    EXPECT_EQ(SystemErrorText(ERROR_INVALID_BITMAP), "The bitmap is invalid.");
    EXPECT_EQ(SystemErrorText(4242), "");
}

TEST(Context, ModesAndColoursAreKeptAndChecked) {
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SetBkColor(dc, RGB(1, 2, 3)), RGB(255, 255, 255));
    EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(SetTextColor(dc, RGB(4, 5, 6)), RGB(0, 0, 0));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, 7), 0);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(SetStretchBltMode(dc, HALFTONE), BLACKONWHITE);
    EXPECT_EQ(SetStretchBltMode(dc, 0), 0);
    EXPECT_EQ(GetStretchBltMode(dc), HALFTONE);
    POINT previous;
    EXPECT_TRUE(SetBrushOrgEx(dc, 3, 4, &previous));
    POINT origin;
    GetBrushOrgEx(dc, &origin);
    EXPECT_EQ(origin.x, 3);
    EXPECT_EQ(origin.y, 4);
    EXPECT_TRUE(GdiFlush());
    DeleteDC(dc);
    EXPECT_EQ(GetBkColor(dc), CLR_INVALID);
}

}  // namespace
}  // namespace plexon::gdi
