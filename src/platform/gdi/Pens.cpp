// Solid and null pens, stock pens, and selecting them into contexts.
#include <array>

#include "platform/gdi/Objects.h"
#include "platform/gdi/Shapes.h"

namespace plexon::gdi {

using detail::IsLive;

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style != PS_SOLID && style != PS_NULL) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto* pen = new GdiPen;
    pen->style = style;
    pen->width = width < 1 ? 1 : width;
    pen->color = color;
    detail::Register(pen);
    return pen;
}

HPEN GetStockPen(StockObject which) {
    static const std::array<GdiPen*, 3> pens = [] {
        std::array<GdiPen*, 3> made{};
        const COLORREF colors[3] = {RGB(255, 255, 255), RGB(0, 0, 0), RGB(0, 0, 0)};
        for (int i = 0; i < 3; ++i) {
            made[i] = new GdiPen;
            made[i]->stock = Stock::Yes;
            made[i]->color = colors[i];
            made[i]->style = i == 2 ? PS_NULL : PS_SOLID;
            detail::Register(made[i]);
        }
        return made;
    }();
    if (which < WHITE_PEN || which > NULL_PEN) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return pens[which - WHITE_PEN];
}

BOOL DeleteObject(HPEN pen) {
    return detail::DeleteSelectable(pen);
}

HPEN SelectObject(HDC dc, HPEN pen) {
    if (!IsLive(dc) || !IsLive(pen)) return nullptr;
    return detail::SwapSelected(dc->pen, pen);
}

namespace detail {

HPEN StockBlackPen() {
    return GetStockPen(BLACK_PEN);
}

}  // namespace detail
}  // namespace plexon::gdi
