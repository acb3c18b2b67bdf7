// The plain group box and panel: the etched frame below the caption's middle, the caption covering
// it, and the panel's raised bevel.
#include <gtest/gtest.h>

#include "controls/GroupBox.h"
#include "controls/Panel.h"
#include "framework/FormTestSupport.h"
#include "platform/gdi/Raster.h"

namespace plexon::test {
namespace {

std::uint32_t FrameColor(gdi::COLORREF c) {
    return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

class PlainContainers : public FormTest {};

TEST_F(PlainContainers, TheGroupBoxFrameRunsBehindItsCaption) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 120);
    auto* box = new TGroupBox(&form);
    box->SetBounds(10, 10, 150, 80);
    box->SetCaption("Caption");
    box->SetParent(&form);
    form.Show();
    Pump();
    const std::uint32_t shadow = FrameColor(gdi::GetSysColor(16)),
                        highlight = FrameColor(gdi::GetSysColor(20));
    // The frame's top line lies at half the caption's height, etched: shadow over highlight.
    int top = -1;
    for (int y = 0; y < 20 && top < 0; ++y)
        if (FramePixel(form, 10 + 140, 10 + y) == shadow) top = y;
    ASSERT_GT(top, 2);
    EXPECT_EQ(FramePixel(form, 10 + 140, 10 + top + 1), highlight);
    EXPECT_EQ(FramePixel(form, 10, 10 + 40), shadow);
    // Left of the caption the line shows; under the caption's first pixels it does not.
    EXPECT_EQ(FramePixel(form, 10 + 4, 10 + top), shadow);
    EXPECT_NE(FramePixel(form, 10 + 8, 10 + top), shadow);
}

TEST_F(PlainContainers, ThePanelWearsARaisedBevel) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 100, 60);
    auto* panel = new TPanel(&form);
    panel->SetBounds(0, 0, 100, 41);
    panel->SetParent(&form);
    form.Show();
    Pump();
    EXPECT_EQ(FramePixel(form, 0, 0), FrameColor(gdi::GetSysColor(20)));
    EXPECT_EQ(FramePixel(form, 99, 40), FrameColor(gdi::GetSysColor(16)));
    EXPECT_EQ(FramePixel(form, 50, 20), FrameColor(gdi::GetSysColor(15)));
}

}  // namespace
}  // namespace plexon::test
