// Fonts: descriptions kept and given back, metrics in the Windows convention, face look-up with
// fallbacks, and the glyph cache.
#include <gtest/gtest.h>

#include "DrawingTestSupport.h"
#include "platform/gdi/FontInstance.h"
#include "platform/gdi/Text.h"

namespace plexon::gdi {
namespace {

using test::Canvas;
using test::Description;
using test::SelectedFont;

TEXTMETRIC MetricsOf(const LOGFONT& description) {
    Canvas canvas(test::WhiteBitmap(1, 1));
    SelectedFont font(canvas.dc(), description);
    TEXTMETRIC metrics;
    EXPECT_TRUE(GetTextMetrics(canvas.dc(), &metrics));
    return metrics;
}

int WidthOf(const LOGFONT& description, const char* text) {
    Canvas canvas(test::WhiteBitmap(1, 1));
    SelectedFont font(canvas.dc(), description);
    SIZE size;
    EXPECT_TRUE(GetTextExtentPoint32(canvas.dc(), text, int(std::strlen(text)), &size));
    return size.cx;
}

TEST(FontObjects, GiveBackTheirDescription) {
    LOGFONT description = Description("Verdana", -13, FW_BOLD, 900);
    description.lfUnderline = 1;
    HFONT font = CreateFontIndirect(&description);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GetObject(font, 0, nullptr), 60);
    LOGFONT back;
    EXPECT_EQ(GetObject(font, 59, &back), 0);
    ASSERT_EQ(GetObject(font, int(sizeof back), &back), 60);
    EXPECT_EQ(back.lfHeight, -13);
    EXPECT_EQ(back.lfEscapement, 900);
    EXPECT_EQ(back.lfOrientation, 900);
    EXPECT_EQ(back.lfWeight, FW_BOLD);
    EXPECT_EQ(back.lfUnderline, 1);
    EXPECT_STREQ(back.lfFaceName, "Verdana");
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_EQ(GetObject(font, int(sizeof back), &back), 0);
    EXPECT_EQ(CreateFontIndirect(nullptr), nullptr);
}

TEST(FontObjects, CannotBeDeletedWhileSelectedAndStockFontsStay) {
    Canvas canvas(test::WhiteBitmap(1, 1));
    LOGFONT description = Description("Tahoma", -11);
    HFONT font = CreateFontIndirect(&description);
    HFONT previous = SelectObject(canvas.dc(), font);
    EXPECT_EQ(previous, GetStockFont(DEFAULT_GUI_FONT));
    EXPECT_EQ(GetCurrentFont(canvas.dc()), font);
    EXPECT_FALSE(DeleteObject(font));
    EXPECT_EQ(GetLastError(), ERROR_BUSY);
    SelectObject(canvas.dc(), previous);
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_TRUE(DeleteObject(GetStockFont(DEFAULT_GUI_FONT)));
    EXPECT_NE(GetStockFont(DEFAULT_GUI_FONT), nullptr);
}

TEST(FontMetrics, NegativeHeightIsTheCharacterHeight) {
    for (int height : {-11, -13, -24}) {
        const TEXTMETRIC m = MetricsOf(Description("Tahoma", height));
        EXPECT_EQ(m.tmHeight, m.tmAscent + m.tmDescent) << height;
        EXPECT_EQ(m.tmHeight - m.tmInternalLeading, -height) << height;
        EXPECT_GT(m.tmAveCharWidth, 0);
        EXPECT_GE(m.tmMaxCharWidth, m.tmAveCharWidth);
        EXPECT_GE(m.tmExternalLeading, 0);
    }
    // The program's default dialog font: 8-point Tahoma is 13 pixels high.
    EXPECT_EQ(MetricsOf(Description("Tahoma", -11)).tmHeight, 13);
}

TEST(FontMetrics, PositiveHeightIsTheCellAndZeroTheDefault) {
    const TEXTMETRIC cell = MetricsOf(Description("Verdana", 20));
    EXPECT_NEAR(cell.tmHeight, 20, 1);
    EXPECT_EQ(MetricsOf(Description("Tahoma", 0)).tmHeight, MetricsOf(Description("Tahoma", -11)).tmHeight);
}

TEST(FontMetrics, HugeHeightsAreClamped) {
    const TEXTMETRIC huge = MetricsOf(Description("Tahoma", -1000000));
    EXPECT_EQ(huge.tmHeight - huge.tmInternalLeading, kMaxFontHeight);
    EXPECT_LE(MetricsOf(Description("Tahoma", 1000000)).tmHeight, 2 * kMaxFontHeight);
}

TEST(FaceLookup, ResolvesTheProgramsFacesToTheirFreeReplacements) {
    std::lock_guard guard(detail::FontLock());
    EXPECT_EQ(detail::InstanceFor(Description("Verdana", -13))->FamilyName(), "DejaVu Sans");
    EXPECT_EQ(detail::InstanceFor(Description("Tahoma", -11))->FamilyName(), "Tahoma");
    EXPECT_EQ(detail::InstanceFor(Description("tahoma", -11, FW_BOLD))->FamilyName(), "Tahoma");
    EXPECT_EQ(detail::InstanceFor(Description("Symbol", -11))->FamilyName(), "Symbol");
}

TEST(FaceLookup, UnknownNamesFallBackToASansFaceOfTheSameWeight) {
    const LOGFONT regular = Description("No Such Face Anywhere", -13);
    const LOGFONT bold = Description("No Such Face Anywhere", -13, FW_BOLD);
    EXPECT_GT(MetricsOf(regular).tmHeight, 0);
    EXPECT_GT(WidthOf(bold, "Weld the strips"), WidthOf(regular, "Weld the strips"));
    EXPECT_EQ(MetricsOf(bold).tmWeight, FW_BOLD);
    EXPECT_GT(WidthOf(Description("", -11), "abc"), 0);  // no name: the default face
}

TEST(FaceLookup, SymbolFaceTakesBytesAsSymbolCodes) {
    // In the symbol encoding 0xB7 is a bullet: a small, vertically centred dot, unlike the Latin-1
    // middle dot's look-alikes in other tables, it has ink well inside the cell.
    Canvas canvas(test::WhiteBitmap(30, 20));
    SelectedFont font(canvas.dc(), Description("Symbol", -11));
    TextOut(canvas.dc(), 2, 2, "\xB7", 1);
    const RECT ink = test::InkBounds(canvas.dc(), 30, 20);
    EXPECT_GT(ink.right - ink.left, 1);
    EXPECT_LE(ink.right - ink.left, 6);
    EXPECT_LE(ink.bottom - ink.top, 6);
}

TEST(GlyphCache, MeasuringAndDrawingAStringAgainRasterisesNothing) {
    Canvas canvas(test::WhiteBitmap(200, 20));
    SelectedFont font(canvas.dc(), Description("Tahoma", -11));
    TextOut(canvas.dc(), 0, 0, "Cache me once, 0123", 19);
    const std::uint64_t before = detail::GlyphRasterCount();
    SIZE size;
    GetTextExtentPoint32(canvas.dc(), "Cache me once, 0123", 19, &size);
    TextOut(canvas.dc(), 0, 0, "Cache me once, 0123", 19);
    RECT r{0, 0, 200, 20};
    DrawText(canvas.dc(), "Cache me once, 0123", -1, &r, DT_SINGLELINE);
    EXPECT_EQ(detail::GlyphRasterCount(), before);
    // Another font with the same description shares the cache.
    SelectedFont again(canvas.dc(), Description("Tahoma", -11));
    TextOut(canvas.dc(), 0, 0, "Cache me once, 0123", 19);
    EXPECT_EQ(detail::GlyphRasterCount(), before);
}

}  // namespace
}  // namespace plexon::gdi
