// Measuring and drawing single runs of text: extents, ExtTextOut and TextOut, rotated or not.
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/gdi/Painter.h"
#include "platform/gdi/Scanline.h"
#include "platform/gdi/Text.h"
#include "platform/gdi/TextRender.h"
#include "platform/gdi/Transfer.h"

namespace plexon::gdi {

using detail::IsLive;

namespace detail {

int RunWidth(FontInstance& font, std::string_view text, const int* widths) {
    int width = 0;
    for (std::size_t at = 0, index = 0; at < text.size(); ++index) {
        const utf8::Character c = font.CharacterAt(text, at);
        width += widths ? widths[index] : font.Advance(c.code);
        at += c.size;
    }
    return width;
}

void DrawRun(const GdiDc& dc, FontInstance& font, const RunRequest& request) {
    Painter painter(dc, request.clip);
    if (painter.Empty()) return;
    const TEXTMETRIC& metrics = font.Metrics();
    const int width = RunWidth(font, request.text, request.widths);
    const double cosine = std::cos(font.Angle()), sine = std::sin(font.Angle());
    // Along the baseline and down from it, in screen coordinates (y grows downwards).
    auto at = [&](double along, double below) {
        return PointF{request.x + along * cosine + below * sine, request.y - along * sine + below * cosine};
    };
    auto band = [&](double from, double to, double top, double bottom, COLORREF rgb) {
        FillPolygon(painter, {at(from, top), at(to, top), at(to, bottom), at(from, bottom)}, rgb);
    };
    if (request.background == Background::Mode && dc.backgroundMode == OPAQUE && width > 0)
        band(0, width, 0, metrics.tmHeight, ResolveColor(dc, dc.background));

    const COLORREF color = ResolveColor(dc, dc.text);
    auto line = [&](double from, double to, const Decoration& decoration) {
        const double top = metrics.tmAscent + decoration.offset;
        band(from, to, top, top + decoration.thickness, color);
    };
    int pen = 0;
    for (std::size_t offset = 0, index = 0; offset < request.text.size(); ++index) {
        const utf8::Character c = font.CharacterAt(request.text, offset);
        const Glyph& glyph = font.GlyphFor(c.code);
        const PointF origin = at(pen, metrics.tmAscent);
        const int left = int(std::lround(origin.x)) + glyph.left;
        const int top = int(std::lround(origin.y)) - glyph.top;
        if (glyph.width > 0)
            painter.Coverage(left, top, glyph.coverage.data(), glyph.width, glyph.height, glyph.width, color);
        const int advance = request.widths ? request.widths[index] : glyph.advance;
        if (std::ptrdiff_t(offset) == request.underlined) line(pen, pen + advance, font.UnderlineLine());
        pen += advance;
        offset += c.size;
    }
    if (font.Underline() && width > 0) line(0, width, font.UnderlineLine());
    if (font.StrikeOut() && width > 0) line(0, width, font.StrikeLine());
}

}  // namespace detail

BOOL GetTextExtentPoint32(HDC dc, const char* text, int count, SIZE* size) {
    if (!IsLive(dc)) return 0;
    if (size == nullptr || count < 0 || (text == nullptr && count > 0)) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::lock_guard guard(detail::FontLock());
    detail::FontInstance* font = detail::SelectedFont(*dc);
    if (!font) return 0;
    size->cx = detail::RunWidth(*font, std::string_view(text ? text : "", std::size_t(count)));
    size->cy = font->Metrics().tmHeight;
    return 1;
}

BOOL ExtTextOut(HDC dc, int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                const int* widths) {
    if (!IsLive(dc)) return 0;
    if ((text == nullptr && count > 0) || count > 0x7FFFFFFFu) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const bool clipped = (options & ETO_CLIPPED) && rect;
    if ((options & ETO_OPAQUE) && rect && !detail::IsEmpty(*rect)) {
        detail::Painter painter(*dc);
        const COLORREF background = detail::ResolveColor(*dc, dc->background);
        const int top = std::max(rect->top, painter.Bounds().top);
        const int bottom = std::min(rect->bottom, painter.Bounds().bottom);
        for (int row = top; row < bottom; ++row) painter.Span(row, rect->left, rect->right, background);
    }
    if (count == 0) return 1;
    std::lock_guard guard(detail::FontLock());
    detail::FontInstance* font = detail::SelectedFont(*dc);
    if (!font) return 0;
    detail::RunRequest request;
    request.x = x;
    request.y = y;
    request.text = std::string_view(text, count);
    request.widths = widths;
    if (clipped) request.clip = *rect;
    detail::DrawRun(*dc, *font, request);
    return 1;
}

BOOL TextOut(HDC dc, int x, int y, const char* text, int count) {
    if (count < 0) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return ExtTextOut(dc, x, y, 0, nullptr, text, UINT(count), nullptr);
}

}  // namespace plexon::gdi
