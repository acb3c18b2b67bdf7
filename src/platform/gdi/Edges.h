// 3D edges in the classic system colours: raised and sunken, inner and outer lines, on chosen sides.
// Diagonal edges are not drawn; nothing the program shows uses them.
#pragma once

#include "platform/gdi/Types.h"

namespace plexon::gdi {

constexpr UINT BDR_RAISEDOUTER = 0x1, BDR_SUNKENOUTER = 0x2, BDR_RAISEDINNER = 0x4, BDR_SUNKENINNER = 0x8;
constexpr UINT BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER, BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER;
constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
               EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
               EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;

constexpr UINT BF_LEFT = 0x1, BF_TOP = 0x2, BF_RIGHT = 0x4, BF_BOTTOM = 0x8;
constexpr UINT BF_TOPLEFT = BF_TOP | BF_LEFT, BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
               BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM;
constexpr UINT BF_MIDDLE = 0x800, BF_SOFT = 0x1000, BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000;

// Each line is one pixel wide: the outer line on the rectangle's edge, the inner one a pixel inside
// (an inner line alone takes the outer position). Top and left lines stop one pixel short of the far
// corner, which belongs to the bottom and right lines. BF_SOFT swaps the top-left colours of the outer and
// inner lines of a kind; BF_FLAT draws the outer line in the shadow colour and the inner one in the face
// colour, BF_MONO the outer line black and the inner one in the window colour. BF_MIDDLE fills what is left
// inside (face colour, window colour with BF_MONO); BF_ADJUST moves the drawn sides of rect inwards
// by the width drawn. A rectangle of zero or negative size draws nothing.
BOOL DrawEdge(HDC dc, RECT* rect, UINT edge, UINT flags);

}  // namespace plexon::gdi
