// The shared core of text output: the font selected in a context, run widths and drawing one run.
// Callers hold FontLock() around every use.
#pragma once

#include <optional>
#include <string_view>

#include "platform/gdi/FontInstance.h"
#include "platform/gdi/Objects.h"

namespace plexon::gdi::detail {

// Whether a run fills its cell first: as the context's background mode says, or never (the caller
// has filled it already).
enum class Background : bool { Mode, None };

// The instance of the context's font, resolved on first use; null (last error set) when no face opens.
FontInstance* SelectedFont(const GdiDc& dc);

// Sum of the advances, or of the given widths (one per character).
int RunWidth(FontInstance& font, std::string_view text, const int* widths = nullptr);

struct RunRequest {
    int x = 0, y = 0;  // top left of the unrotated cell
    std::string_view text;
    const int* widths = nullptr;  // per-character advances instead of the font's
    std::optional<RECT> clip;     // besides the context's clip
    Background background = Background::Mode;
    std::ptrdiff_t underlined = -1;  // byte offset of a character to underline (the "&" prefix), -1 none
};

// Draws the run in the context's text colour, its cell filled with the background colour first when
// the background mode is opaque (unless the request says no).
void DrawRun(const GdiDc& dc, FontInstance& font, const RunRequest& request);

}  // namespace plexon::gdi::detail
