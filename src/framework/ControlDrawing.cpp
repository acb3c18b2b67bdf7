// Caption and fill helpers for the standard controls. Every control draws in the interface font
// (Tahoma, 8 points); TFont contributes its colour.
#include "framework/ControlDrawing.h"

#include "platform/gdi/Fonts.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/Text.h"

namespace plexon {

namespace {
// Selects the interface font into dc for as long as it lives.
class InterfaceFont {
  public:
    explicit InterfaceFont(gdi::HDC dc) : dc_(dc), old_(gdi::SelectObject(dc, gdi::GetStockFont(gdi::DEFAULT_GUI_FONT))) {}
    ~InterfaceFont() {
        if (old_) gdi::SelectObject(dc_, old_);
    }
    InterfaceFont(const InterfaceFont&) = delete;
    InterfaceFont& operator=(const InterfaceFont&) = delete;

  private:
    gdi::HDC dc_;
    gdi::HFONT old_;
};
}  // namespace

int DrawControlText(gdi::HDC dc, const std::string& text, gdi::RECT r, gdi::UINT format, const TFont& font,
                    TextState state) {
    const InterfaceFont selected(dc);
    const int oldMode = gdi::SetBkMode(dc, gdi::TRANSPARENT);
    int height = 0;
    if (state == TextState::Disabled) {
        gdi::RECT shifted{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
        gdi::SetTextColor(dc, ResolveColor(clBtnHighlight));
        gdi::DrawText(dc, text.c_str(), int(text.size()), &shifted, format);
        gdi::SetTextColor(dc, ResolveColor(clBtnShadow));
    } else {
        gdi::SetTextColor(dc, ResolveColor(font.Color()));
    }
    height = gdi::DrawText(dc, text.c_str(), int(text.size()), &r, format);
    gdi::SetBkMode(dc, oldMode);
    return height;
}

gdi::RECT MeasureControlText(gdi::HDC dc, const std::string& text, gdi::RECT r, gdi::UINT format) {
    const InterfaceFont selected(dc);
    gdi::DrawText(dc, text.c_str(), int(text.size()), &r, format | gdi::DT_CALCRECT);
    return r;
}

gdi::SIZE ControlTextExtent(gdi::HDC dc, const std::string& text) {
    const InterfaceFont selected(dc);
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

}  // namespace plexon
