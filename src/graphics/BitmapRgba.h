// Crossing between TBitmap and RGBA images: a bitmap's pixels as RGBA, and RGBA pixels as a bitmap.
// Nothing here blends; flattening is the caller's choice.
#pragma once

#include "graphics/RgbaImage.h"

namespace plexon {

class TBitmap;

// The alpha its load found (TBitmap::AlphaMask), straight; otherwise every pixel with alpha 255. An empty
// bitmap gives an empty image. The bitmap is not changed.
RgbaImage RgbaFromBitmap(const TBitmap& bitmap);
// Replaces the bitmap's image with a 32-bit DIB section of the pixels (the fourth byte zero, as the
// raster layer keeps it); alpha is dropped.
void SetBitmapPixels(TBitmap& bitmap, const RgbaImage& image);
// The same for a bitmap drawn over what is behind it: pixels of alpha below half take a colour no
// other pixel has, which becomes the bitmap's mask colour, and the bitmap is made transparent when
// there are any; the others are drawn opaque.
void SetBitmapPixelsMasked(TBitmap& bitmap, const RgbaImage& image);

}  // namespace plexon
