// The markup's pictures (IMG from an image list, the shell's icons, the picture store or the picture
// cache), list bullets, and paragraph and page backgrounds. Pictures are only fetched from the
// program's resources and from files; any other location stays an empty picture.
#include <algorithm>

#include "controls/ImageList.h"
#include "controls/PictureStore.h"
#include "controls/markup/FillGradient.h"
#include "controls/markup/MarkupPicture.h"
#include "controls/markup/MarkupRenderer.h"
#include "controls/markup/MarkupText.h"
#include "controls/markup/ShellIcons.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/Text.h"

namespace plexon::markup {

namespace {

constexpr int kListIndent = 12;
// WIDTH and HEIGHT beyond this are taken as this, so that positions stay far from overflowing.
constexpr int kLargestPicture = 16384;

int Scaled(int pixels, int ppi) {
    return gdi::MulDiv(pixels, ppi, 96);
}

}  // namespace

TMarkupPicture* Renderer::FindNamedPicture(const std::string& source) {
    if (source.find(':') == std::string::npos)
        return in_.PictureStore ? in_.PictureStore->FindPicture(source) : nullptr;
    if (source.find("://") == std::string::npos || !in_.PictureCache) return nullptr;
    if (TMarkupPicture* known = in_.PictureCache->FindPicture(source)) return known;
    // Added before loading, so that a picture that fails to load is not tried again on every paint.
    TMarkupPicture& picture = in_.PictureCache->Add();
    picture.SetLocation(source);
    if (StartsNoCase(source, "RES://")) picture.LoadFromResource(std::string_view(source).substr(6));
    if (StartsNoCase(source, "FILE://")) picture.LoadFile(source.substr(7));
    return &picture;
}

void Renderer::PictureTag(Pass& pass, std::string_view tag) {
    ++pictureCounter_;
    int slotWidth = 0, slotHeight = 0;
    std::string source(FindAttribute(tag, "SRC").value);
    const std::string upper = Upper(tag);
    // The ALT source keeps its case (unlike the rest of the tag): file names are case-sensitive here.
    const Attribute alt = FindAttribute(tag, "ALT");
    if (alt.found && hitPicture_ == pictureCounter_) source = alt.value;
    const int width = std::min(ReadNumber(FindAttribute(upper, "WIDTH").value), kLargestPicture);
    const int height = std::min(ReadNumber(FindAttribute(upper, "HEIGHT").value), kLargestPicture);
    const gdi::HDC dc = canvas_.Handle();
    const int ppiX = gdi::GetDeviceCaps(dc, gdi::LOGPIXELSX), ppiY = gdi::GetDeviceCaps(dc, gdi::LOGPIXELSY);

    if (StartsNoCase(source, "IDX:")) {
        const int index = ReadNumber(std::string_view(source).substr(4));
        if (in_.Images && index < in_.Images->Count()) {
            slotWidth = Scaled(in_.Images->Width(), ppiX);
            slotHeight = Scaled(in_.Images->Height(), ppiY);
            if (Drawing(pass)) in_.Images->Draw(canvas_, pass.W.left, pass.W.top, index, true);
        }
    } else if (StartsNoCase(source, "SSYS:") || StartsNoCase(source, "LSYS:")) {
        TImageList& icons =
            ShellIcons(StartsNoCase(source, "SSYS:") ? TShellIconSize::Small : TShellIconSize::Large);
        slotWidth = Scaled(icons.Width(), ppiX);
        slotHeight = Scaled(icons.Height(), ppiY);
        if (Drawing(pass))
            icons.Draw(canvas_, pass.W.left, pass.W.top, ShellIconIndex(source.substr(5)), true);
    } else if (TMarkupPicture* picture = FindNamedPicture(source); picture && !picture->IsEmpty()) {
        const bool sized = width > 0 && height > 0;
        if (Drawing(pass)) {
            if (sized)
                canvas_.StretchGraphic({pass.W.left, pass.W.top, pass.W.left + width, pass.W.top + height},
                                       picture);
            else
                canvas_.DrawGraphic(pass.W.left + picture->FrameX(), pass.W.top + picture->FrameY(), picture);
        }
        slotWidth = Scaled(sized ? width : picture->Width(), ppiX);
        slotHeight = Scaled(sized ? height : picture->Height(), ppiY);
    }

    if (!Drawing(pass)) {
        const int x = in_.CursorX - pass.R.left;
        if (inLink_ && x > pass.x && x < pass.x + slotWidth && in_.CursorY > pass.W.top &&
            in_.CursorY < pass.W.top + slotHeight) {
            hitPicture_ = pictureCounter_;
            if (pass.second) {
                result_.Hit = true;
                result_.AnchorUnderCursor = linkTarget_;
            }
        }
    }
    const int available = pass.R.right - pass.R.left;
    if (!pass.second && pass.x + slotWidth > available && available > slotWidth) {
        pass.overflow = true;
        return;
    }
    pass.x += slotWidth;
    pass.W.left += slotWidth;
    lineHeight_ = std::max(lineHeight_, slotHeight);
    if (upper.find("ALIGN") != std::string::npos) {
        if (upper.find("\"TOP") != std::string::npos) pictureOffset_ = lineHeight_ - GhHeight();
        if (upper.find("\"MIDDLE") != std::string::npos) pictureOffset_ = (lineHeight_ - GhHeight()) / 2;
    }
}

void Renderer::ListItemTag(Pass& pass) {
    pass.x += listLevel_ * kListIndent;
    if (pass.itemSeen) {
        pass.overflow = true;
        return;
    }
    pass.itemSeen = true;
    pass.W.left += (listLevel_ - 1) * kListIndent;
    if (Drawing(pass) && !hidden_) {
        const std::string name = Font().Name();
        Font().SetName("Symbol");
        const char bullet = listLevel_ % 2 != 0 ? '\xB7' : 'o';
        gdi::RECT at = pass.W;
        gdi::DrawText(canvas_.Handle(), &bullet, 1, &at, 0);
        Font().SetName(name);
    }
    pass.W.left += kListIndent;
}

Renderer::Band Renderer::ParagraphBand(std::string_view upperTag) {
    const Attribute from = FindAttribute(upperTag, "BGCOLOR");
    const Attribute to = FindAttribute(upperTag, "BGCOLORTO");
    Band band{from.value.empty() ? clNone : ParseMarkupColour(from.value), clNone, to.found};
    if (to.found) band.to = to.value.empty() ? clNone : ParseMarkupColour(to.value);
    return band;
}

void Renderer::ParagraphBackground(std::string_view upperTag) {
    const Band band = ParagraphBand(upperTag);
    paragraphBackground_ = true;
    // The text of a gradient paragraph is drawn clear; LineBackgrounds bands each of its lines.
    paragraphFrom_ = band.gradient ? band.from : clNone;
    paragraphTo_ = band.gradient ? band.to : clNone;
    if (band.gradient) {
        SetBackground(clNone);
        return;
    }
    paragraphSavedBackground_ = background_;
    SetBackground(band.from);
}

void Renderer::PaintBand(const Band& band, const gdi::RECT& line) {
    // A clear colour has nothing to paint, not even an outline: the band is left as it is.
    if (band.from == clNone || (band.gradient && band.to == clNone)) return;
    if (band.gradient) {
        FillGradient(canvas_, band.from, band.to, TGradientDirection::Horizontal,
                     {in_.Frame.left, line.top, in_.Frame.right, line.bottom + 2}, 64);
        return;
    }
    canvas_.Pen().SetColor(band.from);
    canvas_.Brush().SetColor(band.from);
    canvas_.Brush().SetStyle(TBrushStyle::Solid);
    canvas_.Rectangle(in_.Frame.left, line.top, in_.Frame.right, line.bottom);
}

void Renderer::LineBackgrounds(std::string_view text, const gdi::RECT& line) {
    // A paragraph going on from the lines before, then every P and BODY background of this line in
    // their order; the pass over the line afterwards only takes their colours for its text.
    if (paragraphBackground_)
        PaintBand(paragraphFrom_ != clNone ? Band{paragraphFrom_, paragraphTo_, true} : Band{background_},
                  line);
    for (std::size_t open = text.find('<'), close = 0; open != std::string_view::npos;
         open = text.find('<', close + 1)) {
        close = text.find('>', open);
        if (close == std::string_view::npos) break;
        const std::string_view tag = text.substr(open, close - open + 1);
        if (tag.size() < 3 || tag[1] == '/') continue;
        if ((tag[1] | 0x20) == 'p') {
            const std::string upper = Upper(tag);
            if (FindAttribute(upper, "BGCOLOR").found) PaintBand(ParagraphBand(upper), line);
        } else if ((tag[1] | 0x20) == 'b' && (tag[2] | 0x20) == 'o') {
            BodyBackground(tag, line);
        }
    }
    SetBackground(background_);
}

void Renderer::BodyTag(Pass& pass, std::string_view tag) {
    if (!Drawing(pass)) return;
    const std::string upper = Upper(tag);
    const Attribute from = FindAttribute(upper, "BGCOLOR");
    if (!from.found) return;
    if (FindAttribute(upper, "BGCOLORTO").found) {
        SetBackground(clNone);
        return;
    }
    fontSavedBackground_ = background_;
    SetBackground(from.value.empty() ? clNone : ParseMarkupColour(from.value));
}

void Renderer::BodyBackground(std::string_view tag, const gdi::RECT& line) {
    const std::string upper = Upper(tag);
    const gdi::RECT& frame = in_.Frame;
    // Pictures and gradients cover the frame from this line down, never text drawn above it.
    const gdi::HDC dc = canvas_.Handle();
    const gdi::HRGN region = gdi::CreateRectRgn(frame.left, line.top, frame.right, frame.bottom);
    gdi::SelectClipRgn(dc, region);
    const Attribute background = FindAttribute(tag, "BACKGROUND");
    if (background.found) {
        TMarkupPicture* picture = FindNamedPicture(std::string(background.value));
        if (picture && !picture->IsEmpty() && picture->Width() > 0 && picture->Height() > 0) {
            // Only tiles that can show are drawn: a small picture over a tall frame stays cheap.
            gdi::RECT box{};
            gdi::GetClipBox(dc, &box);
            const int w = picture->Width(), h = picture->Height();
            const int firstRow = std::max(0, (box.top - frame.top) / h),
                      firstColumn = std::max(0, (box.left - frame.left) / w);
            for (int y = firstRow * h; y < frame.bottom - frame.top && frame.top + y < box.bottom; y += h)
                for (int x = firstColumn * w; x < frame.right - frame.left && frame.left + x < box.right;
                     x += w)
                    canvas_.DrawGraphic(frame.left + x, frame.top + y, picture);
        }
    }
    const Attribute from = FindAttribute(upper, "BGCOLOR");
    const TColor colour = from.value.empty() ? clNone : ParseMarkupColour(from.value);
    const Attribute to = FindAttribute(upper, "BGCOLORTO");
    if (from.found && to.found) {
        const Attribute dir = FindAttribute(upper, "DIR");
        const bool horizontal = !dir.found || dir.value.empty() || dir.value == "H";
        const TColor end = to.value.empty() ? clNone : ParseMarkupColour(to.value);
        if (colour != clNone && end != clNone)
            FillGradient(canvas_, colour, end,
                         horizontal ? TGradientDirection::Horizontal : TGradientDirection::Vertical, frame,
                         64);
    }
    gdi::SelectClipRgn(dc, nullptr);
    gdi::DeleteObject(region);
    if (from.found && !to.found && colour != clNone) {
        canvas_.Brush().SetColor(colour);
        canvas_.Brush().SetStyle(TBrushStyle::Solid);
        canvas_.FillRect({frame.left - 2, line.top, frame.right, line.bottom});
    }
}

}  // namespace plexon::markup
