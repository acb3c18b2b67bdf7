// Font objects: made from a description, selected into contexts, described back and measured.
#include "platform/gdi/Fonts.h"

#include <cstring>
#include <exception>

#include "platform/gdi/FontInstance.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/TextRender.h"

namespace plexon::gdi {

using detail::IsLive;

HFONT CreateFontIndirect(const LOGFONT* description) {
    if (description == nullptr) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto* font = new GdiFont;
    font->description = *description;
    font->description.lfFaceName[LF_FACESIZE - 1] = '\0';
    detail::Register(font);
    return font;
}

HFONT GetStockFont(StockObject which) {
    static GdiFont* const font = [] {
        auto* made = new GdiFont;
        made->stock = Stock::Yes;
        made->description.lfHeight = -11;
        std::strcpy(made->description.lfFaceName, "Tahoma");
        detail::Register(made);
        return made;
    }();
    if (which != DEFAULT_GUI_FONT) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return font;
}

BOOL DeleteObject(HFONT font) {
    return detail::DeleteSelectable(font);
}

HFONT SelectObject(HDC dc, HFONT font) {
    if (!IsLive(dc) || !IsLive(font)) return nullptr;
    return detail::SwapSelected(dc->font, font);
}

HFONT GetCurrentFont(HDC dc) {
    return IsLive(dc) ? dc->font : nullptr;
}

int GetObject(HFONT font, int size, void* out) {
    if (!IsLive(font)) return 0;
    constexpr int kSize = int(sizeof(LOGFONT));
    if (out == nullptr) return kSize;
    if (size < kSize) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::memcpy(out, &font->description, sizeof(LOGFONT));
    return kSize;
}

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics) {
    if (!IsLive(dc) || metrics == nullptr) return 0;
    std::lock_guard guard(detail::FontLock());
    detail::FontInstance* instance = detail::SelectedFont(*dc);
    if (!instance) return 0;
    *metrics = instance->Metrics();
    return 1;
}

namespace detail {

HFONT StockDefaultFont() {
    return GetStockFont(DEFAULT_GUI_FONT);
}

FontInstance* SelectedFont(const GdiDc& dc) {
    GdiFont& font = *dc.font;
    if (!font.instance) {
        try {
            font.instance = InstanceFor(font.description);
        } catch (const std::exception&) {
            SetError(ERROR_INVALID_HANDLE);  // no face can be opened at all
            return nullptr;
        }
    }
    return font.instance.get();
}

}  // namespace detail
}  // namespace plexon::gdi
