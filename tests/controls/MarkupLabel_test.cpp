// The markup label on a headless form: what it draws, clicks that open links or raise events, the
// hand cursor and anchor events on mouse moves, auto-sizing, vertical alignment and hints.
#include "controls/MarkupLabel.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "controls/ImageList.h"
#include "controls/PictureStore.h"
#include "controls/markup/MarkupText.h"
#include "controls/markup/RenderMarkup.h"
#include "framework/ControlDrawing.h"
#include "framework/FormTestSupport.h"
#include "framework/HintWindow.h"
#include "graphics/Bitmap.h"
#include "platform/shell/OpenLink.h"

namespace plexon {
namespace {

const std::string kFooter =
    "<b>Tesvo</b>  ::  Supporting developers since 2001   ::   "
    "<a href=\"https://www.tesvo.example/\">www.tesvo.example</a>  ";

class MarkupLabelTest : public test::FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        SetLinkOpener([this](const std::string& target) {
            opened.push_back(target);
            return true;
        });
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 420, 120);
        label = new TMarkupLabel(form);
        label->SetParent(form);
        label->SetBounds(36, 40, 361, 17);
        label->SetTransparent(true);
        form->Show();
        Pump();
    }
    void TearDown() override {
        SetLinkOpener(nullptr);
        FormTest::TearDown();
    }
    void MoveTo(int x, int y) {
        Desk().InputMouseMove(form->Handle(), FormPoint(*label, x, y), window::Shift::None);
        Pump();
    }
    // A point on the footer's link: its text ends the laid-out line, before two blanks.
    gdi::POINT OnLink() { return {label->Width() - 40, 8}; }

    TForm* form = nullptr;
    TMarkupLabel* label = nullptr;
    std::vector<std::string> opened;
};

TEST_F(MarkupLabelTest, ClicksOpenAddressesAndReportOtherTargets) {
    label->SetHTMLText(kFooter);
    Pump();
    std::vector<std::string> clicked;
    label->OnAnchorClick = [&](TComponent*, const std::string& anchor) { clicked.push_back(anchor); };
    ClickAt(*label, OnLink().x, OnLink().y);
    ClickAt(*label, 10, 8);  // plain text
    Pump();
    EXPECT_EQ(opened, std::vector<std::string>{"https://www.tesvo.example/"});

    label->SetHTMLText("<a href=\"mailto:info@tesvo.example\">mail</a> <a href=\"word\">word</a>");
    Pump();
    ClickAt(*label, 5, 8);
    ClickAt(*label, 35, 8);
    Pump();
    EXPECT_EQ(opened.back(), "mailto:info@tesvo.example");
    EXPECT_EQ(clicked, std::vector<std::string>{"word"});
}

TEST_F(MarkupLabelTest, MouseMovesSetTheHandCursorAndRaiseAnchorEvents) {
    label->SetHTMLText("<a href=\"x://one\">one</a> <a href=\"x://two\">two</a> plain");
    Pump();
    std::vector<std::string> events;
    label->OnAnchorEnter = [&](TComponent*, const std::string& a) { events.push_back("enter " + a); };
    label->OnAnchorExit = [&](TComponent*, const std::string& a) { events.push_back("exit " + a); };
    MoveTo(5, 8);
    EXPECT_EQ(label->Cursor(), crHandPoint);
    EXPECT_EQ(Desk().CurrentCursor(), window::Cursor::Hand);
    EXPECT_EQ(label->HoverAnchor(), 1);
    MoveTo(30, 8);  // straight onto the second link
    MoveTo(70, 8);  // off the links
    MoveTo(75, 8);
    EXPECT_EQ(events, (std::vector<std::string>{"enter x://one", "enter x://two", "exit "}));
    EXPECT_EQ(label->Cursor(), crDefault);
    EXPECT_EQ(Desk().CurrentCursor(), window::Cursor::Arrow);
    EXPECT_EQ(label->HoverAnchor(), -1);
}

TEST_F(MarkupLabelTest, DrawsOnlyItsTextWhenTransparentAndLinksInBlue) {
    label->SetHTMLText(kFooter);
    Pump();
    const std::uint32_t face = Rgb(clBtnFace);
    const Ink ink = InkOf(*label, face);
    EXPECT_GT(ink.count, 100);
    int blue = 0;
    for (int x = 0; x < label->Width(); ++x)
        for (int y = 0; y < label->Height(); ++y) blue += ControlPixel(*label, x, y) == 0x0000FF;
    EXPECT_GT(blue, 50);  // the link's glyphs and underline
    EXPECT_EQ(ControlPixel(*label, 0, 0), face);

    label->SetTransparent(false);
    label->SetColor(clWhite);
    label->SetColorTo(clBlack);
    Pump();
    EXPECT_EQ(ControlPixel(*label, 0, 0), 0xFFFFFFu);  // a gradient from white
    EXPECT_LT(ControlPixel(*label, label->Width() - 1, 0) & 0xFF, 0x10u);
    label->SetBorderStyle(bsSingle);  // an outline over the gradient
    label->SetBorderWidth(1);
    Pump();
    EXPECT_EQ(ControlPixel(*label, 2, 2), 0xFFFFFFu);
}

TEST_F(MarkupLabelTest, AutoSizingAndVerticalAlignment) {
    label->SetHTMLText("one<br>two<br>three");
    label->SetBounds(36, 10, 200, 80);
    label->SetAutoSizing(true);
    Pump();
    Pump();
    const int lines = label->Height() - 6;
    EXPECT_GT(lines, 30);
    EXPECT_LT(lines, 50);

    label->SetAutoSizing(false);
    label->SetBounds(36, 10, 200, 100);
    label->SetVAlignment(tvaBottom);
    Pump();
    const Ink ink = InkOf(*label, Rgb(clBtnFace));
    EXPECT_GT(ink.box.top, 100 - lines - 4);
    EXPECT_LE(ink.box.bottom, 100);
}

// Links answer where they are drawn: with plain text in the background's colour, every pixel that
// differs is link ink and must answer; nothing answers away from it (the run's cell aside) or outside.
TEST_F(MarkupLabelTest, LinksAnswerWhereTheyAreDrawn) {
    const std::string link = "<a href=\"x://site\">our web site</a>", visit = "visit " + link + " today";
    using Case = std::tuple<std::string, int, TAutoSizeType, TVAlignment>;  // text, width, sizing, alignment
    label->Font().SetColor(clBtnFace);
    label->SetAutoSizing(true);
    for (const auto& [text, width, sizing, vertical] :
         {Case{"<p align=\"right\">" + visit, 60, asVertical, tvaTop},
          Case{"<p align=\"right\">please " + visit + "</p>after it", 120, asVertical, tvaTop},
          Case{"<p indent=\"50\">" + visit, 110, asVertical, tvaTop},
          Case{"<p align=\"right\">" + link + "<br>" + visit, 40, asBoth, tvaTop},
          Case{visit, 120, asVertical, tvaBottom},
          Case{"<p align=\"center\">x<br><font size=\"12\">" + link + "</font>", 90, asHorizontal,
               tvaCenter}}) {
        label->SetBounds(20, 10, width, 50);
        label->SetAutoSizeType(sizing);
        label->SetVAlignment(vertical);
        label->SetHTMLText(text);
        Pump();
        Pump();
        const Ink ink = InkOf(*label, Rgb(clBtnFace));
        int wrong = ink.count < 20;  // a link must show
        for (int y = 0; y < label->Height(); ++y)
            for (int x = 0; x < label->Width(); ++x) {
                const auto [target, rect] = label->AnchorAt(x, y);
                const bool drawn = ControlPixel(*label, x, y) != Rgb(clBtnFace),
                           off = x < ink.box.left - 2 || x > ink.box.right + 1 || y < ink.box.top - 5 ||
                                 y > ink.box.bottom + 1;
                wrong += (drawn != !target.empty() && (drawn || off)) || rect.right > label->Width();
            }
        EXPECT_EQ(wrong, 0) << text;
    }
}

TEST_F(MarkupLabelTest, HintsShowTheTargetOrTheTextWithoutTags) {
    label->SetHTMLText("<b>bold</b> <a href=\"x://t\">link</a>");
    EXPECT_TRUE(label->HintRequest({2, 8}).useOwnHint);
    label->SetHintShowFull(true);
    EXPECT_EQ(label->HintRequest({2, 8}).text, "bold link");
    label->SetHTMLHint(true);
    EXPECT_EQ(label->HintRequest({2, 8}).text, label->DisplayText());
    label->SetAnchorHint(true);
    label->OnAnchorHint = [](TComponent*, std::string& anchor) { anchor += "!"; };
    const TMarkupHint hint = label->HintRequest({40, 8});
    EXPECT_FALSE(hint.useOwnHint);
    EXPECT_EQ(hint.text, "x://t!");
}

// The hint window shows the link's target as OnAnchorHint words it, also after resting off links
// with no hint; off the link the label's own hint, and that as markup with HTMLHint.
TEST_F(MarkupLabelTest, TheHintWindowShowsTheTargetOnTheLinkAndTheOwnHintOffIt) {
    label->SetHTMLText(kFooter);
    label->SetShowHint(true);
    label->SetAnchorHint(true);
    label->OnAnchorHint = [](TComponent*, std::string& anchor) { anchor = "to " + anchor; };
    const auto widthAfterRest = [&](gdi::POINT p) {
        MoveTo(p.x, p.y);
        Headless().AdvanceTime(kHintPause);
        Pump();
        return ShownHintWindow() ? ShownHintWindow()->Width() : 0;
    };
    TFont tahoma8;
    TBitmap sheet;
    const auto width = [&](const char* text) {
        return ControlTextExtent(sheet.Canvas().Handle(), text, tahoma8).cx + 6;
    };
    EXPECT_EQ(widthAfterRest({20, 8}), 0);  // no own hint yet
    EXPECT_EQ(widthAfterRest(OnLink()), width("to https://www.tesvo.example/"));
    const gdi::POINT beside = label->ClientToScreen({OnLink().x + 10, OnLink().y - 10});
    EXPECT_EQ(ShownHintWindow()->Bounds().left, beside.x);
    EXPECT_EQ(ShownHintWindow()->Bounds().top, beside.y);
    label->SetHint("own <b>hint</b>");
    EXPECT_EQ(widthAfterRest({20, 8}), width("own <b>hint</b>"));
    label->SetHTMLHint(true);
    const int marked = widthAfterRest({21, 8});
    EXPECT_GT(marked, width("own hint"));  // "hint" in bold
    EXPECT_LT(marked, width("own <b>hint</b>"));
}

// A markup hint of two lines shows both: the hint window is its model, the text rendered in the
// frame the hint paints it in, measured without a bottom.
TEST_F(MarkupLabelTest, AMultiLineMarkupHintShowsEveryWord) {
    const std::string hint = "Two lines<br>of <b>markup</b> hint";
    label->SetHTMLText("x");
    label->SetHint(hint);
    label->SetShowHint(true);
    label->SetHTMLHint(true);
    MoveTo(20, 8);
    Headless().AdvanceTime(kHintPause);
    Pump();
    const window::HWND shown = ShownHintWindow();
    ASSERT_NE(shown, nullptr);
    TBitmap model;
    model.Canvas().Font().SetName("Tahoma");
    model.Canvas().Font().SetHeight(-11);
    model.Canvas().Font().SetColor(clInfoText);
    model.Canvas().Brush().SetColor(clInfoBk);
    TMarkupInput input;
    input.Text = hint;
    input.Frame = {3, 2, 303, 1 << 30};
    input.Mode = TMarkupMode::MeasureOnly;
    const TMarkupResult size = RenderMarkup(model.Canvas(), input);
    const int width = size.ContentWidth + 6, height = size.ContentHeight + 4;
    ASSERT_EQ(shown->Width(), width);
    ASSERT_EQ(shown->Height(), height);
    model.SetWidth(width);
    model.SetHeight(height);
    FrameSolid(model.Canvas().Handle(), {0, 0, width, height}, clWindowFrame);
    FillSolid(model.Canvas().Handle(), {1, 1, width - 1, height - 1}, clInfoBk);
    input.Frame = {3, 2, width - 3, height - 2};
    input.Mode = TMarkupMode::Draw;
    RenderMarkup(model.Canvas(), input);
    std::vector<std::uint32_t> expected;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) expected.push_back(Rgb(model.Canvas().Pixels(x, y)));
    EXPECT_EQ(FrameArea(shown, {0, 0, width, height}), expected);
}

TEST_F(MarkupLabelTest, ImagesAndPictureStoreAreDroppedWhenTheyGo) {
    auto* images = new TImageList(form);
    auto* store = new TPictureStore(form);
    label->SetImages(images);
    label->SetPictureStore(store);
    delete images;
    delete store;
    EXPECT_EQ(label->Images(), nullptr);
    EXPECT_EQ(label->PictureStore(), nullptr);
    label->SetHTMLText("<img src=\"IDX:0\"><img src=\"name\">x");
    Pump();  // paints without them
}

TEST_F(MarkupLabelTest, TextLinesJoinWithoutSeparatorsAndChangesClearThePictureCache) {
    label->HTMLText().Assign({"one", "two"});
    EXPECT_EQ(label->DisplayText(), "onetwo");
    label->SetHTMLText("a\r\nb\nc");
    EXPECT_EQ(label->HTMLText().Count(), 1);
    EXPECT_EQ(label->DisplayText(), "abc");
    label->PictureCache().Add().SetLocation("x://y");
    label->HTMLText().Add("more");
    EXPECT_EQ(label->PictureCache().Count(), 0);
}

}  // namespace
}  // namespace plexon
