// The markup renderer's layout rules: measuring, wrapping, alignment, fonts and colours, the frame
// bottom, links and their hit test, and bad input that must neither crash nor hang.
#include "controls/markup/RenderMarkup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/markup/AboutTexts.h"
#include "controls/markup/MarkupTestSupport.h"
#include "framework/Control.h"

namespace plexon {
namespace {

using test::MarkupSheet;

constexpr gdi::RECT kFrame{0, 0, 300, 200};
const std::string kFooter =
    "<b>Tesvo</b>  ::  Supporting developers since 2001   ::   "
    "<a href=\"https://www.tesvo.example/\">www.tesvo.example</a>  ";

TEST(RenderMarkupLayout, WidthsAndHeightsFollowTheDocumentedRules) {
    MarkupSheet sheet(400, 200);
    const int h = sheet.LineHeight();
    struct Case {
        std::string text;
        std::string plain;  // what one run of the base font measures the same as
        int lines;
    };
    const std::vector<Case> cases = {
        {"", "", 1},                                              // empty: no width, one base line high
        {"animations && graphics", "animations && graphics", 1},  // "&&" shows one "&"
        {"a&amp;b", "a&&b", 1},                                   // "&amp;" too
        {"&x", "x", 1},                                           // a single "&" is not shown
        {"ab ", "ab", 1},                                         // the trailing space is not counted
        {"a  b", "a  b", 1},                                      // consecutive spaces are all kept
        {"a&nbsp;b &lt;c&gt;", "a b <c>", 1},                     // run entities
        {"x<br>yy<BR>", "yy", 2},
        {"a\r\nb", "a", 2},   // CR is a break, LF is dropped
        {"<#b>x", "#bx", 1},  // the literal tag shows as text
        {"a<z>hidden</z>b", "ab", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const TMarkupResult r = sheet.Measure(c.text, kFrame);
        EXPECT_EQ(r.ContentWidth, sheet.RunWidth(c.plain));
        EXPECT_EQ(r.ContentHeight, c.lines * h);
        EXPECT_FALSE(r.Hit);
    }
    sheet.Draw("", kFrame);
    EXPECT_EQ(sheet.InkAll().count, 0);
}

TEST(RenderMarkupLayout, WrapsAtSpacesOnlyAndKeepsLongWords) {
    MarkupSheet sheet(400, 200);
    const int h = sheet.LineHeight();
    const std::string longWord(40, 'w');
    // A word wider than the line stays on the line it starts on, after other text; the next word wraps.
    TMarkupResult r = sheet.Measure("aa " + longWord + " bb", {0, 0, 60, 200});
    EXPECT_EQ(r.ContentHeight, 2 * h);
    EXPECT_EQ(r.ContentWidth, sheet.RunWidth("aa " + longWord));
    // No break between runs that no space separates, however narrow the frame.
    r = sheet.Measure("<b>aaaa</b>bbbb<i>cccc</i>", {0, 0, 20, 200});
    EXPECT_EQ(r.ContentHeight, h);
    // A run that does not fit after a space moves to the next line.
    r = sheet.Measure("aaaa bbbb cccc", {0, 0, sheet.RunWidth("aaaa bbbb") + 4, 200});
    EXPECT_EQ(r.ContentHeight, 2 * h);
}

TEST(RenderMarkupLayout, WithoutWordWrapOneLinePerBreakCutWithEllipsis) {
    MarkupSheet sheet(200, 100);
    TMarkupInput input;
    input.WordWrap = false;
    const int h = sheet.LineHeight();
    const TMarkupResult r =
        sheet.Draw("first line that is far too long <b>bold</b><br>second", {0, 0, 60, 100}, input);
    EXPECT_EQ(r.ContentHeight, h);  // nothing after the cut run is laid out
    const MarkupSheet::Ink ink = sheet.InkAll();
    EXPECT_LE(ink.box.right, 60);
    EXPECT_GT(ink.box.right, 50);  // the run reaches the right edge, ending in "..."
    EXPECT_LT(ink.box.bottom, h + 1);
}

TEST(RenderMarkupLayout, FrameBottomStopsTheLayoutAfterTheLineThatCrossesIt) {
    MarkupSheet sheet(200, 200);
    const int h = sheet.LineHeight();
    // The second line starts at h; h + h > bottom drops it only when bottom < 2h.
    EXPECT_EQ(sheet.Measure("a<br>b<br>c", {0, 0, 100, 2 * h - 1}).ContentHeight, h);
    EXPECT_EQ(sheet.Measure("a<br>b<br>c", {0, 0, 100, 2 * h}).ContentHeight, 2 * h);
    EXPECT_EQ(sheet.Measure("a<br>b<br>c", {0, 0, 100, 3 * h}).ContentHeight, 3 * h);
}

TEST(RenderMarkupFonts, SizesNestingAndColours) {
    MarkupSheet sheet(300, 100);
    // Height and width of "WWWW" at a point size.
    const auto extentAt = [&](int points) {
        const TFont font = sheet.Canvas().Font();
        sheet.Canvas().Font().SetSize(points);
        const gdi::SIZE size{sheet.RunWidth("WWWW"), sheet.LineHeight()};
        sheet.Canvas().Font() = font;
        return size;
    };
    struct Case {
        std::string size;
        int points;
    };
    for (const Case& c : std::vector<Case>{{"7", 7}, {"3", 12}, {"16", 16}, {"99999999999", 200}}) {
        SCOPED_TRACE(c.size);
        const TMarkupResult r = sheet.Measure("<font size=\"" + c.size + "\">WWWW</font>", kFrame);
        EXPECT_EQ(r.ContentWidth, extentAt(c.points).cx);
        EXPECT_EQ(r.ContentHeight, std::max(extentAt(c.points).cy, sheet.LineHeight()));
    }

    // Closing one of two nested FONT tags returns to the base colour, not to the outer colour.
    sheet.Draw("<font color=\"#FF0000\"><font color=\"#00FF00\">WW</font>WW</font>", kFrame);
    const int split = sheet.RunWidth("WW") + 1;
    EXPECT_GT(sheet.InkIn({0, 0, split, 20}, gdi::RGB(0, 255, 0)).count, 0);
    EXPECT_EQ(sheet.InkIn({split, 0, 100, 20}, gdi::RGB(255, 0, 0)).count, 0);
    EXPECT_GT(sheet.InkIn({split, 0, 100, 20}, gdi::RGB(0, 0, 0)).count, 0);
    // The canvas comes back with its base font and brush.
    EXPECT_EQ(sheet.Canvas().Font().Color(), clBlack);
    EXPECT_EQ(sheet.Canvas().Font().Height(), -11);
    EXPECT_EQ(sheet.Canvas().Brush().Color(), clWhite);
}

TEST(RenderMarkupParagraphs, CentreAlignmentHoldsForTheLineAndThoseAfter) {
    MarkupSheet sheet(300, 100);
    const int h = sheet.LineHeight();
    sheet.Draw("WW<p align=\"center\">WW</p>WWWW<br>WW", {0, 0, 300, 100});
    const int first = sheet.RunWidth("WWWW"), third = sheet.RunWidth("WW");
    // Line one (before and after the tag) and the lines after it are centred in the frame.
    const MarkupSheet::Ink line1 = sheet.InkIn({0, 0, 300, h});
    const MarkupSheet::Ink line3 = sheet.InkIn({0, 2 * h, 300, 3 * h});
    EXPECT_NEAR(line1.box.left, 1 + (299 - first) / 2, 2);
    EXPECT_NEAR(line3.box.left, 1 + (299 - third) / 2, 2);
}

// Backgrounds lie under their line's text as with the tag first; a paragraph bands each of its lines.
TEST(RenderMarkupParagraphs, BackgroundsLieUnderTheText) {
    for (const std::string tag : {"<p bgcolor=\"#00FF00\">", "<body bgcolor=\"#00FF00\">",
                                  "<p indent=\"9\" bgcolor=\"#FF0000\" bgcolorto=\"#0000FF\">"}) {
        MarkupSheet got(150, 60), want(150, 60);
        got.Draw("WW" + tag + "WW<br>x", {0, 0, 150, 60});
        want.Draw(tag + "WWWW<br>x", {0, 0, 150, 60});
        int wrong = 0, h = got.LineHeight();
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 150; ++x)
                wrong += got.At(x, y) != want.At(x, y) ||
                         (tag[1] == 'p' && y < 2 * h && got.At(140, y) != got.At(140, y % h));
        EXPECT_EQ(wrong, 0) << tag;
    }
}

TEST(RenderMarkupLinks, FooterHitTestAndHover) {
    MarkupSheet sheet(400, 40);
    const gdi::RECT frame{0, 0, 361, 17};
    const int h = sheet.LineHeight();
    // The footer without its two closing blanks ends with the link.
    const int linkRight = sheet.Measure(kFooter.substr(0, kFooter.size() - 2), frame).ContentWidth + 1;
    const int linkLeft = linkRight - sheet.RunWidth("www.tesvo.example");
    struct Probe {
        int x, y;
        bool hit;
    };
    for (const Probe& p : std::vector<Probe>{{linkLeft + 3, h / 2, true},
                                             {linkRight - 2, h - 2, true},
                                             {10, h / 2, false},            // plain text
                                             {linkLeft + 3, h + 3, false},  // below the line
                                             {linkLeft + 3, 0, false}}) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        const TMarkupResult r = sheet.Measure(kFooter, frame, p.x, p.y);
        EXPECT_EQ(r.Hit, p.hit);
        if (p.hit) {
            EXPECT_EQ(r.AnchorUnderCursor, "https://www.tesvo.example/");
            EXPECT_EQ(r.HitAnchor, 1);
            EXPECT_EQ(r.HoverRect.left, linkLeft);
            EXPECT_EQ(r.HoverRect.right, linkRight);
        }
    }
    // A point between two lines hits nothing.
    const std::string twoLines = "<a href=\"x://a\">aaaa</a><br><a href=\"x://b\">bbbb</a>";
    EXPECT_FALSE(sheet.Measure(twoLines, {0, 0, 200, 100}, 5, h).Hit);
    const TMarkupResult second = sheet.Measure(twoLines, {0, 0, 200, 100}, 5, h + h / 2);
    EXPECT_TRUE(second.Hit);
    EXPECT_EQ(second.AnchorUnderCursor, "x://b");
    EXPECT_EQ(second.HitAnchor, 2);

    // Links are underlined in URLColor; with Hover only the hovered one is styled.
    TMarkupInput hover;
    hover.Hover = true;
    hover.HoverAnchor = 2;
    hover.HoverFontColor = clRed;
    sheet.Draw(twoLines, {0, 0, 200, 100}, hover);
    EXPECT_GT(sheet.InkIn({0, 0, 100, h}, gdi::RGB(0, 0, 255)).count, 0);
    EXPECT_GT(sheet.InkIn({0, h, 100, 2 * h}, gdi::RGB(255, 0, 0)).count, 0);
}

TEST(RenderMarkupAboutTexts, ShowTheirColoursWrapInTheirLabelsAndHitTheirLinks) {
    MarkupSheet product(429, 49);
    product.Canvas().Font().SetColor(clBlack);
    const TMarkupResult name = product.Draw(test::kAboutProductText, {0, 0, 429, 49});
    const int firstLine = name.ContentHeight - product.LineHeight();
    EXPECT_GT(firstLine, 20);                                                           // 16 points
    EXPECT_GT(product.InkIn({0, 0, 429, firstLine}, gdi::RGB(255, 128, 0)).count, 20);  // "vo"
    EXPECT_GT(product.InkIn({0, 0, 429, firstLine}, gdi::RGB(0, 64, 128)).count, 50);   // "Plexon"
    EXPECT_GT(product.InkIn({0, firstLine, 429, 49}, gdi::RGB(128, 128, 128)).count, 50);

    MarkupSheet terms(265, 205);
    const TMarkupResult laid = terms.Measure(test::kAboutTermsText, {0, 0, 265, 205});
    EXPECT_LE(laid.ContentWidth, 265);
    EXPECT_LE(laid.ContentHeight, 205);
    bool mailHit = false;
    for (int y = 0; y < laid.ContentHeight && !mailHit; y += 2)
        for (int x = 0; x < 265 && !mailHit; x += 4) {
            const TMarkupResult r = terms.Measure(test::kAboutTermsText, {0, 0, 265, 205}, x, y);
            mailHit = r.Hit && r.AnchorUnderCursor == "mailto:support@tesvo.example";
        }
    EXPECT_TRUE(mailHit);

    MarkupSheet web(221, 77);
    const TMarkupResult invitation = web.Draw(test::kAboutWebText, {0, 0, 221, 77});
    EXPECT_LE(invitation.ContentHeight, 77);
    const MarkupSheet::Ink ink = web.InkAll();
    EXPECT_NEAR(ink.box.left, 221 - ink.box.right, 4);  // centred lines
}

TEST(RenderMarkupBadInput, NeitherCrashesNorHangs) {
    MarkupSheet sheet(200, 100);
    std::string nested;
    for (int i = 0; i < 5000; ++i) nested += "<font color=\"#FF0000\"><b><u><a href=\"y\">";
    std::string big;
    while (big.size() < (1u << 20)) big += "word <b>bold</b>&amp; ";
    const std::vector<std::string> inputs = {
        "<",
        "<b",
        "abc<",
        "<font color=red size=9>x",
        "</",
        "</f",
        "<a href=\"unterminated>text",
        "<img src=\"",
        "<p align=center>x",
        "&amp",
        "<<<<>>>>",
        nested,
        big,
        std::string(100000, '<'),
        std::string(100000, ' '),
        "<r a=\"-2147483648\">x</r>",
        "<ind x=\"99999999999\">x",
        "<ind x=\"2147483647\"><p indent=\"2147483647\"><img src=\"IDX:0\" width=\"2147483647\" "
        "height=\"9\">x",
        "<li><li><li>",
        "<ul><ul></ul></ul></ul>",
    };
    for (const std::string& text : inputs) {
        SCOPED_TRACE(text.substr(0, 40));
        const TMarkupResult measured = sheet.Measure(text, {0, 0, 150, 65535}, 10, 10);
        EXPECT_GT(measured.ContentHeight, 0);
        sheet.Draw(text, {0, 0, 150, 100});
    }
}

}  // namespace
}  // namespace plexon
