// Key codes, shift states, mouse buttons and cursors shared by the window layer and the controls.
// Key codes are the virtual key numbers the program's documentation uses (67 is "C").
#pragma once

#include <cstdint>

namespace plexon::window {

namespace vk {
inline constexpr int kBack = 8, kTab = 9, kReturn = 13, kShift = 16, kControl = 17, kMenu = 18, kEscape = 27,
                     kSpace = 32, kPrior = 33, kNext = 34, kEnd = 35, kHome = 36, kLeft = 37, kUp = 38,
                     kRight = 39, kDown = 40, kInsert = 45, kDelete = 46, kF1 = 112, kF4 = 115;
}  // namespace vk

// Modifier keys and mouse buttons held, as a bit set.
enum class Shift : std::uint8_t { None = 0, Shift = 1, Alt = 2, Ctrl = 4, Left = 8, Right = 16, Middle = 32 };
constexpr Shift operator|(Shift a, Shift b) { return Shift(std::uint8_t(a) | std::uint8_t(b)); }
constexpr Shift operator&(Shift a, Shift b) { return Shift(std::uint8_t(a) & std::uint8_t(b)); }
constexpr bool Has(Shift set, Shift flag) { return (set & flag) != Shift::None; }
// Only the keyboard modifiers of a set.
constexpr Shift KeyModifiers(Shift set) { return set & (Shift::Shift | Shift::Alt | Shift::Ctrl); }

enum class MouseButton : std::uint8_t { Left, Right, Middle };

enum class Cursor : std::int8_t { Default, Arrow, Hourglass, Hand, IBeam };

}  // namespace plexon::window
