// Lines, passes and runs of the markup renderer. Each line is measured first (where it ends, how
// wide and tall it is) and then drawn, or hit-tested, at its aligned place over exactly the text the
// measuring pass took. The remaining text is always a suffix of the prepared text, so a call is
// linear in the text apart from what the platform's text measuring costs.
#include "controls/markup/RenderMarkup.h"

#include <algorithm>
#include <cstdint>

#include "controls/markup/MarkupRenderer.h"
#include "controls/markup/MarkupText.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Text.h"

namespace plexon {

namespace markup {

std::size_t NextChar::In(std::string_view rest) {
    const char* end = rest.data() + rest.size();
    if (end != bufferEnd_ || next_ < rest.data()) {
        const std::size_t at = rest.find(c_);
        bufferEnd_ = end;
        next_ = at == std::string_view::npos ? end : rest.data() + at;
    }
    return next_ == end ? std::string_view::npos : std::size_t(next_ - rest.data());
}

Renderer::Renderer(TCanvas& canvas, const TMarkupInput& input)
    : canvas_(canvas),
      in_(input),
      format_(gdi::DT_SINGLELINE | gdi::DT_BOTTOM | gdi::DT_EXPANDTABS | gdi::DT_EXTERNALLEADING |
              (input.WordWrap ? 0 : gdi::DT_END_ELLIPSIS)),
      base_(canvas.Font()),
      entryBrush_(canvas.Brush().Color()),
      entryBrushStyle_(canvas.Brush().Style()) {}

TMarkupResult Renderer::Run() {
    text_ = PrepareMarkupText(in_.Text);
    measureChain_ = base_;
    drawChain_ = base_;
    SetBackground(clNone);
    const auto restore = [&] {
        canvas_.Brush().SetColor(entryBrush_);
        canvas_.Brush().SetStyle(entryBrushStyle_);
        Font().Assign(base_);
    };
    try {
        gdi::RECT running{in_.Frame.left + 1, in_.Frame.top, in_.Frame.right, in_.Frame.bottom};
        std::string_view rest = text_;
        while (!rest.empty()) {
            Font().Assign(measureChain_);
            ApplyRotation();
            subDepth_ = supLift_ = pictureOffset_ = 0;
            subscript_ = superscript_ = false;
            lineHeight_ = GhHeight();
            const int h0 = lineHeight_;
            RunLine(rest, running);
            const int advance = lineHeight_ + subDepth_ + supLift_;
            running.top += advance;
            result_.ContentHeight += advance;
            ++lineNumber_;
            if (h0 + running.top > in_.Frame.bottom) break;
        }
        if (result_.ContentHeight == 0) {
            Font().Assign(base_);
            result_.ContentHeight = GhHeight();
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return result_;
}

void Renderer::RunLine(std::string_view& rest, const gdi::RECT& running) {
    // What the second pass must start from again.
    const bool inLink = inLink_, linkFound = linkFound_;
    const std::string target = linkTarget_;
    const int pictures = pictureCounter_, links = linkCounter_, level = listLevel_;
    const TColor background = background_;
    const bool shadow = shadow_, hidden = hidden_, errorMark = errorMark_, paragraph = paragraphBackground_,
               rotated = rotated_, subscript = subscript_, superscript = superscript_;
    const int rotation = rotation_;

    std::string consumed;
    Pass measure;
    measure.R = running;
    measure.indent = std::clamp(indent_, 0, std::max(0, running.right - running.left));
    measure.R.left += measure.indent;
    measure.consumed = &consumed;
    measure.rest = rest;
    RunPass(measure);
    rest = measure.rest;
    measureChain_.Assign(Font());
    const int width = measure.x;

    inLink_ = inLink;
    linkFound_ = linkFound;
    linkTarget_ = target;
    pictureCounter_ = pictures;
    linkCounter_ = links;
    listLevel_ = level;
    background_ = background;
    shadow_ = shadow;
    hidden_ = hidden;
    errorMark_ = errorMark;
    paragraphBackground_ = paragraph;
    rotated_ = rotated;
    rotation_ = rotation;
    subscript_ = subscript;
    superscript_ = superscript;

    // Lines align in what the indent leaves of the frame, or of the text's own width when the
    // caller's frame is only a bound (auto-sizing).
    gdi::RECT aligned = running;
    aligned.left += measure.indent;
    int right = running.right;
    if (in_.AlignWidth >= 0)
        right = int(std::min<std::int64_t>(right, std::int64_t(running.left) + in_.AlignWidth));
    if (alignment_ == Alignment::Right && right - width > aligned.left) aligned.left = right - width;
    if (alignment_ == Alignment::Center) {
        const int d = right - aligned.left - width;
        if (d > 0) aligned.left += d / 2;
    }
    aligned.bottom = running.top + lineHeight_ + subDepth_ + supLift_;

    Font().Assign(drawChain_);
    ApplyRotation();
    SetBackground(background_);
    Pass second;
    second.mode = in_.Mode == TMarkupMode::MeasureOnly ? PassMode::Measure : PassMode::Draw;
    second.second = true;
    second.R = aligned;
    second.rest = consumed;
    second.lineBottom = aligned.bottom;
    lineTag_ = NextChar('<');
    lineSpace_ = NextChar(' ');
    // Backgrounds first, so that none covers text of its line drawn before its tag.
    if (Drawing(second)) LineBackgrounds(consumed, aligned);
    RunPass(second);
    drawChain_.Assign(Font());
    // The run was hit within the line's own band, whatever font follows the line.
    if (second.runHit) result_.Hit = true;
}

void Renderer::RunPass(Pass& pass) {
    pass.R.bottom -= subDepth_;
    pass.x = 0;
    pass.W = pass.R;
    NextChar& tags = pass.consumed ? nextTag_ : lineTag_;
    NextChar& spaces = pass.consumed ? nextSpace_ : lineSpace_;
    while (!pass.rest.empty() && !pass.ended && !pass.overflow) {
        const std::size_t t = tags.In(pass.rest);
        const std::size_t s = in_.WordWrap ? spaces.In(pass.rest) : std::string_view::npos;
        std::size_t length = pass.rest.size();
        if (s != std::string_view::npos && (t == std::string_view::npos || s < t))
            length = s + 1;
        else if (t != std::string_view::npos)
            length = t;
        if (length > 0) TakeRun(pass, pass.rest.substr(0, length));

        if (!pass.rest.empty() && pass.rest[0] == '<' && pass.rest.size() <= 2) Drop(pass);
        if (!pass.ended && pass.rest.size() >= 3 && pass.rest[0] == '<') {
            const std::size_t close = pass.rest.find('>');
            ApplyTag(pass, close == std::string_view::npos ? pass.rest : pass.rest.substr(0, close + 1));
            if (!pass.overflow) {
                if (close != std::string_view::npos)
                    Consume(pass, close + 1);
                else
                    Drop(pass);
            }
        }
    }
    pass.x -= pass.trailingSpace;
    if (!pass.second) result_.ContentWidth = std::max(result_.ContentWidth, pass.x);
}

void Renderer::TakeRun(Pass& pass, std::string_view source) {
    const std::string run = RunText(source);
    const int height = Height(run);
    if (subscript_) subDepth_ = std::max(subDepth_, height / 4);
    if (superscript_) supLift_ = std::max(supLift_, height / 4);
    lineHeight_ = std::max(lineHeight_, height);
    if (hidden_) {
        pass.rest.remove_prefix(source.size());
        return;
    }
    if (inLink_ && pass.second) linkText_ += run;
    int width = 0;
    if (Drawing(pass)) {
        width = DrawRun(pass, run);
        pass.x += width;
    } else {
        pass.W = pass.R;
        gdi::RECT extent = pass.W;
        gdi::DrawTextEx(canvas_.Handle(), run.data(), int(run.size()), &extent, format_ | gdi::DT_CALCRECT,
                        nullptr);
        width = extent.right - extent.left;
        // Only the positioning pass decides hits, and only on the line under the point.
        if (inLink_ && pass.second) {
            const int x = in_.CursorX - pass.W.left;
            if (pass.x <= x && x <= pass.x + width && in_.CursorY > pass.W.top &&
                in_.CursorY < pass.lineBottom) {
                result_.AnchorUnderCursor = linkTarget_;
                linkFound_ = true;
                pass.runHit = true;
            }
        }
        pass.x += width;
    }
    // The positioning pass walks exactly the runs the measuring pass placed: its rectangle is the
    // aligned one, narrower, where the last run would seem not to fit.
    const int available = pass.R.right - pass.R.left;
    const bool fits = pass.second || pass.x < available || width >= available ||
                      (!pass.lineTextEmpty && pass.lineTextLast != ' ');
    pass.lineTextEmpty = false;
    pass.lineTextLast = run.back();
    ++pass.runCount;
    if (fits || !in_.WordWrap) {
        Consume(pass, source.size());
        if (!Drawing(pass) && !fits && pass.runCount > 1) Drop(pass);
        pass.trailingSpace = run.back() == ' ' && run.size() == source.size() ? canvas_.TextWidth(" ") : 0;
    } else {
        pass.ended = true;
        pass.x -= width;
    }
}

int Renderer::DrawRun(Pass& pass, const std::string& run) {
    gdi::RECT& w = pass.W;
    if (superscript_) w.bottom -= supLift_;
    if (subscript_) w.bottom += subDepth_;
    w.bottom -= pictureOffset_;
    if (shadow_ && in_.ShadowColor != clNone) {
        const TColor colour = Font().Color();
        Font().SetColor(in_.ShadowColor);
        gdi::RECT shadow{w.left + in_.ShadowOffset, w.top + in_.ShadowOffset, w.right + in_.ShadowOffset,
                         w.bottom + in_.ShadowOffset};
        gdi::DrawTextEx(canvas_.Handle(), run.data(), int(run.size()), &shadow, format_, nullptr);
        Font().SetColor(colour);
    }
    // With a background colour the brush is solid, which makes the run's cell opaque in it.
    gdi::RECT box = w;
    gdi::DrawTextEx(canvas_.Handle(), run.data(), int(run.size()), &box, format_, nullptr);
    gdi::RECT extent = w;
    gdi::DrawTextEx(canvas_.Handle(), run.data(), int(run.size()), &extent, format_ | gdi::DT_CALCRECT,
                    nullptr);
    const int right = extent.right, width = right - w.left;
    if (errorMark_) {
        int x = 2 * (w.left / 2);
        const int y = pass.R.bottom - 1;
        int offset = x % 4 == 0 ? 2 : 0;
        canvas_.Pen().SetColor(clRed);
        canvas_.Pen().SetWidth(1);
        canvas_.MoveTo(x, y + offset);
        while (x < right) {
            offset = offset == 2 ? 0 : 2;
            canvas_.LineTo(x + 2, y + offset);
            x += 2;
        }
    }
    w = {right, pass.R.top, pass.R.right, pass.R.bottom};
    return width;
}

void Renderer::Consume(Pass& pass, std::size_t count) {
    if (pass.consumed) pass.consumed->append(pass.rest.substr(0, count));
    pass.rest.remove_prefix(count);
}

void Renderer::SetBackground(TColor colour) {
    background_ = colour;
    if (colour == clNone) {
        canvas_.Brush().SetStyle(TBrushStyle::Clear);
    } else {
        canvas_.Brush().SetColor(colour);
        canvas_.Brush().SetStyle(TBrushStyle::Solid);
    }
}

int Renderer::Height(std::string_view text) {
    gdi::SIZE size;
    gdi::GetTextExtentPoint32(canvas_.Handle(), text.data(), int(text.size()), &size);
    return size.cy;
}

void Renderer::ApplyRotation() {
    const int tenths = rotated_ ? rotation_ : 0;
    if (Font().Orientation() != tenths) Font().SetOrientation(tenths);
}

}  // namespace markup

TMarkupResult RenderMarkup(TCanvas& canvas, const TMarkupInput& input) {
    return markup::Renderer(canvas, input).Run();
}

}  // namespace plexon
