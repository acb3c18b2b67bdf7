// A white bitmap to render markup into, with the base font of the program's labels, and readers of
// what was drawn.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "controls/markup/RenderMarkup.h"
#include "graphics/Bitmap.h"
#include "platform/gdi/Text.h"

namespace plexon::test {

struct MarkupSheet {
    TBitmap bitmap;
    MarkupSheet(int width, int height) {
        bitmap.SetWidth(width);
        bitmap.SetHeight(height);
        Clear();
        Canvas().Font().SetName("Tahoma");
        Canvas().Font().SetHeight(-11);
        Canvas().Font().SetColor(clBlack);
    }
    TCanvas& Canvas() { return bitmap.Canvas(); }
    void Clear() {
        Canvas().Brush().SetColor(clWhite);
        Canvas().Brush().SetStyle(TBrushStyle::Solid);
        Canvas().FillRect({0, 0, bitmap.Width(), bitmap.Height()});
    }
    TMarkupResult Draw(const std::string& text, gdi::RECT frame, TMarkupInput input = {}) {
        input.Text = text;
        input.Frame = frame;
        return RenderMarkup(Canvas(), input);
    }
    TMarkupResult Measure(const std::string& text, gdi::RECT frame, int x = -1, int y = -1,
                          TMarkupInput input = {}) {
        input.Mode = TMarkupMode::MeasureOnly;
        input.CursorX = x;
        input.CursorY = y;
        return Draw(text, frame, input);
    }
    gdi::COLORREF At(int x, int y) { return Canvas().Pixels(x, y); }
    // The box around pixels that are not white, and how many there are.
    struct Ink {
        gdi::RECT box{0, 0, 0, 0};
        int count = 0;
    };
    Ink InkIn(gdi::RECT area, gdi::COLORREF only = gdi::CLR_INVALID) {
        Ink ink{{area.right, area.bottom, area.left, area.top}, 0};
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                const gdi::COLORREF c = At(x, y);
                if (c == gdi::RGB(255, 255, 255) || (only != gdi::CLR_INVALID && c != only)) continue;
                ++ink.count;
                ink.box = {std::min(ink.box.left, x), std::min(ink.box.top, y),
                           std::max(ink.box.right, x + 1), std::max(ink.box.bottom, y + 1)};
            }
        if (ink.count == 0) ink.box = {};
        return ink;
    }
    Ink InkAll() { return InkIn({0, 0, bitmap.Width(), bitmap.Height()}); }
    // Width of a plain run in the sheet's current font, with the "&" prefix rule.
    int RunWidth(const std::string& text) {
        gdi::RECT r{0, 0, 10000, 100};
        gdi::DrawText(Canvas().Handle(), text.data(), int(text.size()), &r,
                      gdi::DT_SINGLELINE | gdi::DT_CALCRECT);
        return r.right;
    }
    int LineHeight() { return Canvas().TextHeight("gh"); }
};

}  // namespace plexon::test
