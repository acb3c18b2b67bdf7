// RenderMarkup: lays out, draws and hit-tests a small HTML-like markup in a rectangle of a canvas,
// in one walk over the text. Stateless: nothing survives a call but the drawing and pictures added
// to the caller's cache. No tree is built and closing tags pop no stack.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/Canvas.h"
#include "graphics/Color.h"

namespace plexon {

class TImageList;
class TPictureStore;
class TMarkupPictureCache;

enum class TMarkupMode { Draw, MeasureOnly };

struct TMarkupInput {
    std::string_view Text;
    gdi::RECT Frame{};
    TImageList* Images = nullptr;
    TPictureStore* PictureStore = nullptr;
    TMarkupPictureCache* PictureCache = nullptr;
    int CursorX = -1, CursorY = -1;
    int HoverAnchor = -1;  // 1-based number of the link shown hovered; -1 none
    // Lines align within this width from the frame's left instead of within the frame: for a frame
    // that only bounds the text (auto-sizing). -1: the frame.
    int AlignWidth = -1;
    int ShadowOffset = 2;
    TColor ShadowColor = clGray;
    TColor URLColor = clBlue;
    TColor HoverColor = clNone;
    TColor HoverFontColor = clNone;
    bool WordWrap = true;
    bool Hover = false;
    TMarkupMode Mode = TMarkupMode::Draw;
};

// A link as the positioning pass placed it: its target, the text it shows and the rectangle of
// its last line (from where it starts on that line to where it ends).
struct TMarkupLink {
    std::string target;
    std::string text;
    gdi::RECT rect{};
};

struct TMarkupResult {
    bool Hit = false;  // the point lies on link text or on a linked picture
    std::string AnchorUnderCursor;
    int HitAnchor = -1;
    gdi::RECT HoverRect{-1, -1, -1, -1};
    int ContentWidth = 0;
    int ContentHeight = 0;
    std::vector<TMarkupLink> Links;  // every link, in text order
};

// The canvas's font at entry is the base font and its brush colour the entry background colour;
// both are as they were on return. Picture load errors propagate; the layout itself raises none.
TMarkupResult RenderMarkup(TCanvas& canvas, const TMarkupInput& input);

}  // namespace plexon
