// Our own title bar: a caption gradient, the caption text and a raised close box with its cross.
#include "platform/window/TitleBar.h"

#include <algorithm>
#include <cstring>

#include "platform/gdi/Edges.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/SystemColors.h"
#include "platform/gdi/Text.h"
#include "runtime/Exceptions.h"

namespace plexon::window {

namespace {

// The classic caption button: 16 x 14, 2 pixels from the right, centred in the bar.
constexpr int kBoxWidth = 16, kBoxHeight = 14, kBoxMargin = 2;

int Mix(int from, int to, int step, int steps) {
    return steps <= 0 ? from : from + (to - from) * step / steps;
}

// The caption colour running into its gradient colour from left to right.
void FillGradient(std::uint8_t* bits, int width, bool active) {
    const gdi::COLORREF from = gdi::GetSysColor(active ? gdi::COLOR_ACTIVECAPTION : gdi::COLOR_INACTIVECAPTION);
    const gdi::COLORREF to =
        gdi::GetSysColor(active ? gdi::COLOR_GRADIENTACTIVECAPTION : gdi::COLOR_GRADIENTINACTIVECAPTION);
    for (int x = 0; x < width; ++x) {
        const std::uint8_t pixel[4] = {std::uint8_t(Mix(gdi::GetBValue(from), gdi::GetBValue(to), x, width - 1)),
                                       std::uint8_t(Mix(gdi::GetGValue(from), gdi::GetGValue(to), x, width - 1)),
                                       std::uint8_t(Mix(gdi::GetRValue(from), gdi::GetRValue(to), x, width - 1)), 0};
        for (int y = 0; y < kTitleBarHeight; ++y) std::memcpy(bits + (std::size_t(y) * width + x) * 4, pixel, 4);
    }
}

void DrawCaption(gdi::HDC dc, int width, const TitleBarLook& look) {
    gdi::LOGFONT bold;
    bold.lfHeight = -11;
    bold.lfWeight = gdi::FW_BOLD;
    std::strcpy(bold.lfFaceName, "Tahoma");
    const gdi::HFONT font = gdi::CreateFontIndirect(&bold);
    const gdi::HFONT old = gdi::SelectObject(dc, font);
    gdi::SetBkMode(dc, gdi::TRANSPARENT);
    gdi::SetTextColor(dc, gdi::GetSysColor(look.active ? gdi::COLOR_CAPTIONTEXT : gdi::COLOR_INACTIVECAPTIONTEXT));
    gdi::RECT text{4, 0, CloseBoxRect(width).left - 2, kTitleBarHeight};
    gdi::DrawText(dc, look.caption.c_str(), int(look.caption.size()), &text,
                  gdi::DT_LEFT | gdi::DT_VCENTER | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX | gdi::DT_END_ELLIPSIS);
    gdi::SelectObject(dc, old);
    gdi::DeleteObject(font);
}

void DrawCloseBox(gdi::HDC dc, int width, bool pressed) {
    gdi::RECT box = CloseBoxRect(width);
    gdi::DrawEdge(dc, &box, pressed ? gdi::EDGE_SUNKEN : gdi::EDGE_RAISED, gdi::BF_RECT | gdi::BF_MIDDLE);
    // The cross: two diagonals two pixels wide, 8 x 7, moved a pixel down and right while pressed.
    const int shift = pressed ? 1 : 0;
    const int left = box.left + (kBoxWidth - 8) / 2 + shift, top = box.top + (kBoxHeight - 7) / 2 + shift;
    const gdi::COLORREF ink = gdi::GetSysColor(gdi::COLOR_BTNTEXT);
    for (int i = 0; i < 7; ++i)
        for (const int x : {left + i, left + i + 1, left + 6 - i, left + 7 - i}) gdi::SetPixel(dc, x, top + i, ink);
}

}  // namespace

gdi::RECT CloseBoxRect(int width) {
    const int left = width - kBoxMargin - kBoxWidth, top = (kTitleBarHeight - kBoxHeight) / 2;
    return {left, top, left + kBoxWidth, top + kBoxHeight};
}

TitleBarPart TitleBarPartAt(int width, gdi::POINT p) {
    const gdi::RECT box = CloseBoxRect(width);
    const bool inBox = p.x >= box.left && p.x < box.right && p.y >= box.top && p.y < box.bottom;
    return inBox ? TitleBarPart::CloseBox : TitleBarPart::Caption;
}

std::vector<std::uint8_t> DrawTitleBar(int width, const TitleBarLook& look) {
    gdi::BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(gdi::BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -kTitleBarHeight;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = gdi::BI_RGB;
    void* bits = nullptr;
    const gdi::HBITMAP bitmap = gdi::CreateDIBSection(nullptr, &info, gdi::DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) throw EOutOfResources(std::string(msg::kOutOfResources));
    const gdi::HDC dc = gdi::CreateCompatibleDC(nullptr);
    const gdi::HBITMAP old = gdi::SelectObject(dc, bitmap);
    auto* pixels = static_cast<std::uint8_t*>(bits);
    FillGradient(pixels, width, look.active);
    DrawCaption(dc, width, look);
    DrawCloseBox(dc, width, look.closePressed);
    std::vector<std::uint8_t> bar(pixels, pixels + std::size_t(width) * kTitleBarHeight * 4);
    gdi::SelectObject(dc, old);
    gdi::DeleteDC(dc);
    gdi::DeleteObject(bitmap);
    return bar;
}

}  // namespace plexon::window
