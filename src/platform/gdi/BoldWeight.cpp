// Ink of reference letters compared between two faces: across the middle row of unhinted outlines
// at a large em, or over whole glyphs at a bitmap size.
#include "platform/gdi/BoldWeight.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <functional>
#include <optional>

namespace plexon::gdi::detail {

namespace {

// Large enough that antialiased coverage measures a stem to a fraction of a percent.
constexpr FT_UInt kProbeEm = 200;
// Letters whose middle row crosses only upright stems in most designs ("o": both sides of the bowl).
constexpr char kReferenceLetters[] = {'l', 'I', 'o', 'n', 'u'};
// Real bolds are 1.4 to 2 times as heavy in their stems; a redrawn regular is within a few percent.
constexpr double kHeavier = 1.2;

struct Ink {
    double pixels = 0;    // coverage summed, in whole pixels
    bool bitmap = false;  // the face's own bitmap, not a rasterised outline
};

// The letter loaded and rasterised; none when the face lacks it. `middleRow` counts only the row
// halfway down the glyph.
std::optional<Ink> InkOf(FT_Face face, char letter, FT_Int32 flags, bool middleRow) {
    const FT_UInt index = FT_Get_Char_Index(face, FT_ULong(static_cast<unsigned char>(letter)));
    if (index == 0 || FT_Load_Glyph(face, index, flags) != 0) return std::nullopt;
    Ink ink;
    ink.bitmap = face->glyph->format == FT_GLYPH_FORMAT_BITMAP;
    if (!ink.bitmap && FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) return std::nullopt;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    const unsigned first = middleRow ? bitmap.rows / 2 : 0;
    const unsigned last = middleRow ? std::min(first + 1, bitmap.rows) : bitmap.rows;
    for (unsigned y = first; y < last; ++y) {
        const unsigned char* row = bitmap.buffer + std::ptrdiff_t(y) * bitmap.pitch;
        for (unsigned x = 0; x < bitmap.width; ++x)
            ink.pixels +=
                bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1 : row[x] / 255.0;
    }
    return ink;
}

// Whether the reference letters both faces have are clearly heavier in `bold`; none when no letter
// counts. `boldCounts` says which of the bold face's letters count at all.
std::optional<bool> Heavier(FT_Face bold, FT_Face regular, FT_Int32 flags, bool middleRow,
                            const std::function<bool(const Ink&)>& boldCounts) {
    double heavy = 0, light = 0;
    bool counted = false;
    for (const char letter : kReferenceLetters) {
        const std::optional<Ink> b = InkOf(bold, letter, flags, middleRow);
        const std::optional<Ink> r = InkOf(regular, letter, flags, middleRow);
        if (!b || !r || !boldCounts(*b)) continue;
        counted = true;
        heavy += b->pixels;
        light += r->pixels;
    }
    if (!counted) return std::nullopt;
    return heavy > kHeavier * light;
}

}  // namespace

bool OutlinesHeavier(FT_FaceRec_& bold, FT_FaceRec_& regular) {
    if (FT_Set_Pixel_Sizes(&bold, 0, kProbeEm) != 0 || FT_Set_Pixel_Sizes(&regular, 0, kProbeEm) != 0)
        return true;
    return Heavier(&bold, &regular, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP, true,
                   [](const Ink&) { return true; })
        .value_or(true);
}

double ExtraAdvance(FT_FaceRec_& bold, FT_FaceRec_& regular) {
    const auto advance = [](FT_Face face, char letter) -> std::optional<double> {
        const FT_UInt index = FT_Get_Char_Index(face, FT_ULong(static_cast<unsigned char>(letter)));
        if (index == 0 || face->units_per_EM == 0 || FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE) != 0)
            return std::nullopt;
        return double(face->glyph->metrics.horiAdvance) / face->units_per_EM;
    };
    double extra = 0;
    int letters = 0;
    for (const char letter : kReferenceLetters) {
        const std::optional<double> wide = advance(&bold, letter), narrow = advance(&regular, letter);
        if (!wide || !narrow) continue;
        extra += *wide - *narrow;
        ++letters;
    }
    return letters ? std::max(0.0, extra / letters) : 0.0;
}

bool BitmapsHeavier(FT_FaceRec_& bold, FT_FaceRec_& regular, long pixelSize) {
    if (FT_Set_Char_Size(&bold, 0, pixelSize, 72, 72) != 0 ||
        FT_Set_Char_Size(&regular, 0, pixelSize, 72, 72) != 0)
        return false;
    return Heavier(&bold, &regular, FT_LOAD_TARGET_LIGHT, false, [](const Ink& ink) { return ink.bitmap; })
        .value_or(false);
}

}  // namespace plexon::gdi::detail
