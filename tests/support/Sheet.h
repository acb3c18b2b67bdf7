// A white drawing sheet for pixel tests of painting code: a bitmap of a given size with its canvas,
// and whole-picture comparison against a model function.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <sstream>
#include <string>

#include "graphics/Bitmap.h"
#include "platform/gdi/Raster.h"

namespace plexon::test {

// A rectangle as its four edges, for comparisons.
inline std::array<int, 4> Edges(const gdi::RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

struct Sheet {
    TBitmap bitmap;
    Sheet(int width, int height, TColor paper = clWhite) {
        bitmap.SetWidth(width);
        bitmap.SetHeight(height);
        bitmap.Canvas().Brush().SetColor(paper);
        bitmap.Canvas().FillRect({0, 0, width, height});
    }
    TCanvas& Canvas() { return bitmap.Canvas(); }
    gdi::HDC Dc() { return bitmap.Canvas().Handle(); }
    gdi::COLORREF At(int x, int y) { return bitmap.Canvas().Pixels(x, y) & 0xFFFFFF; }

    // Every pixel of r against the model; the first few differences are reported.
    ::testing::AssertionResult Matches(const gdi::RECT& r,
                                       const std::function<gdi::COLORREF(int, int)>& model) {
        std::ostringstream out;
        int wrong = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const gdi::COLORREF want = model(x, y) & 0xFFFFFF, got = At(x, y);
                if (want == got) continue;
                if (++wrong <= 5)
                    out << " (" << x << "," << y << ") " << std::hex << got << " not " << want << std::dec;
            }
        if (wrong == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << wrong << " pixels differ:" << out.str();
    }
};

}  // namespace plexon::test
