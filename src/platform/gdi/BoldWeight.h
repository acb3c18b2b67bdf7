// Whether a face labelled bold is really heavier than its family's regular face: some are bold only
// in the bitmaps hand-made for a few sizes, with outlines as light as the regular ones. Looks up no
// faces and decides nothing about drawing.
#pragma once

struct FT_FaceRec_;

namespace plexon::gdi::detail {

// The stems of a few reference letters of `bold` against those of `regular` at the same em: true
// when clearly wider, and when the faces share no reference letter (nothing to judge by: the label is
// believed). Both faces are left at a probing size: pass faces opened for this.
bool OutlinesHeavier(::FT_FaceRec_& bold, ::FT_FaceRec_& regular);

// How much wider the advances of the reference letters are in `bold` than in `regular`, on average,
// in ems: the room a bold design leaves for its heavier glyphs. 0 when they are not wider.
double ExtraAdvance(::FT_FaceRec_& bold, ::FT_FaceRec_& regular);

// Whether `bold` has bitmaps at this size (26.6 pixels) that are clearly heavier than what `regular`
// draws at the same size. Both faces are left at that size.
bool BitmapsHeavier(::FT_FaceRec_& bold, ::FT_FaceRec_& regular, long pixelSize);

}  // namespace plexon::gdi::detail
