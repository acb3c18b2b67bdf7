// Glyph and caption placement: a layout box holding both side by side or stacked, centred by the
// smaller item, placed in the content rectangle; the text box sits one pixel further right and down.
#include "controls/PxButtonLayout.h"

#include <algorithm>

namespace plexon {

GlyphPlacement PlaceGlyphAndText(const gdi::RECT& content, gdi::SIZE glyph, gdi::SIZE text,
                                 const TPxButtonLayout& layout) {
    const bool hasGlyph = glyph.cx > 0 && glyph.cy > 0, hasText = text.cx > 0 && text.cy > 0;
    const int s = hasGlyph == hasText ? layout.Spacing() : 0;
    const TPxTextAlign a = layout.AlignText2Glyph();
    const bool sideBySide = a == taLeft || a == taLeftTop || a == taRight || a == taRightTop;
    // The glyph is centred against the text except in the "top" and "left" variants.
    const bool centreGlyph = a == taLeft || a == taRight || a == taTop || a == taBottom;
    gdi::POINT g{0, 0}, t{0, 0};
    int width = 0, height = 0;
    if (sideBySide) {
        width = text.cx + s + glyph.cx;
        height = std::max(text.cy, glyph.cy);
        if (text.cy < glyph.cy) t.y = (height - text.cy) / 2;
        if (glyph.cy < text.cy && centreGlyph) g.y = (height - glyph.cy) / 2;
        if (a == taRightTop) g.y = 1;
        if (a == taRight || a == taRightTop)
            t.x = glyph.cx + s;
        else
            g.x = text.cx + s;
    } else {
        height = text.cy + s + glyph.cy;
        width = std::max(text.cx, glyph.cx);
        if (text.cx < glyph.cx) t.x = (width - text.cx) / 2;
        if (glyph.cx < text.cx && centreGlyph) g.x = (width - glyph.cx) / 2;
        if (a == taTop || a == taTopLeft)
            g.y = text.cy + s;
        else
            t.y = glyph.cy + s;
    }
    const gdi::POINT box = AlignBox(content, width, height, layout.Alignment());
    const int dx = box.x + layout.OffsetX(), dy = box.y + layout.OffsetY();
    GlyphPlacement placed;
    placed.glyph =
        hasGlyph ? gdi::RECT{g.x + dx, g.y + dy, g.x + dx + glyph.cx, g.y + dy + glyph.cy} : gdi::RECT{};
    placed.text = hasText
                      ? gdi::RECT{t.x + dx + 1, t.y + dy + 1, t.x + dx + 1 + text.cx, t.y + dy + 1 + text.cy}
                      : gdi::RECT{};
    return placed;
}

}  // namespace plexon
