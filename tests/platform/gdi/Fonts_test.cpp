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

// What a line of text draws: its ink (darkness summed over the canvas), a hash of its pixels, where
// its ink ends from the origin, and its measured width.
struct Drawn {
    long ink = 0;
    std::uint64_t hash = 14695981039346656037ull;
    int inkRight = 0;
    int width = 0;
};

Drawn Draw(const LOGFONT& description, const char* text) {
    constexpr int kWidth = 320, kHeight = 32;
    Canvas canvas(test::WhiteBitmap(kWidth, kHeight));
    SelectedFont font(canvas.dc(), description);
    constexpr int kLeft = 2;
    TextOut(canvas.dc(), kLeft, 2, text, int(std::strlen(text)));
    Drawn drawn;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const COLORREF pixel = GetPixel(canvas.dc(), x, y);
            drawn.ink += 255 - GetGValue(pixel);
            drawn.hash = (drawn.hash ^ pixel) * 1099511628211ull;
        }
    drawn.inkRight = int(test::InkBounds(canvas.dc(), kWidth, kHeight).right) - kLeft;
    SIZE size;
    EXPECT_TRUE(GetTextExtentPoint32(canvas.dc(), text, int(std::strlen(text)), &size));
    drawn.width = size.cx;
    return drawn;
}

TEST(BoldText, IsClearlyHeavierThanRegularAtEverySize) {
    constexpr const char* kText = "Illustrious bold Plexon";
    // The Tahoma replacement's bold is bold only in its bitmaps for 9 to 12 pixels (its outlines are
    // the regular ones), so elsewhere it is thickened. The hashes were taken before that: its bold
    // bitmaps and a real bold face (DejaVu Sans for Verdana) must draw exactly as they did.
    struct Case {
        const char* face;
        int height;
        std::uint64_t unchanged;  // 0: no recorded drawing
    };
    const Case cases[] = {
        {"Tahoma", -21, 0},
        {"Tahoma", -16, 0},  // its own bitmaps for this size are as light as the regular ones
        {"Tahoma", -11, 0xc72b0f6bbcab09e8ull},
        {"Verdana", -21, 0xd374cdd5e73f4e3bull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.height));
        const Drawn regular = Draw(Description(c.face, c.height), kText);
        const Drawn bold = Draw(Description(c.face, c.height, FW_BOLD), kText);
        EXPECT_GT(double(bold.ink), 1.5 * double(regular.ink));
        EXPECT_GT(bold.width, regular.width);
        // What is measured holds what is drawn.
        EXPECT_LE(bold.inkRight, bold.width + 1);
        EXPECT_GE(bold.inkRight, bold.width - 3);
        if (c.unchanged) {
            EXPECT_EQ(bold.hash, c.unchanged);
        }
    }
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
