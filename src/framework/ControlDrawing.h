// Drawing helpers shared by the standard controls: captions in a control's font, solid fills and
// frames in a colour, the dotted focus rectangle. They use the platform services only.
#pragma once

#include <string>

#include "graphics/Canvas.h"
#include "graphics/Color.h"
#include "platform/gdi/Types.h"

namespace plexon {

enum class TextState { Enabled, Disabled };

// Draws text in r with the DrawText format (the "&" prefix rule applies unless DT_NOPREFIX) in the
// font and its colour; a disabled text is drawn embossed, highlight under shadow. Returns the text
// height.
int DrawControlText(gdi::HDC dc, const std::string& text, gdi::RECT r, gdi::UINT format, TFont& font,
                    TextState state = TextState::Enabled);
// The same in the font's face but another colour (highlighted items and selections).
int DrawControlTextInColor(gdi::HDC dc, const std::string& text, gdi::RECT r, gdi::UINT format, TFont& font,
                           TColor color);
// Measures text as DrawControlText would lay it out in r (DT_CALCRECT).
gdi::RECT MeasureControlText(gdi::HDC dc, const std::string& text, gdi::RECT r, gdi::UINT format, TFont& font);
gdi::SIZE ControlTextExtent(gdi::HDC dc, const std::string& text, TFont& font);
void FillSolid(gdi::HDC dc, const gdi::RECT& r, TColor color);
void FrameSolid(gdi::HDC dc, const gdi::RECT& r, TColor color);
// The small filled triangle of a drop-down or scroll arrow, in the window text colour, or in the
// shadow colour when the control is disabled.
void FillArrowGlyph(gdi::HDC dc, const gdi::POINT (&corners)[3], TextState state);

}  // namespace plexon
