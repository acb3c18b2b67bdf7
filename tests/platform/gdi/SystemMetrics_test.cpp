// System metrics, the 3D colours the edges use, and the window-part fonts.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/gdi/Raster.h"
#include "platform/gdi/SystemColors.h"

namespace plexon::gdi {
namespace {

TEST(SystemMetrics, DescribeTheFixedDisplay) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), GetDeviceCaps(nullptr, HORZRES));
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), GetDeviceCaps(nullptr, VERTRES));
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
    EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
    EXPECT_EQ(GetSystemMetrics(-1), 0);
    EXPECT_EQ(GetSystemMetrics(1000), 0);
}

TEST(SystemColours, FormTheClassicGreyScheme) {
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), RGB(223, 223, 223));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 0, 128));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHTTEXT), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_GRAYTEXT), RGB(128, 128, 128));
}

TEST(NonClientMetrics, GiveEightPointTahomaAsTheMessageFont) {
    NONCLIENTMETRICS metrics;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_STREQ(metrics.lfMessageFont.lfFaceName, "Tahoma");
    EXPECT_EQ(metrics.lfMessageFont.lfHeight, -11);
    EXPECT_EQ(metrics.lfCaptionFont.lfWeight, FW_BOLD);
    metrics.cbSize = 10;
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    EXPECT_FALSE(SystemParametersInfo(0x1234, sizeof metrics, &metrics, 0));
    EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, nullptr, 0));
}

}  // namespace
}  // namespace plexon::gdi
