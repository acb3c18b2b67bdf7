// Helpers for the drawing service tests: white canvases, the box around what was drawn, and fonts
// selected for the length of a test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "GdiTestSupport.h"
#include "platform/gdi/Fonts.h"

namespace plexon::gdi::test {

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

// A 32-bit device bitmap, white all over.
inline HBITMAP WhiteBitmap(int width, int height) {
    HBITMAP bitmap = CreateBitmap(width, height, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP previous = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return bitmap;
}

// The smallest rectangle around every pixel that is not `background`; empty when there is none.
inline RECT InkBounds(HDC dc, int width, int height, COLORREF background = kWhite) {
    RECT box{width, height, 0, 0};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (GetPixel(dc, x, y) != background) {
                box.left = std::min<int>(box.left, x);
                box.top = std::min<int>(box.top, y);
                box.right = std::max<int>(box.right, x + 1);
                box.bottom = std::max<int>(box.bottom, y + 1);
            }
    if (box.right == 0) return RECT{};
    return box;
}

inline int CountPixels(HDC dc, int width, int height, COLORREF color) {
    int count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) count += GetPixel(dc, x, y) == color;
    return count;
}

inline LOGFONT Description(const char* face, int height, int weight = FW_NORMAL, int escapement = 0) {
    LOGFONT description;
    std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    description.lfHeight = height;
    description.lfWeight = weight;
    description.lfEscapement = description.lfOrientation = escapement;
    return description;
}

// Makes a font, selects it, and restores and deletes it at the end.
class SelectedFont {
  public:
    SelectedFont(HDC dc, const LOGFONT& description)
        : dc_(dc), font_(CreateFontIndirect(&description)), previous_(SelectObject(dc, font_)) {
        EXPECT_NE(previous_, nullptr);
    }
    ~SelectedFont() {
        SelectObject(dc_, previous_);
        EXPECT_TRUE(DeleteObject(font_));
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;
    HFONT font() const { return font_; }

  private:
    HDC dc_;
    HFONT font_;
    HFONT previous_;
};

}  // namespace plexon::gdi::test
