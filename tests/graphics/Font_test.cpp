// TFont: defaults, size and height, change notification, Assign and copies, and the platform font
// made from the description or adopted from a handle.
#include "graphics/Font.h"

#include <gtest/gtest.h>

#include "platform/gdi/Fonts.h"

namespace plexon {
namespace {

gdi::LOGFONT DescriptionOf(TFont& font) {
    gdi::LOGFONT description;
    EXPECT_EQ(gdi::GetObject(font.Handle(), int(sizeof description), &description), 60);
    return description;
}

TEST(FontProperties, StartAsEightPointTahomaInTheWindowTextColour) {
    TFont font;
    EXPECT_EQ(font.Name(), "Tahoma");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_EQ(font.Style(), TFontStyles{});
    EXPECT_EQ(font.CharSet(), gdi::DEFAULT_CHARSET);
    EXPECT_EQ(font.Orientation(), 0);
}

TEST(FontProperties, SizeAndHeightConvertAtNinetySixPixelsPerInch) {
    TFont font;
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    font.SetHeight(-16);
    EXPECT_EQ(font.Size(), 12);
    font.SetSize(8);
    EXPECT_EQ(font.Height(), -11);
}

TEST(FontStyles, CombineAndCompare) {
    const TFontStyles bold{TFontStyle::Bold};
    EXPECT_TRUE(bold.Contains(TFontStyle::Bold));
    EXPECT_FALSE(bold.Contains(TFontStyle::Italic));
    const TFontStyles both = bold.With(TFontStyle::Underline);
    EXPECT_EQ(both, (TFontStyles{TFontStyle::Underline, TFontStyle::Bold}));
    EXPECT_EQ(both.Without(TFontStyle::Underline), bold);
}

TEST(FontChanges, NotifyOncePerRealChange) {
    TFont font;
    int changes = 0;
    font.OnChange = [&](TFont& changed) {
        EXPECT_EQ(&changed, &font);
        ++changes;
    };
    font.SetName("Tahoma");
    font.SetHeight(-11);
    font.SetColor(clWindowText);
    EXPECT_EQ(changes, 0);
    font.SetName("Verdana");
    font.SetSize(10);
    font.SetColor(clNavy);
    font.SetStyle({TFontStyle::Bold});
    font.SetCharSet(gdi::ANSI_CHARSET);
    font.SetOrientation(900);
    EXPECT_EQ(changes, 6);
}

TEST(FontChanges, AssignCopiesEverythingWithOneNotification) {
    TFont source;
    source.SetName("Verdana");
    source.SetSize(10);
    source.SetColor(clRed);
    source.SetStyle({TFontStyle::Italic});
    source.SetOrientation(450);
    TFont target;
    int changes = 0;
    target.OnChange = [&](TFont&) { ++changes; };
    target.Assign(source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.Name(), "Verdana");
    EXPECT_EQ(target.Height(), -13);
    EXPECT_EQ(target.Color(), clRed);
    EXPECT_EQ(target.Style(), TFontStyles{TFontStyle::Italic});
    EXPECT_EQ(target.Orientation(), 450);
    const TFont copy(source);  // copies take the description, not the handler
    EXPECT_EQ(copy.Name(), "Verdana");
    EXPECT_FALSE(copy.OnChange);
}

TEST(FontHandle, IsMadeFromTheDescriptionAndRemadeAfterAChange) {
    TFont font;
    font.SetName("Verdana");
    font.SetSize(10);
    font.SetStyle({TFontStyle::Bold, TFontStyle::Underline});
    font.SetOrientation(900);
    const gdi::LOGFONT description = DescriptionOf(font);
    EXPECT_STREQ(description.lfFaceName, "Verdana");
    EXPECT_EQ(description.lfHeight, -13);
    EXPECT_EQ(description.lfWeight, gdi::FW_BOLD);
    EXPECT_EQ(description.lfUnderline, 1);
    EXPECT_EQ(description.lfItalic, 0);
    EXPECT_EQ(description.lfEscapement, 900);
    const gdi::HFONT first = font.Handle();
    EXPECT_EQ(font.Handle(), first);
    font.SetSize(12);
    EXPECT_EQ(gdi::GetObject(first, 0, nullptr), 0);  // the old platform font is gone
    EXPECT_EQ(DescriptionOf(font).lfHeight, -16);
}

TEST(FontHandle, AdoptsARotatedCopyMadeFromItsOwnDescription) {
    // The vertical progress bar's way of turning its font.
    TFont font;
    font.SetName("Verdana");
    font.SetSize(10);
    gdi::LOGFONT description = DescriptionOf(font);
    description.lfEscapement = description.lfOrientation = 900;
    int changes = 0;
    font.OnChange = [&](TFont&) { ++changes; };
    const gdi::HFONT rotated = gdi::CreateFontIndirect(&description);
    font.SetHandle(rotated);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(font.Handle(), rotated);
    EXPECT_EQ(font.Orientation(), 900);
    EXPECT_EQ(font.Name(), "Verdana");
    EXPECT_EQ(font.Height(), -13);
    font.SetHandle(nullptr);  // not a font: ignored
    EXPECT_EQ(font.Handle(), rotated);
    EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace plexon
