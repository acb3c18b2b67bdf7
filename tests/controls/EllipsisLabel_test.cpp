// The ellipsis label: the draw format of every property, a long path shortened in the middle with
// its last component kept, "&" shown as it is when the prefix is off, the disabled emboss.
#include "controls/EllipsisLabel.h"

#include <gtest/gtest.h>

#include "framework/FormTestSupport.h"
#include "graphics/Bitmap.h"
#include "platform/gdi/Text.h"

namespace plexon {
namespace {

TEST(EllipsisLabelFormat, OneFlagFromEachProperty) {
    TEllipsisLabel label(nullptr);
    EXPECT_EQ(label.DrawFormat(), gdi::DT_LEFT | gdi::DT_SINGLELINE | gdi::DT_TOP);
    const struct {
        std::function<void()> set;
        gdi::UINT format;
    } rows[] = {
        {[&] { label.SetAlignment(taRightJustify); }, gdi::DT_RIGHT | gdi::DT_SINGLELINE},
        {[&] { label.SetAlignment(taCenter); }, gdi::DT_CENTER | gdi::DT_SINGLELINE},
        {[&] { label.SetWordWrap(true); }, gdi::DT_CENTER | gdi::DT_WORDBREAK},
        {[&] { label.SetLayout(tlCenter); }, gdi::DT_CENTER | gdi::DT_WORDBREAK | gdi::DT_VCENTER},
        {[&] { label.SetLayout(tlBottom); }, gdi::DT_CENTER | gdi::DT_WORDBREAK | gdi::DT_BOTTOM},
        {[&] { label.SetEllipsType(etEndEllips); },
         gdi::DT_CENTER | gdi::DT_WORDBREAK | gdi::DT_BOTTOM | gdi::DT_END_ELLIPSIS},
        {[&] { label.SetEllipsType(etPathEllips); },
         gdi::DT_CENTER | gdi::DT_WORDBREAK | gdi::DT_BOTTOM | gdi::DT_PATH_ELLIPSIS},
        {[&] { label.SetShowAccelChar(false); },
         gdi::DT_CENTER | gdi::DT_WORDBREAK | gdi::DT_BOTTOM | gdi::DT_PATH_ELLIPSIS | gdi::DT_NOPREFIX},
    };
    for (const auto& row : rows) {
        row.set();
        EXPECT_EQ(label.DrawFormat(), row.format);
    }
}

class EllipsisLabel : public test::FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = new TForm(&Application());
        form->SetBounds(0, 0, 400, 100);
        form->Font().SetName("Tahoma");
        form->Font().SetHeight(-11);
        label = new TEllipsisLabel(form);
        label->SetBounds(12, 20, 200, 13);
        label->SetParent(form);
        label->SetEllipsType(etPathEllips);
        label->SetShowAccelChar(false);
        form->Show();
    }
    // The label's pixels against one drawing of `text` in its font, colour and rectangle.
    bool ShowsExactly(const std::string& text, gdi::UINT format) {
        Pump();
        TBitmap expected;
        expected.SetWidth(label->Width());
        expected.SetHeight(label->Height());
        TCanvas& canvas = expected.Canvas();
        canvas.Brush().SetColor(label->Color());
        canvas.FillRect(label->ClientRect());
        canvas.Font().Assign(label->Font());
        canvas.Brush().SetStyle(TBrushStyle::Clear);
        gdi::RECT r = label->ClientRect();
        gdi::DrawText(canvas.Handle(), text.c_str(), int(text.size()), &r, format);
        for (int y = 0; y < label->Height(); ++y)
            for (int x = 0; x < label->Width(); ++x) {
                const gdi::COLORREF c = canvas.Pixels(x, y);
                const std::uint32_t rgb = std::uint32_t(gdi::GetRValue(c)) << 16 |
                                          std::uint32_t(gdi::GetGValue(c)) << 8 | gdi::GetBValue(c);
                if (ControlPixel(*label, x, y) != rgb) return false;
            }
        return true;
    }
    TForm* form = nullptr;
    TEllipsisLabel* label = nullptr;
};

TEST_F(EllipsisLabel, ALongPathKeepsItsStartAndLastFolderAndShowsItsAmpersand) {
    const std::string path = "/home/someone/projects/icons/exports/very/deep/folder/Tom & Jerry/";
    label->SetCaption(path);
    const gdi::UINT single = gdi::DT_SINGLELINE | gdi::DT_NOPREFIX;
    EXPECT_FALSE(ShowsExactly(path, single));  // it does not fit as it is
    // What fits: the start of the path, "...", and the last folder with its "&".
    bool found = false;
    for (std::size_t keep = 1; keep < 30 && !found; ++keep)
        found = ShowsExactly(path.substr(0, keep) + ".../Tom & Jerry/", single);
    EXPECT_TRUE(found);
    label->SetCaption("/short/Tom & Jerry/");
    EXPECT_TRUE(ShowsExactly("/short/Tom & Jerry/", single));  // a caption that fits is unchanged
}

TEST_F(EllipsisLabel, ADisabledLabelIsEmbossed) {
    label->SetCaption("Disabled");
    label->SetEnabled(false);
    Pump();
    const Ink light = InkOf(*label, Rgb(label->Color()));
    int highlight = 0, shadow = 0;
    for (int y = 0; y < label->Height(); ++y)
        for (int x = 0; x < label->Width(); ++x) {
            highlight += ControlPixel(*label, x, y) == Rgb(clBtnHighlight);
            shadow += ControlPixel(*label, x, y) == Rgb(clBtnShadow);
        }
    EXPECT_GT(light.count, 0);
    EXPECT_GT(highlight, 0);
    EXPECT_GT(shadow, highlight / 2);
}

}  // namespace
}  // namespace plexon
