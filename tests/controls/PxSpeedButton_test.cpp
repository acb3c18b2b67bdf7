// The command bar and its flat glyph buttons through the headless desktop: the gradient bar with
// its raised line and the idle transparent face, hot and pressed faces through a press, a drag out
// and back and the releases, groups, glyph images, the layout table and the Start button's layout.
#include "controls/PxSpeedButton.h"

#include <gtest/gtest.h>

#include "controls/PxPanelFill.h"
#include "framework/FormTestSupport.h"
#include "graphics/ModuleResources.h"
#include "platform/gdi/Raster.h"
#include "support/Sheet.h"

namespace plexon {
namespace {

using test::Edges;

constexpr std::uint32_t kHot = 0xC6D3EF, kDown = 0xD6DFF7, kFrame = 0x3169C6, kHotLatched = 0x8DA8E0;

int BandOf(int p, int n, int c) {
    int i = 0;
    while (!(gdi::MulDiv(i, n, c) <= p && p < gdi::MulDiv(i + 1, n, c))) ++i;
    return i;
}

std::uint32_t RgbOf(gdi::COLORREF c) {
    return std::uint32_t(gdi::GetRValue(c)) << 16 | std::uint32_t(gdi::GetGValue(c)) << 8 | gdi::GetBValue(c);
}

void LoadGlyph(TPxSpeedButton& button, const char* name) {
    TBitmap glyph;
    glyph.LoadResource(ProgramResources(), name);
    button.SetGlyph(glyph);
}

// A form with the main window's command bar and its Start button.
class CommandBar : public test::FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = new TForm(&Application());
        form->SetBounds(100, 100, 413, 120);
        form->Font().SetName("Tahoma");
        form->Font().SetHeight(-11);
        bar = new TPxPanelFill(form);
        bar->SetBounds(0, 0, 413, 41);
        bar->SetParent(form);
        bar->SetAlign(alTop);
        bar->Bevel().SetMode(bmStandard);
        bar->Bevel().SetStandardStyle(lsSingleRaised);
        bar->FillObject().Gradient().SetColor(clWhite);
        bar->FillObject().Gradient().SetEndColor(clSkyBlue);
        bar->FillObject().Gradient().SetColorCount(64);
        bar->FillObject().SetStyle(sfGradient);
        start = AddButton("Start", 4);
        start->Font().SetStyle({TFontStyle::Bold});
        start->OnClick = [this](TComponent*) {
            ++clicks;
            stateAtClick = start->State();
        };
        form->Show();
        Pump();
    }
    TPxSpeedButton* AddButton(const char* caption, int left) {
        auto* button = new TPxSpeedButton(form);
        button->SetBounds(left, 4, 77, 33);
        button->SetParent(bar);
        button->SetCaption(caption);
        button->SetButtonStyle(gbsOfficeTransp);
        button->SetThemedLook(false);
        LoadGlyph(*button, "glyph_start.bmp");
        return button;
    }
    void Mouse(const TControl& on, int x, int y) {
        Desk().InputMouseMove(form->Handle(), FormPoint(on, x, y), window::Shift::None);
    }
    void Button(const TControl& on, int x, int y, bool down) {
        Desk().InputMouseButton(form->Handle(), FormPoint(on, x, y), window::MouseButton::Left, down, 1,
                                down ? window::Shift::Left : window::Shift::None);
    }
    std::uint32_t Band(int y) {
        return RgbOf(bar->FillObject().Gradient().Colors()[std::size_t(BandOf(y, 41, 64))]);
    }

    TForm* form = nullptr;
    TPxPanelFill* bar = nullptr;
    TPxSpeedButton* start = nullptr;
    int clicks = 0;
    TPxButtonState stateAtClick = bsUp;
};

TEST_F(CommandBar, GradientRowsRaisedLineAndTheIdleFaceShowingTheGradient) {
    const GlyphPlacement placed = start->Placement();
    const auto inContent = [&](int x, int y) {
        const int bx = x - 4, by = y - 4;
        const auto in = [&](const gdi::RECT& r) {
            return bx >= r.left && bx < r.right && by >= r.top && by < r.bottom;
        };
        return in(placed.glyph) || in(placed.text);
    };
    int wrong = 0;
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 413; ++x) {
            if (inContent(x, y)) continue;
            const std::uint32_t want = x == 412 || y == 40 ? RgbOf(ResolveColor(clBtnShadow))
                                       : x == 0 || y == 0  ? 0xFFFFFF
                                                           : Band(y);
            if (ControlPixel(*bar, x, y) != want && ++wrong < 4)
                ADD_FAILURE() << x << "," << y << " " << std::hex << ControlPixel(*bar, x, y) << " not "
                              << want;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(Band(1), 0xFCFDFFu);  // colour 2 is on row 1: band 1 is empty
}

TEST_F(CommandBar, HoverPressDragOutAndBackReleaseInsideAndOutside) {
    struct Step {
        const char* what;
        std::function<void()> act;
        TPxButtonState state;
        std::uint32_t face;  // 0: the gradient shows
        int clicks;
    };
    const Step steps[] = {
        {"hover", [&] { Mouse(*start, 10, 10); }, bsHot, kHot, 0},
        {"press", [&] { Button(*start, 10, 10, true); }, bsPressed, kDown, 0},
        {"drag out", [&] { Mouse(*start, 150, 20); }, bsUp, 0, 0},
        {"drag back", [&] { Mouse(*start, 20, 20); }, bsPressed, kDown, 0},
        {"release inside", [&] { Button(*start, 20, 20, false); }, bsHot, kHot, 1},
        {"press again", [&] { Button(*start, 20, 20, true); }, bsPressed, kDown, 1},
        {"release outside", [&] { Button(*start, 150, 20, false); }, bsUp, 0, 1},
        {"hover again", [&] { Mouse(*start, 30, 12); }, bsHot, kHot, 1},
        {"leave", [&] { Mouse(*bar, 300, 60); }, bsUp, 0, 1},
        {"press, capture lost", [&] { Button(*start, 10, 10, true), Pump(), Desk().ReleaseCapture(); }, bsUp, 0, 1},
        {"hover after it", [&] { Mouse(*start, 12, 12); }, bsHot, kHot, 1},
        {"release after it", [&] { Button(*start, 12, 12, false); }, bsHot, kHot, 1},
    };
    for (const Step& step : steps) {
        step.act();
        Pump();
        EXPECT_EQ(start->State(), step.state) << step.what;
        EXPECT_EQ(clicks, step.clicks) << step.what;
        if (step.face) {
            EXPECT_EQ(ControlPixel(*start, 0, 0), kFrame) << step.what;
            EXPECT_EQ(ControlPixel(*start, 76, 32), kFrame) << step.what;
            EXPECT_EQ(ControlPixel(*start, 1, 1), step.face) << step.what;
        } else {
            EXPECT_EQ(ControlPixel(*start, 1, 1), Band(5)) << step.what;
        }
    }
    EXPECT_EQ(stateAtClick, bsHot);  // repainted hot before the handler ran
}

TEST_F(CommandBar, HoverRepaintsTheButtonAloneAndTheBackgroundIsBuiltOncePerSize) {
    const int builds = bar->BackgroundBuilds();
    EXPECT_EQ(builds, 1);
    Mouse(*start, 10, 10);
    window::Message message;  // the enter and move messages alone, no painting
    while (Desk().GetMessage(message, window::Wait::No)) {
        Desk().DispatchMessage(message);
        if (message.kind == window::MessageKind::MouseMove) break;
    }
    EXPECT_EQ(start->OwnRepaints(), 1);
    EXPECT_FALSE(bar->Handle()->Invalid());  // the bar itself does not paint again
    Pump();
    EXPECT_EQ(ControlPixel(*start, 1, 1), kHot);
    bar->Repaint();
    bar->Repaint();
    EXPECT_EQ(bar->BackgroundBuilds(), builds);
    form->SetWidth(300);  // the bar follows the form's width
    Pump();
    EXPECT_EQ(bar->BackgroundBuilds(), builds + 1);
    EXPECT_EQ(ControlPixel(*bar, 299, 20), RgbOf(ResolveColor(clBtnShadow)));
}

TEST_F(CommandBar, ButtonsOfAGroupLatchOneAtATime) {
    TPxSpeedButton* other = AddButton("Other", 84);
    for (TPxSpeedButton* b : {start, other}) b->SetGroupIndex(1);
    Click(*start);
    Pump();
    EXPECT_TRUE(start->Pressed());
    EXPECT_EQ(start->State(), bsLatched);
    EXPECT_EQ(ControlPixel(*start, 1, 1), kHotLatched);  // latched with the mouse over it
    Click(*other);
    Pump();
    EXPECT_FALSE(start->Pressed());
    EXPECT_EQ(start->State(), bsUp);
    EXPECT_EQ(ControlPixel(*start, 1, 1), Band(5));
    Click(*other);  // AllowAllUp is off: a latched button stays down
    EXPECT_TRUE(other->Pressed());
    EXPECT_EQ(clicks, 1);
    start->SetGroupIndex(0);
    start->SetPressed(true);  // outside a group, never pressed
    EXPECT_FALSE(start->Pressed());
}

TEST_F(CommandBar, StartLayoutBoxAndItsPressedShift) {
    const GlyphPlacement up = start->Placement();
    const int textWidth = up.text.right - up.text.left - 2;
    const int left = 1 + (75 - (textWidth + 28)) / 2;
    EXPECT_EQ(Edges(up.glyph), (std::array<int, 4>{left, 4, left + 24, 28}));
    EXPECT_EQ(Edges(up.text), (std::array<int, 4>{left + 27, 9, left + 27 + textWidth + 2, 24}));
    Button(*start, 10, 10, true);
    Pump();
    const GlyphPlacement down = start->Placement();
    EXPECT_EQ(Edges(down.glyph), (std::array<int, 4>{left + 1, 5, left + 25, 29}));
    Button(*start, 10, 10, false);
}

TEST_F(CommandBar, GlyphCountsAndTheSharedCache) {
    const auto strip = [&](int w, int h) {
        TBitmap b;
        b.SetWidth(w);
        b.SetHeight(h);
        start->SetGlyph(b);
        return start->NumGlyphs();
    };
    start->SetNumGlyphs(3);
    EXPECT_EQ(strip(30, 24), 3);  // not a whole multiple: kept
    EXPECT_EQ(strip(48, 24), 2);
    EXPECT_EQ(strip(144, 24), 1);  // six or more: one image
    LoadGlyph(*start, "glyph_start.bmp");
    bar->Repaint();
    const int before = TPxGlyphHolder::SharedImageCount();
    TPxSpeedButton* other = AddButton("Other", 84);
    other->SetEnabled(false);
    bar->Repaint();
    EXPECT_EQ(TPxGlyphHolder::SharedImageCount(), before + 1);  // the other's disabled image
    EXPECT_EQ(other->State(), bsDisabled);
    delete form;
    form = nullptr;
    EXPECT_EQ(TPxGlyphHolder::SharedImageCount(), 0);
}

TEST(GlyphLayout, EveryTextSideAroundA24PixelGlyph) {
    TPxButtonLayout layout;
    const gdi::RECT content{0, 0, 100, 60};
    struct Row {
        TPxTextAlign side;
        std::array<int, 4> glyph, text;
    };
    // Glyph 24 x 24, text box 30 x 15, spacing 2; the text box sits one pixel right and down.
    const Row rows[] = {
        {taRight, {22, 18, 46, 42}, {49, 23, 79, 38}}, {taRightTop, {22, 19, 46, 43}, {49, 23, 79, 38}},
        {taLeft, {54, 18, 78, 42}, {23, 23, 53, 38}},  {taLeftTop, {54, 18, 78, 42}, {23, 23, 53, 38}},
        {taTop, {38, 26, 62, 50}, {36, 10, 66, 25}},   {taTopLeft, {35, 26, 59, 50}, {36, 10, 66, 25}},
        {taBottom, {38, 9, 62, 33}, {36, 36, 66, 51}}, {taBottomLeft, {35, 9, 59, 33}, {36, 36, 66, 51}},
    };
    for (const Row& row : rows) {
        layout.SetAlignText2Glyph(row.side);
        const GlyphPlacement placed = PlaceGlyphAndText(content, {24, 24}, {30, 15}, layout);
        EXPECT_EQ(Edges(placed.glyph), row.glyph) << int(row.side);
        EXPECT_EQ(Edges(placed.text), row.text) << int(row.side);
    }
    // Without a caption the glyph alone is centred and no spacing is added.
    layout.SetAlignText2Glyph(taRight);
    EXPECT_EQ(Edges(PlaceGlyphAndText(content, {24, 24}, {0, 0}, layout).glyph),
              (std::array<int, 4>{38, 18, 62, 42}));
}

}  // namespace
}  // namespace plexon
