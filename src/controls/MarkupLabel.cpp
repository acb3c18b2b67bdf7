// The markup label: background, frames, vertical alignment and auto-sizing around RenderMarkup, and
// the mouse: hit tests, the hand cursor, anchor events, hints and opening links.
#include "controls/MarkupLabel.h"

#include <algorithm>
#include <tuple>

#include "controls/ImageList.h"
#include "controls/MarkupLinkNode.h"
#include "controls/PictureStore.h"
#include "controls/markup/FillGradient.h"
#include "controls/markup/MarkupText.h"
#include "graphics/Bitmap.h"
#include "platform/shell/OpenLink.h"
#include "runtime/Exceptions.h"
#include "platform/window/Window.h"

namespace plexon {

namespace {

bool SameRect(const gdi::RECT& a, const gdi::RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Hit tests and measuring need no device of the label's: a small bitmap measures the same fonts.
TCanvas& MeasuringCanvas() {
    static TBitmap* const sheet = [] {
        auto* bitmap = new TBitmap;
        bitmap->SetWidth(1);
        bitmap->SetHeight(1);
        return bitmap;
    }();
    return sheet->Canvas();
}

}  // namespace

TMarkupLabel::TMarkupLabel(TComponent* owner) : TLabel(owner) {
    SetCaption("");
    htmlText_.OnChange = [this] {
        cache_.Clear();
        Invalidate();
    };
}

TMarkupLabel::~TMarkupLabel() {
    SetImages(nullptr);
    SetPictureStore(nullptr);
    cache_.Clear();
}

void TMarkupLabel::SetHTMLText(const std::string& text) {
    std::string line;
    line.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n') line += c;
    htmlText_.Assign({line});
}

std::string TMarkupLabel::DisplayText() const {
    std::string text;
    for (int i = 0; i < htmlText_.Count(); ++i) text += htmlText_[i];
    return text;
}

void TMarkupLabel::SetAutoSizing(bool value) {
    autoSizing_ = value;
    if (value) {
        if (Align() == alLeft || Align() == alRight) SetWidth(6);
        if (Align() == alTop || Align() == alBottom) SetHeight(6);
    }
    Invalidate();
}

void TMarkupLabel::SetAutoSizeType(TAutoSizeType value) {
    autoSizeType_ = value;
    SetAutoSizing(autoSizing_);
}

void TMarkupLabel::SetImages(TImageList* images) {
    if (images_) {
        images_->UnregisterChanges(this);
        images_->RemoveFreeListener(this);
    }
    images_ = images;
    if (images_) {
        images_->RegisterChanges(this, [this] { Invalidate(); });
        images_->AddFreeListener(this, [this] {
            images_ = nullptr;
            Invalidate();
        });
    }
    Invalidate();
}

void TMarkupLabel::SetPictureStore(TPictureStore* store) {
    if (pictureStore_) pictureStore_->RemoveFreeListener(this);
    pictureStore_ = store;
    if (pictureStore_)
        pictureStore_->AddFreeListener(this, [this] {
            pictureStore_ = nullptr;
            Invalidate();
        });
    Invalidate();
}

gdi::RECT TMarkupLabel::TextRect() const {
    int inset = borderWidth_;
    if (bevelOuter_ != bvNone) inset += bevelWidth_;
    if (bevelInner_ != bvNone) inset += bevelWidth_;
    if (borderStyle_ == bsSingle) inset += borderWidth_;
    const gdi::RECT client = ClientRect();
    return {client.left + inset, client.top + inset, client.right - inset, client.bottom - inset};
}

TMarkupInput TMarkupLabel::RendererInput(const gdi::RECT& frame) const {
    TMarkupInput input;
    input.Frame = frame;
    input.Images = images_;
    input.PictureStore = pictureStore_;
    input.PictureCache = const_cast<TMarkupPictureCache*>(&cache_);
    input.ShadowOffset = shadowOffset_;
    input.ShadowColor = shadowColor_;
    input.URLColor = urlColor_;
    input.HoverColor = hoverColor_;
    input.HoverFontColor = hoverFontColor_;
    input.WordWrap = !ellipsis_;
    input.Hover = hover_;
    return input;
}

TMarkupInput TMarkupLabel::PlacedInput(TCanvas& canvas, std::string_view text, bool& sizeWidth,
                                       bool& sizeHeight) const {
    gdi::RECT r = TextRect();
    const bool alongWidth = Align() == alNone || Align() == alLeft || Align() == alRight;
    const bool alongHeight = Align() == alNone || Align() == alTop || Align() == alBottom;
    sizeWidth = autoSizing_ && alongWidth && autoSizeType_ != asVertical;
    sizeHeight = autoSizing_ && alongHeight && autoSizeType_ != asHorizontal;
    if (sizeWidth) r.right += 65535;
    if (sizeHeight) r.bottom += 65535;
    TMarkupInput input = RendererInput(r);
    input.Text = text;
    input.Mode = TMarkupMode::MeasureOnly;
    // A widened frame only bounds the text: its lines align within the text's own width.
    if (sizeWidth) input.AlignWidth = RenderMarkup(canvas, input).ContentWidth;
    if (vAlignment_ != tvaTop && !sizeHeight) {
        const int height = RenderMarkup(canvas, input).ContentHeight;
        // Only text shorter than its rectangle moves; a taller one stays at the top.
        if (height < r.bottom - r.top)
            r.top = vAlignment_ == tvaCenter ? r.top + (r.bottom - r.top - height) / 2 : r.bottom - height;
        input.Frame = r;
    }
    return input;
}

void TMarkupLabel::DrawFrame(TCanvas& canvas, gdi::RECT& r, int width, TColor top, TColor bottom) {
    for (int ring = 0; ring < width; ++ring) {
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetColor(top);
        canvas.MoveTo(r.left, r.bottom - 1);
        canvas.LineTo(r.left, r.top);
        canvas.LineTo(r.right - 1, r.top);
        canvas.Pen().SetColor(bottom);
        canvas.LineTo(r.right - 1, r.bottom - 1);
        canvas.LineTo(r.left - 1, r.bottom - 1);
        r = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
}

void TMarkupLabel::Paint() {
    SetCaption("");
    TCanvas& canvas = Canvas();
    const std::string text = DisplayText();
    gdi::RECT r = ClientRect();
    const int steps = (r.right - r.left) / 4;
    if (!Transparent()) {
        if (colorTo_ != clNone && (gradientType_ == gtFullHorizontal || gradientType_ == gtFullVertical)) {
            FillGradient(canvas, Color(), colorTo_,
                         gradientType_ == gtFullHorizontal ? TGradientDirection::Horizontal
                                                           : TGradientDirection::Vertical,
                         r, steps);
        } else {
            canvas.Brush().SetStyle(TBrushStyle::Solid);
            canvas.Brush().SetColor(Color());
            canvas.Pen().SetColor(Color());
            canvas.Rectangle(r.left, r.top, r.right, r.bottom);
        }
    }
    if (gradientType_ != gtFullHorizontal && gradientType_ != gtFullVertical) {
        gdi::RECT line = r;
        if (gradientType_ == gtBottomLine) line.top = line.bottom - 2;
        if (gradientType_ == gtCenterLine) {
            line.top += (line.bottom - line.top) / 2;
            line.bottom = line.top + 2;
        }
        if (gradientType_ == gtTopLine) line.bottom = line.top + 2;
        FillGradient(canvas, Color(), colorTo_ == clNone ? clWhite : colorTo_, TGradientDirection::Horizontal,
                     line, steps);
    }
    canvas.Font().Assign(Font());

    gdi::RECT frame = ClientRect();
    const auto bevelColours = [](TBevelCut cut) {
        return cut == bvLowered ? std::pair{clBtnShadow, clBtnHighlight}
                                : std::pair{clBtnHighlight, clBtnShadow};
    };
    if (bevelOuter_ != bvNone) {
        const auto [top, bottom] = bevelColours(bevelOuter_);
        DrawFrame(canvas, frame, bevelWidth_, top, bottom);
    }
    DrawFrame(canvas, frame, borderWidth_, Color(), Color());
    if (bevelInner_ != bvNone) {
        const auto [top, bottom] = bevelColours(bevelInner_);
        DrawFrame(canvas, frame, bevelWidth_, top, bottom);
    }
    if (borderStyle_ == bsSingle && borderWidth_ > 0) {
        canvas.Pen().SetWidth(borderWidth_);
        canvas.Pen().SetColor(clBlack);
        // Only the outline: the background under it is painted already.
        canvas.Brush().SetStyle(TBrushStyle::Clear);
        canvas.Rectangle(frame.left, frame.top, frame.right, frame.bottom);
        canvas.Pen().SetWidth(1);
    }

    canvas.Brush().SetStyle(TBrushStyle::Solid);
    canvas.Brush().SetColor(Color());
    bool sizeWidth = false, sizeHeight = false;
    TMarkupInput input = PlacedInput(canvas, text, sizeWidth, sizeHeight);
    const gdi::POINT mouse = ScreenToClient(window::TheDesktop().GetCursorPos());
    input.CursorX = mouse.x;
    input.CursorY = mouse.y;
    input.HoverAnchor = hoverAnchor_;
    input.Mode = TMarkupMode::Draw;
    const TMarkupResult result = RenderMarkup(canvas, input);

    if (sizeHeight && result.ContentHeight + 6 != Height()) SetHeight(result.ContentHeight + 6);
    if (sizeWidth && result.ContentWidth + 6 != Width()) SetWidth(result.ContentWidth + 6);
}

std::pair<std::string, gdi::RECT> TMarkupLabel::AnchorAt(int x, int y) {
    const TMarkupResult result = Measure(x, y);
    hoverAnchor_ = result.HitAnchor;
    if (!result.Hit) {
        hoverAnchor_ = -1;
        return {std::string(), {-1, -1, -1, -1}};
    }
    return {result.AnchorUnderCursor, result.HoverRect};
}

std::vector<TMarkupLink> TMarkupLabel::Links() {
    return Measure(-1, -1).Links;
}

TMarkupResult TMarkupLabel::Measure(int x, int y) {
    TCanvas& canvas = MeasuringCanvas();
    canvas.Font().Assign(Font());
    canvas.Brush().SetColor(Color());
    const std::string text = DisplayText();
    bool sizeWidth = false, sizeHeight = false;
    TMarkupInput input = PlacedInput(canvas, text, sizeWidth, sizeHeight);
    input.Mode = TMarkupMode::MeasureOnly;
    input.CursorX = x;
    input.CursorY = y;
    input.HoverAnchor = -1;
    input.ShadowColor = clNone;
    input.HoverColor = clNone;
    input.HoverFontColor = clNone;
    input.URLColor = 0xFFFFFF;
    return RenderMarkup(canvas, input);
}

void TMarkupLabel::RepaintArea(const gdi::RECT& r) {
    // The whole label is repainted: the window layer invalidates controls, not rectangles.
    if (r.left != -1) Invalidate();
}

void TMarkupLabel::MouseMove(Shift shift, int x, int y) {
    TLabel::MouseMove(shift, x, y);
    const auto [target, rect] = AnchorAt(x, y);
    if (!target.empty()) {
        if ((target != previousTarget_ || !SameRect(rect, hoverRect_) || hoverAnchor_ == -1) && hover_ &&
            rect.left != -1)
            RepaintArea(hoverRect_);
        if (Cursor() == crDefault || target != previousTarget_ || previousAnchor_ != hoverAnchor_) {
            SetCursor(crHandPoint);
            if (OnAnchorEnter) OnAnchorEnter(this, target);
            if (hover_) hoverRect_.left == -1 ? Invalidate() : RepaintArea(hoverRect_);
        }
        previousTarget_ = target;
        previousAnchor_ = hoverAnchor_;
        hoverRect_ = rect;
        if (hover_) RepaintArea(hoverRect_);
    } else if (Cursor() == crHandPoint) {
        SetCursor(crDefault);
        if (OnAnchorExit) OnAnchorExit(this, target);
        if (hover_) hoverRect_.left == -1 ? Invalidate() : RepaintArea(hoverRect_);
        hoverRect_ = rect;
        if (hover_) RepaintArea(hoverRect_);
    }
}

void TMarkupLabel::MouseDown(MouseButton button, Shift shift, int x, int y) {
    TLabel::MouseDown(button, shift, x, y);
    const auto [target, rect] = AnchorAt(x, y);
    if (!target.empty()) FollowLink(target);
}

void TMarkupLabel::FollowLink(const std::string& target) {
    if (target.find("://") != std::string::npos || target.find("mailto:") != std::string::npos) {
        // A click that opens nothing must say why.
        if (!OpenLink(target)) throw Exception(Format(msg::kNoOpener, {target}));
    } else if (OnAnchorClick)
        OnAnchorClick(this, target);
}

void TMarkupLabel::MouseLeave() {
    if (hover_ && hoverAnchor_ != -1) RepaintArea(hoverRect_);
    hoverAnchor_ = -1;
    TLabel::MouseLeave();
}

TMarkupHint TMarkupLabel::HintRequest(gdi::POINT cursor) {
    TMarkupHint hint;
    std::string target;
    if (anchorHint_) {
        gdi::RECT area;
        std::tie(target, area) = AnchorAt(cursor.x, cursor.y);
        if (!target.empty()) {
            if (OnAnchorHint) OnAnchorHint(this, target);
            hint = {false, target, area};
        }
    }
    if (hintShowFull_ && (target.empty() || !anchorHint_)) {
        hint.useOwnHint = false;
        hint.text = htmlHint_ ? DisplayText() : MarkupToPlainText(DisplayText());
    }
    return hint;
}

bool TMarkupLabel::GetHintInfo(gdi::POINT cursor, THintInfo& info) {
    const TMarkupHint hint = HintRequest(cursor);
    // Each link has a hint of its own: off a link the next move asks again.
    if (anchorHint_)
        info.area =
            hint.area.left != -1 ? hint.area : gdi::RECT{cursor.x, cursor.y, cursor.x + 1, cursor.y + 1};
    // A link's hint goes beside the cursor, not below it.
    if (hint.area.left != -1) info.position = ClientToScreen({cursor.x + 10, cursor.y - 10});
    if (hint.useOwnHint && !TLabel::GetHintInfo(cursor, info)) return false;
    if (!hint.useOwnHint) info.text = hint.text;
    if (htmlHint_) {
        info.paint = [this, text = info.text](TCanvas& canvas, const gdi::RECT& r, bool draw) {
            TMarkupInput input = RendererInput(r);
            input.Text = text;
            input.Hover = false;
            input.Mode = draw ? TMarkupMode::Draw : TMarkupMode::MeasureOnly;
            const TMarkupResult result = RenderMarkup(canvas, input);
            return gdi::SIZE{result.ContentWidth, result.ContentHeight};
        };
    }
    return !info.text.empty();
}

}  // namespace plexon
