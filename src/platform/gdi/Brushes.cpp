// Solid and stock brushes. Only solid colours exist, so the brush origin never shows.
#include <array>

#include "platform/gdi/Objects.h"
#include "platform/gdi/Raster.h"

namespace plexon::gdi {

HBRUSH CreateSolidBrush(COLORREF color) {
    auto* brush = new GdiBrush;
    brush->color = color;
    detail::Register(brush);
    return brush;
}

HBRUSH GetStockBrush(StockObject which) {
    static const std::array<GdiBrush*, 6> brushes = [] {
        const COLORREF colors[6] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128),
                                    RGB(64, 64, 64),    RGB(0, 0, 0),       RGB(0, 0, 0)};
        std::array<GdiBrush*, 6> made{};
        for (int i = 0; i < 6; ++i) {
            made[i] = new GdiBrush;
            made[i]->stock = Stock::Yes;
            made[i]->hollow = i == NULL_BRUSH;
            made[i]->color = colors[i];
            detail::Register(made[i]);
        }
        return made;
    }();
    if (which < WHITE_BRUSH || which > NULL_BRUSH) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return brushes[which];
}

BOOL DeleteObject(HBRUSH brush) {
    return detail::DeleteSelectable(brush);
}

}  // namespace plexon::gdi
