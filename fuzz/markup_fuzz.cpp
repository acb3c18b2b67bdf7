// libFuzzer target for the markup renderer and MarkupToPlainText: any text, measured with a hit
// test and drawn, in a narrow and a wide frame. Picture load errors are expected; nothing else is.
#include <cstdint>
#include <string>

#include "controls/markup/MarkupPicture.h"
#include "controls/markup/MarkupText.h"
#include "controls/markup/RenderMarkup.h"
#include "graphics/Bitmap.h"

namespace {

using namespace plexon;

TBitmap& Sheet() {
    static TBitmap* const bitmap = [] {
        auto* b = new TBitmap;
        b->SetWidth(120);
        b->SetHeight(60);
        return b;
    }();
    return *bitmap;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)MarkupToPlainText(text);
    TCanvas& canvas = Sheet().Canvas();
    TMarkupPictureCache cache;
    const int baseHeight = canvas.Font().Height();
    const TColor baseBrush = canvas.Brush().Color();
    for (const bool wrap : {true, false}) {
        TMarkupInput input;
        input.Text = text;
        input.WordWrap = wrap;
        input.PictureCache = &cache;
        input.Frame = wrap ? gdi::RECT{0, 0, 40, 60} : gdi::RECT{2, 2, 118, 58};
        input.CursorX = 20;
        input.CursorY = 8;
        try {
            input.Mode = TMarkupMode::MeasureOnly;
            const TMarkupResult measured = RenderMarkup(canvas, input);
            if (measured.ContentHeight <= 0) __builtin_trap();
            input.Mode = TMarkupMode::Draw;
            input.Hover = true;
            input.HoverAnchor = 1;
            RenderMarkup(canvas, input);
        } catch (const Exception&) {
            // Pictures that cannot be loaded; the canvas must still be whole.
        }
        // The canvas comes back as it was, on the error path too.
        if (canvas.Font().Height() != baseHeight || canvas.Brush().Color() != baseBrush) __builtin_trap();
    }
    return 0;
}
