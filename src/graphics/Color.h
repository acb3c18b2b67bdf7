// Colour values of the drawing code: plain RGB, system colours resolved through the platform, and
// the named constants. Palettes and colour matching are elsewhere.
#pragma once

#include <cstdint>

#include "platform/gdi/Types.h"

namespace plexon {

// 0x00BBGGRR for a plain colour; 0x80000000 | index for a system colour.
using TColor = std::int32_t;

constexpr TColor SystemColor(int index) {
    return TColor(0x80000000u | std::uint32_t(index));
}

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);

// A system colour becomes the platform's RGB for its index (low byte); every other value is
// returned unchanged.
gdi::COLORREF ResolveColor(TColor color);

}  // namespace plexon
