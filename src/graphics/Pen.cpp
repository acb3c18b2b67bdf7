// TPen: platform pen made on first use and remade after a change.
#include "graphics/Pen.h"

#include "graphics/GdiSupport.h"
#include "platform/gdi/Shapes.h"

namespace plexon {

TPen::~TPen() {
    FreeHandle();
}

void TPen::FreeHandle() {
    if (!handle_) return;
    if (releasing_) releasing_();
    if (style_ == TPenStyle::Solid) gdi::DeleteObject(handle_);
    handle_ = nullptr;
}

void TPen::SetColor(TColor color) {
    if (color == color_) return;
    FreeHandle();
    color_ = color;
}

void TPen::SetWidth(int width) {
    if (width == width_) return;
    FreeHandle();
    width_ = width;
}

void TPen::SetStyle(TPenStyle style) {
    if (style == style_) return;
    FreeHandle();
    style_ = style;
}

gdi::HPEN TPen::Handle() {
    if (!handle_) {
        handle_ = style_ == TPenStyle::Clear
                      ? gdi::GetStockPen(gdi::NULL_PEN)
                      : GdiCheck(gdi::CreatePen(gdi::PS_SOLID, width_, ResolveColor(color_)));
    }
    return handle_;
}

}  // namespace plexon
