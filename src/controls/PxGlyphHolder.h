// A button's glyph: the bitmap strip with its number of images and transparent colour, and the
// images prepared for drawing, kept in a list shared by every glyph of the same image size (freed
// with the last of them). Which image a state shows is the button's business.
#pragma once

#include <array>
#include <memory>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"

namespace plexon {

class TPxGlyphList;

class TPxGlyphHolder {
  public:
    static constexpr int kMaxGlyphs = 5;

    TPxGlyphHolder();
    ~TPxGlyphHolder();
    TPxGlyphHolder(const TPxGlyphHolder&) = delete;
    TPxGlyphHolder& operator=(const TPxGlyphHolder&) = delete;

    const TBitmap& Glyph() const { return *glyph_; }
    // Copies the bitmap; a width that is a whole multiple of the height below 6 sets NumGlyphs to
    // that multiple, a larger multiple to 1, any other width keeps NumGlyphs.
    void SetGlyph(const TBitmap& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    // The glyph's transparent colour as RGB: its explicit one, else its bottom-left pixel.
    gdi::COLORREF TransparentColor();
    // Size of one image; 0 x 0 without a glyph.
    gdi::SIZE ImageSize() const;

    // Draws image `index` at (x, y), leaving out the transparent colour. Image 1 of a one-image
    // glyph is the disabled image made from image 0. Nothing without a glyph.
    void Draw(TCanvas& canvas, int index, int x, int y);

    // Prepared images alive in the shared lists, for tests of the cache.
    static int SharedImageCount();

  private:
    TBitmap& Prepared(int index);
    void ReleasePrepared();

    std::unique_ptr<TBitmap> glyph_;
    int numGlyphs_ = 1;
    std::shared_ptr<TPxGlyphList> list_;
    std::array<int, kMaxGlyphs + 1> slots_;
};

}  // namespace plexon
