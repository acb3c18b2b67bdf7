// The filled panel: the background bitmap (rebuilt lazily after a resize or a settings change, and
// copied on every paint), the bevel over it and the caption inside the bevel.
#include "controls/PxPanelFill.h"

#include "framework/ControlDrawing.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Text.h"

namespace plexon {

TPxPanelFill::TPxPanelFill(TComponent* owner) : TPxCustomPanel(owner) {
    fill_.OnChange = [this] { SettingsChanged(); };
}

TPxPanelFill::~TPxPanelFill() = default;

void TPxPanelFill::SetAlignment(TPxAlignment value) {
    if (value == alignment_) return;
    alignment_ = value;
    Invalidate();
}

void TPxPanelFill::BoundsChanged() {
    TPxCustomPanel::BoundsChanged();
    if (Width() != builtWidth_ || Height() != builtHeight_) BackgroundChanged();
}

void TPxPanelFill::SettingsChanged() {
    BackgroundChanged();
    TPxCustomPanel::SettingsChanged();
}

void TPxPanelFill::ParentFontOrColorChanged() {
    // The colour is the background of untiled bitmaps and of brush fills.
    if (fill_.Style() != sfGradient) stale_ = true;
    TPxCustomPanel::ParentFontOrColorChanged();
}

void TPxPanelFill::BackgroundChanged() {
    stale_ = true;
    Invalidate();
    // Transparent windowed children show a part of the background: they repaint too.
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* child = dynamic_cast<TWinControl*>(Controls(i))) child->Invalidate();
}

TBitmap* TPxPanelFill::Background() {
    if (!stale_) return background_.get();
    stale_ = false;
    builtWidth_ = Width();
    builtHeight_ = Height();
    if (fill_.Style() == sfNone || Width() <= 0 || Height() <= 0) {
        background_.reset();
        return nullptr;
    }
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetWidth(Width());
    bitmap->SetHeight(Height());
    ++builds_;
    if (!fill_.Fill(bitmap->Canvas(), {0, 0, Width(), Height()}, Color())) {
        background_.reset();
        return nullptr;
    }
    bitmap->SetPixelLayout(BitmapPixelLayout::Bits24);
    background_ = std::move(bitmap);
    return background_.get();
}

bool TPxPanelFill::CopyBackground(gdi::HDC dc, const gdi::RECT& area, int x, int y) {
    TBitmap* background = Transparent() ? nullptr : Background();
    if (!background) return false;
    gdi::BitBlt(dc, x, y, area.right - area.left, area.bottom - area.top, background->Canvas().Handle(),
                area.left, area.top, gdi::SRCCOPY);
    return true;
}

void TPxPanelFill::EraseBackground(gdi::HDC dc) {
    if (Transparent() || !CopyBackground(dc, ClientRect(), 0, 0)) TPxCustomPanel::EraseBackground(dc);
}

void TPxPanelFill::Paint() {
    const gdi::HDC dc = Canvas().Handle();
    const gdi::RECT inner = Bevel().Draw(dc, ClientRect(), TransparentBorder());
    if (Caption().empty()) return;
    const int column = int(alignment_) % 3, row = int(alignment_) / 3;
    const gdi::UINT format = gdi::DT_SINGLELINE | gdi::DT_EXPANDTABS | gdi::DT_NOPREFIX |
                             (column == 0   ? gdi::DT_LEFT
                              : column == 1 ? gdi::DT_CENTER
                                            : gdi::DT_RIGHT) |
                             (row == 0   ? gdi::DT_TOP
                              : row == 1 ? gdi::DT_VCENTER
                                         : gdi::DT_BOTTOM);
    DrawControlTextInColor(dc, Caption(), inner, format, Font(),
                           ReallyEnabled() ? Font().Color() : clGrayText);
}

}  // namespace plexon
