// Logical fonts: the description record, making fonts from it, selecting them and their metrics.
// Faces come from fontconfig and glyphs from FreeType; there is no font enumeration.
#pragma once

#include <cstdint>

#include "platform/gdi/Types.h"

namespace plexon::gdi {

constexpr int LF_FACESIZE = 32;
constexpr int FW_DONTCARE = 0, FW_NORMAL = 400, FW_SEMIBOLD = 600, FW_BOLD = 700;
constexpr std::uint8_t ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2;
// Heights are clamped to this many pixels either way: larger glyphs would only exhaust memory.
constexpr int kMaxFontHeight = 512;

// The 60-byte record: lfHeight < 0 is the character height in pixels (-11 is 8 points at 96 ppi),
// > 0 the cell height, 0 the default (8 points). Escapement and orientation are in tenths of a degree,
// counter-clockwise; text runs along the escapement. lfWidth is ignored (glyphs keep their aspect).
struct LOGFONT {
    std::int32_t lfHeight = 0;
    std::int32_t lfWidth = 0;
    std::int32_t lfEscapement = 0;
    std::int32_t lfOrientation = 0;
    std::int32_t lfWeight = FW_NORMAL;
    std::uint8_t lfItalic = 0;
    std::uint8_t lfUnderline = 0;
    std::uint8_t lfStrikeOut = 0;
    std::uint8_t lfCharSet = DEFAULT_CHARSET;
    std::uint8_t lfOutPrecision = 0;
    std::uint8_t lfClipPrecision = 0;
    std::uint8_t lfQuality = 0;
    std::uint8_t lfPitchAndFamily = 0;
    char lfFaceName[LF_FACESIZE] = {};
};
static_assert(sizeof(LOGFONT) == 60);

struct TEXTMETRIC {
    std::int32_t tmHeight = 0;
    std::int32_t tmAscent = 0;
    std::int32_t tmDescent = 0;
    std::int32_t tmInternalLeading = 0;
    std::int32_t tmExternalLeading = 0;
    std::int32_t tmAveCharWidth = 0;
    std::int32_t tmMaxCharWidth = 0;
    std::int32_t tmWeight = 0;
    std::int32_t tmOverhang = 0;
    std::int32_t tmDigitizedAspectX = 96;
    std::int32_t tmDigitizedAspectY = 96;
    char tmFirstChar = 0x20;
    char tmLastChar = char(0xFF);
    char tmDefaultChar = 0x1F;
    char tmBreakChar = 0x20;
    std::uint8_t tmItalic = 0;
    std::uint8_t tmUnderlined = 0;
    std::uint8_t tmStruckOut = 0;
    std::uint8_t tmPitchAndFamily = 0;
    std::uint8_t tmCharSet = 0;
};

// The face is looked up when the font is first used, not here: making a font never fails for a
// face that is not installed (a sans face of the same weight stands in).
HFONT CreateFontIndirect(const LOGFONT* description);
HFONT GetStockFont(StockObject which);  // DEFAULT_GUI_FONT: Tahoma 8 points; never deleted
BOOL DeleteObject(HFONT font);          // fails (ERROR_BUSY) while the font is selected
HFONT SelectObject(HDC dc, HFONT font);
HFONT GetCurrentFont(HDC dc);
// Writes the LOGFONT the font was made from; returns its size (60), or 0 for a bad handle or a too
// small buffer. out null returns the size.
int GetObject(HFONT font, int size, void* out);
BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics);

}  // namespace plexon::gdi
