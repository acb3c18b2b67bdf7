// DrawText layout: measuring agrees with drawing, the "&" prefix rule, ellipses, word wrap, tabs,
// alignment, line breaks, character counts and bad input.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "DrawingTestSupport.h"
#include "platform/gdi/Text.h"

namespace plexon::gdi {
namespace {

using test::Canvas;
using test::Description;
using test::kWhite;
using test::SelectedFont;

// A white canvas with 8-point Tahoma selected and a transparent background.
class TextCanvas : public Canvas {
  public:
    TextCanvas(int width, int height)
        : Canvas(test::WhiteBitmap(width, height)),
          width_(width),
          height_(height),
          font_(dc(), Description("Tahoma", -11)) {
        SetBkMode(dc(), TRANSPARENT);
        GetTextMetrics(dc(), &metrics_);
    }
    int Width(const std::string& text) {
        SIZE size;
        GetTextExtentPoint32(dc(), text.c_str(), int(text.size()), &size);
        return size.cx;
    }
    RECT Measure(const std::string& text, RECT r, UINT format) {
        DrawText(dc(), text.c_str(), int(text.size()), &r, format | DT_CALCRECT);
        return r;
    }
    RECT Ink() { return test::InkBounds(dc(), width_, height_); }
    void Clear() { PatBlt(dc(), 0, 0, width_, height_, WHITENESS); }
    // Every pixel of the canvas, to compare two drawings.
    std::vector<COLORREF> Pixels() {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) pixels.push_back(GetPixel(dc(), x, y));
        return pixels;
    }
    std::vector<COLORREF> Drawn(const std::string& text, RECT r, UINT format) {
        Clear();
        DrawText(dc(), text.c_str(), -1, &r, format);
        return Pixels();
    }
    const TEXTMETRIC& Metrics() const { return metrics_; }

  private:
    int width_, height_;
    SelectedFont font_;
    TEXTMETRIC metrics_;
};

bool Within(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(DrawTextMeasure, SingleLineIsTheStringsExtent) {
    TextCanvas canvas(10, 10);
    const RECT r = canvas.Measure("Weld strips", {5, 7, 6, 8}, DT_SINGLELINE);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 7);
    EXPECT_EQ(r.right, 5 + canvas.Width("Weld strips"));
    EXPECT_EQ(r.bottom, 7 + canvas.Metrics().tmHeight);
    RECT height{0, 0, 100, 0};
    EXPECT_EQ(DrawText(canvas.dc(), "Weld", -1, &height, DT_CALCRECT | DT_SINGLELINE),
              canvas.Metrics().tmHeight);
}

TEST(DrawTextMeasure, DrawingStaysInsideTheMeasuredRectangle) {
    const std::pair<const char*, UINT> cases[] = {
        {"Plain single line", DT_SINGLELINE},
        {"Word break wraps this paragraph at its spaces, line by line.", DT_WORDBREAK},
        {"Centred lines of a wrapped paragraph of text.", DT_WORDBREAK | DT_CENTER},
        {"Tabs\tgo\tto stops", DT_SINGLELINE | DT_EXPANDTABS},
        {"&Prefixed && shown", DT_SINGLELINE},
        {"One\nTwo\r\nThree", 0},
    };
    for (const auto& [text, format] : cases) {
        TextCanvas canvas(300, 120);
        const RECT measured = canvas.Measure(text, {10, 10, 140, 110}, format);
        RECT drawn = measured;
        DrawText(canvas.dc(), text, -1, &drawn, format);
        const RECT ink = canvas.Ink();
        EXPECT_TRUE(Within(ink, measured)) << text;
        EXPECT_GT(ink.right, ink.left) << text;
        // Measuring the measured rectangle again changes nothing.
        const RECT again = canvas.Measure(text, measured, format);
        EXPECT_EQ(again.right, measured.right) << text;
        EXPECT_EQ(again.bottom, measured.bottom) << text;
    }
}

TEST(DrawTextPrefix, SingleAmpersandIsHiddenAndUnderlinesTheNextCharacter) {
    TextCanvas canvas(100, 20);
    EXPECT_EQ(canvas.Measure("&Open", {0, 0, 100, 20}, DT_SINGLELINE).right, canvas.Width("Open"));
    EXPECT_EQ(canvas.Measure("a&&b", {0, 0, 100, 20}, DT_SINGLELINE).right, canvas.Width("a&b"));
    EXPECT_EQ(canvas.Measure("abc&", {0, 0, 100, 20}, DT_SINGLELINE).right, canvas.Width("abc"));
    EXPECT_EQ(canvas.Measure("&Open", {0, 0, 100, 20}, DT_SINGLELINE | DT_NOPREFIX).right,
              canvas.Width("&Open"));
    const std::vector<COLORREF> plain = canvas.Drawn("Open", {0, 0, 100, 20}, DT_SINGLELINE);
    const std::vector<COLORREF> prefixed = canvas.Drawn("&Open", {0, 0, 100, 20}, DT_SINGLELINE);
    // The same glyphs, plus an underline below the baseline under the first letter only.
    const int baseline = canvas.Metrics().tmAscent;
    const int oWidth = canvas.Width("O");
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x) {
            const bool differs = plain[std::size_t(y * 100 + x)] != prefixed[std::size_t(y * 100 + x)];
            if (differs) {
                EXPECT_GT(y, baseline - 1) << x << "," << y;
                EXPECT_LT(x, oWidth) << x << "," << y;
            }
        }
    EXPECT_NE(plain, prefixed);
    EXPECT_EQ(canvas.Drawn("a&&b", {0, 0, 100, 20}, DT_SINGLELINE),
              canvas.Drawn("a&b", {0, 0, 100, 20}, DT_SINGLELINE | DT_NOPREFIX));
}

TEST(DrawTextEllipsis, EndEllipsisFitsAndKeepsTheStart) {
    TextCanvas canvas(200, 20);
    const std::string text = "This sentence is far too long for its box";
    const RECT box{0, 0, 90, 20};
    const RECT measured = canvas.Measure(text, box, DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(measured.right, 90);
    EXPECT_GT(measured.right, 90 - canvas.Width("W..."));
    const std::vector<COLORREF> drawn = canvas.Drawn(text, box, DT_SINGLELINE | DT_END_ELLIPSIS);
    bool found = false;
    for (std::size_t k = 0; k < text.size() && !found; ++k)
        found = drawn == canvas.Drawn(text.substr(0, k) + "...", box, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_TRUE(found);
    EXPECT_EQ(canvas.Measure("Short", box, DT_SINGLELINE | DT_END_ELLIPSIS).right, canvas.Width("Short"));
}

TEST(DrawTextEllipsis, PathEllipsisKeepsTheLastComponent) {
    TextCanvas canvas(250, 20);
    const std::string path = "/home/designer/icons/toolbar/Open_h.bmp";
    const RECT box{0, 0, 150, 20};
    const RECT measured = canvas.Measure(path, box, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    EXPECT_LE(measured.right, 150);
    const std::vector<COLORREF> drawn = canvas.Drawn(path, box, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    bool found = false;
    for (std::size_t k = 1; k < path.size() && !found; ++k)
        found = drawn == canvas.Drawn(path.substr(0, k) + ".../Open_h.bmp", box, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_TRUE(found);
    // A folder's text ends in a separator: its last folder name is what stays.
    const std::vector<COLORREF> folder =
        canvas.Drawn("/home/designer/icons/toolbar/", {0, 0, 90, 20}, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    found = false;
    for (std::size_t k = 1; k < 20 && !found; ++k)
        found = folder == canvas.Drawn(std::string("/home/designer/icons/").substr(0, k) + ".../toolbar/",
                                       {0, 0, 90, 20}, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_TRUE(found);
    // Backslashes separate too, and a box too narrow for the file name keeps the name's start.
    EXPECT_LE(canvas.Measure("C:\\Icons\\Open_h.bmp", {0, 0, 60, 20}, DT_SINGLELINE | DT_PATH_ELLIPSIS).right,
              60);
    const std::vector<COLORREF> narrow = canvas.Drawn(path, {0, 0, 40, 20}, DT_SINGLELINE | DT_PATH_ELLIPSIS);
    found = false;
    for (std::size_t k = 0; k < 11 && !found; ++k)
        found = narrow == canvas.Drawn("..." + std::string("/Open_h.bmp").substr(0, k), {0, 0, 40, 20},
                                       DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_TRUE(found);
}

TEST(DrawTextWrap, BreaksAtSpacesAndEveryLineFits) {
    TextCanvas canvas(200, 200);
    const std::string text = "Word break wraps this paragraph at its spaces, line by line.";
    const RECT measured = canvas.Measure(text, {0, 0, 100, 0}, DT_WORDBREAK);
    const int lines = (measured.bottom - measured.top) / canvas.Metrics().tmHeight;
    EXPECT_GE(lines, 3);
    EXPECT_EQ((measured.bottom - measured.top) % canvas.Metrics().tmHeight, 0);
    EXPECT_LE(measured.right, 100);
    // A line holds whole words: the first line is exactly the first few words.
    const RECT first = canvas.Measure(text, {0, 0, 100, 0}, DT_WORDBREAK);
    std::string line;
    for (std::size_t space = text.find(' '); space != std::string::npos; space = text.find(' ', space + 1)) {
        if (canvas.Width(text.substr(0, space)) > 100) break;
        line = text.substr(0, space);
    }
    EXPECT_GE(first.right, canvas.Width(line));
    // A word wider than the box gets a line of its own and overflows.
    const RECT wide = canvas.Measure("Unbreakablewordthatistoolong x", {0, 0, 30, 0}, DT_WORDBREAK);
    EXPECT_EQ(wide.right, canvas.Width("Unbreakablewordthatistoolong"));
    EXPECT_EQ(wide.bottom, 2 * canvas.Metrics().tmHeight);
    // Zero width: every word on its own line, no hang.
    const RECT zero = canvas.Measure("a b c d", {0, 0, 0, 0}, DT_WORDBREAK);
    EXPECT_EQ(zero.bottom, 4 * canvas.Metrics().tmHeight);
}

TEST(DrawTextLines, BreaksAtLineEndsUnlessSingleLineAndAddsExternalLeadingOnRequest) {
    TextCanvas canvas(10, 10);
    const int h = canvas.Metrics().tmHeight;
    EXPECT_EQ(canvas.Measure("a\nb\r\nc\rd", {0, 0, 100, 0}, 0).bottom, 4 * h);
    EXPECT_EQ(canvas.Measure("a\n\nb", {0, 0, 100, 0}, 0).bottom, 3 * h);
    EXPECT_EQ(canvas.Measure("a\nb", {0, 0, 100, 0}, DT_SINGLELINE).bottom, h);
    EXPECT_EQ(canvas.Measure("a\nb", {0, 0, 100, 0}, DT_EXTERNALLEADING).bottom,
              2 * (h + canvas.Metrics().tmExternalLeading));
}

TEST(DrawTextTabs, ExpandToStopsOfEightAverageCharacters) {
    TextCanvas canvas(10, 10);
    const int stop = 8 * canvas.Metrics().tmAveCharWidth;
    EXPECT_EQ(canvas.Measure("a\tb", {0, 0, 400, 0}, DT_SINGLELINE | DT_EXPANDTABS).right,
              stop + canvas.Width("b"));
    EXPECT_EQ(canvas.Measure("a\t\tb", {0, 0, 400, 0}, DT_SINGLELINE | DT_EXPANDTABS).right,
              2 * stop + canvas.Width("b"));
    DRAWTEXTPARAMS params;
    params.iTabLength = 2;
    RECT r{0, 0, 400, 0};
    DrawTextEx(canvas.dc(), "a\tb", -1, &r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT, &params);
    EXPECT_EQ(r.right, 2 * canvas.Metrics().tmAveCharWidth + canvas.Width("b"));
    EXPECT_EQ(params.uiLengthDrawn, 3u);
}

TEST(DrawTextAlignment, PlacesSingleLinesInTheRectangle) {
    const RECT box{10, 10, 190, 60};
    TextCanvas canvas(200, 70);
    const int width = canvas.Width("Align"), h = canvas.Metrics().tmHeight;
    struct Case {
        UINT format;
        int left, top;
    } cases[] = {{DT_SINGLELINE, 10, 10},
                 {DT_SINGLELINE | DT_CENTER | DT_VCENTER, 10 + (180 - width) / 2, 10 + (50 - h) / 2},
                 {DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, 190 - width, 60 - h}};
    for (const Case& c : cases) {
        canvas.Clear();
        SetBkMode(canvas.dc(), OPAQUE);  // the cell shows exactly where the line went
        SetBkColor(canvas.dc(), RGB(255, 255, 0));
        RECT r = box;
        DrawText(canvas.dc(), "Align", -1, &r, c.format);
        const RECT ink = canvas.Ink();
        EXPECT_EQ(ink.left, c.left) << c.format;
        EXPECT_EQ(ink.top, c.top) << c.format;
        EXPECT_EQ(ink.right, c.left + width) << c.format;
    }
    // Without DT_SINGLELINE the vertical flags do nothing.
    canvas.Clear();
    RECT r = box;
    DrawText(canvas.dc(), "Align", -1, &r, DT_BOTTOM | DT_VCENTER);
    EXPECT_EQ(canvas.Ink().top, 10);
    SetBkMode(canvas.dc(), TRANSPARENT);
}

TEST(DrawTextRotated, TheLineRunsUpwardsFromItsOriginAndIsNotClippedAway) {
    Canvas canvas(test::WhiteBitmap(60, 120));
    SelectedFont font(canvas.dc(), Description("Tahoma", -11, FW_NORMAL, 900));
    SetBkMode(canvas.dc(), TRANSPARENT);
    RECT r{10, 100, 10, 100};
    DrawText(canvas.dc(), "Upwards", -1, &r, DT_SINGLELINE | DT_CALCRECT);
    const int width = r.right - r.left, height = r.bottom - r.top;
    DrawText(canvas.dc(), "Upwards", -1, &r, DT_SINGLELINE);
    const RECT ink = test::InkBounds(canvas.dc(), 60, 120);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 10 + height);
    EXPECT_LE(ink.bottom, 100);
    EXPECT_GE(ink.top, 100 - width);
    EXPECT_GT(ink.bottom - ink.top, width / 2);  // the whole word, not a clipped sliver
}

TEST(DrawTextRotated, FollowingLinesStandBesideTheFirstAndTheClipTurnsToo) {
    Canvas canvas(test::WhiteBitmap(80, 120));
    SelectedFont font(canvas.dc(), Description("Tahoma", -11, FW_NORMAL, 900));
    SetBkMode(canvas.dc(), TRANSPARENT);
    TEXTMETRIC metrics;
    GetTextMetrics(canvas.dc(), &metrics);
    RECT r{10, 100, 200, 100};
    DrawText(canvas.dc(), "One\nTwo", -1, &r, DT_CALCRECT);
    DrawText(canvas.dc(), "One\nTwo", -1, &r, 0);
    const RECT both = test::InkBounds(canvas.dc(), 80, 120);
    EXPECT_GT(both.right, 10 + metrics.tmHeight);  // the second line stands right of the first
    EXPECT_LE(both.right, 10 + 2 * metrics.tmHeight);
    EXPECT_LE(both.bottom, 100);
    // A rectangle one line deep keeps only the first line, turned with the text.
    PatBlt(canvas.dc(), 0, 0, 80, 120, WHITENESS);
    r.bottom = r.top + metrics.tmHeight;
    DrawText(canvas.dc(), "One\nTwo", -1, &r, 0);
    const RECT first = test::InkBounds(canvas.dc(), 80, 120);
    EXPECT_GT(first.bottom - first.top, 0);
    EXPECT_LE(first.right, 10 + metrics.tmHeight);
}

TEST(DrawTextInput, CountsEmptyTextAndBadRectangles) {
    TextCanvas canvas(100, 30);
    const RECT whole = canvas.Measure("abc", {0, 0, 100, 0}, DT_SINGLELINE);
    RECT r{0, 0, 100, 0};
    DrawText(canvas.dc(), "abc", 40, &r, DT_SINGLELINE | DT_CALCRECT);  // stops at the terminating zero
    EXPECT_EQ(r.right, whole.right);
    r = {0, 0, 100, 0};
    DrawText(canvas.dc(), "abc", 2, &r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(r.right, canvas.Width("ab"));
    r = {3, 4, 100, 100};
    EXPECT_EQ(DrawText(canvas.dc(), "", -1, &r, DT_CALCRECT), 0);
    EXPECT_EQ(r.right, 3);
    EXPECT_EQ(r.bottom, 4);
    EXPECT_EQ(DrawText(canvas.dc(), nullptr, 5, &r, 0), 0);
    EXPECT_EQ(DrawText(canvas.dc(), "abc", -1, nullptr, 0), 0);
    // An inverted rectangle clips everything away; DT_NOCLIP draws anyway.
    r = {50, 20, 10, 5};
    DrawText(canvas.dc(), "Hidden", -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_PATH_ELLIPSIS);
    EXPECT_EQ(canvas.Ink().right, 0);
    r = {10, 5, 10, 5};
    DrawText(canvas.dc(), "Shown", -1, &r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(canvas.Ink().right, 10);
    r = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_GT(DrawText(canvas.dc(), "Far away", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER), 0);
}

TEST(DrawTextInput, HugeFontsAndMarginsDoNotBreakTheLayout) {
    TextCanvas canvas(100, 30);
    SelectedFont huge(canvas.dc(), Description("Tahoma", -100000));
    RECT r{0, 0, 100, 30};
    EXPECT_GT(DrawText(canvas.dc(), "Big", -1, &r, DT_WORDBREAK | DT_END_ELLIPSIS), 0);
    DRAWTEXTPARAMS params;
    params.iLeftMargin = 10;
    params.iRightMargin = 5;
    r = {0, 0, 100, 0};
    DrawTextEx(canvas.dc(), "m", -1, &r, DT_SINGLELINE | DT_CALCRECT, &params);
    SIZE size;
    GetTextExtentPoint32(canvas.dc(), "m", 1, &size);
    EXPECT_EQ(r.right, 10 + size.cx + 5);
}

}  // namespace
}  // namespace plexon::gdi
