// The four system icons of the message dialog (information, warning, error, question), drawn in
// code as 32 x 32 pictures of our own over the button face colour. No other icons, no icon files.
#pragma once

#include <memory>

#include "graphics/Bitmap.h"

namespace plexon {

// The platform's numbers of the standard icons.
inline constexpr int IDI_HAND = 32513, IDI_QUESTION = 32514, IDI_EXCLAMATION = 32515, IDI_ASTERISK = 32516;
inline constexpr int kSystemIconSize = 32;

// A 32-bit, 32 x 32 bitmap of the icon; EResNotFound "Resource %s not found" for another number.
std::unique_ptr<TBitmap> LoadSystemIcon(int id);

}  // namespace plexon
