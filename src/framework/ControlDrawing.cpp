// Caption and fill helpers for the standard controls. The control's TFont is selected for the
// time of one call; its platform font lives as long as the description does not change.
#include "framework/ControlDrawing.h"

#include "platform/gdi/Fonts.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/Text.h"

namespace plexon {

namespace {
// Selects a font into dc for as long as it lives, with a transparent background.
class SelectedFont {
  public:
    SelectedFont(gdi::HDC dc, TFont& font) : dc_(dc), old_(gdi::SelectObject(dc, font.Handle())) {}
    ~SelectedFont() {
        if (old_) gdi::SelectObject(dc_, old_);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

  private:
    gdi::HDC dc_;
    gdi::HFONT old_;
};

int DrawIn(gdi::HDC dc, const std::string& text, gdi::RECT r, gdi::UINT format, TColor color) {
    gdi::SetTextColor(dc, ResolveColor(color));
    return gdi::DrawText(dc, text.c_str(), int(text.size()), &r, format);
}
}  // namespace

int DrawControlText(gdi::HDC dc, const std::string& text, gdi::RECT r, gdi::UINT format, TFont& font,
                    TextState state) {
    const SelectedFont selected(dc, font);
    const int oldMode = gdi::SetBkMode(dc, gdi::TRANSPARENT);
    int height = 0;
    if (state == TextState::Disabled) {
        DrawIn(dc, text, {r.left + 1, r.top + 1, r.right + 1, r.bottom + 1}, format, clBtnHighlight);
        height = DrawIn(dc, text, r, format, clBtnShadow);
    } else {
        height = DrawIn(dc, text, r, format, font.Color());
    }
    gdi::SetBkMode(dc, oldMode);
    return height;
}

int DrawControlTextInColor(gdi::HDC dc, const std::string& text, gdi::RECT r, gdi::UINT format, TFont& font,
                           TColor color) {
    const SelectedFont selected(dc, font);
    const int oldMode = gdi::SetBkMode(dc, gdi::TRANSPARENT);
    const int height = DrawIn(dc, text, r, format, color);
    gdi::SetBkMode(dc, oldMode);
    return height;
}

gdi::RECT MeasureControlText(gdi::HDC dc, const std::string& text, gdi::RECT r, gdi::UINT format, TFont& font) {
    const SelectedFont selected(dc, font);
    gdi::DrawText(dc, text.c_str(), int(text.size()), &r, format | gdi::DT_CALCRECT);
    return r;
}

gdi::SIZE ControlTextExtent(gdi::HDC dc, const std::string& text, TFont& font) {
    const SelectedFont selected(dc, font);
    gdi::SIZE size;
    gdi::GetTextExtentPoint32(dc, text.c_str(), int(text.size()), &size);
    return size;
}

void FillSolid(gdi::HDC dc, const gdi::RECT& r, TColor color) {
    gdi::HBRUSH brush = gdi::CreateSolidBrush(ResolveColor(color));
    gdi::FillRect(dc, &r, brush);
    gdi::DeleteObject(brush);
}

void FrameSolid(gdi::HDC dc, const gdi::RECT& r, TColor color) {
    gdi::HBRUSH brush = gdi::CreateSolidBrush(ResolveColor(color));
    gdi::FrameRect(dc, &r, brush);
    gdi::DeleteObject(brush);
}

void FillArrowGlyph(gdi::HDC dc, const gdi::POINT (&corners)[3], TextState state) {
    const gdi::COLORREF ink = ResolveColor(state == TextState::Enabled ? clWindowText : clBtnShadow);
    gdi::HBRUSH brush = gdi::CreateSolidBrush(ink);
    gdi::HPEN pen = gdi::CreatePen(gdi::PS_SOLID, 1, ink);
    gdi::HBRUSH oldBrush = gdi::SelectObject(dc, brush);
    gdi::HPEN oldPen = gdi::SelectObject(dc, pen);
    gdi::Polygon(dc, corners, 3);
    gdi::SelectObject(dc, oldBrush);
    gdi::SelectObject(dc, oldPen);
    gdi::DeleteObject(brush);
    gdi::DeleteObject(pen);
}

}  // namespace plexon
