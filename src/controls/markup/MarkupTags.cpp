// The tags of the markup renderer that change fonts, flags, paragraphs and links. A tag is known by
// its first one or two letters; closing tags restore from the base font instead of popping a stack.
#include <algorithm>

#include "controls/markup/MarkupRenderer.h"
#include "controls/markup/MarkupText.h"
#include "platform/gdi/Raster.h"

namespace plexon::markup {

namespace {

constexpr TColor clHighlight = SystemColor(13), clHighlightText = SystemColor(14);
// Point sizes beyond this are taken as this: glyphs of absurd sizes cost memory and time for nothing.
constexpr int kLargestPoints = 200;

char UpperAt(std::string_view text, std::size_t i) {
    if (i >= text.size()) return 0;
    const char c = text[i];
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

void SetStyle(TFont& font, TFontStyle style, bool on) {
    font.SetStyle(on ? font.Style().With(style) : font.Style().Without(style));
}

int PointsForSize(std::int32_t size) {
    static constexpr int kSizes[] = {8, 10, 12, 14, 16};
    const int points = size >= 1 && size <= 5 ? kSizes[size - 1] : size;
    return std::clamp(points, 1, kLargestPoints);
}

}  // namespace

void Renderer::ApplyTag(Pass& pass, std::string_view tag) {
    if (pass.rest[1] == '/') {
        if (pass.rest.size() >= 4) CloseTag(pass, tag);
    } else {
        OpenTag(pass, tag);
    }
}

void Renderer::OpenTag(Pass& pass, std::string_view tag) {
    const std::string_view rest = pass.rest;
    const char second = UpperAt(rest, 2);
    const bool closed = tag.back() == '>';
    switch (UpperAt(rest, 1)) {
        case 'A':
            LinkStart(pass, tag);
            break;
        case 'B':
            if (second == '>') SetStyle(Font(), TFontStyle::Bold, true);
            if (second == 'R') pass.ended = true;
            if (second == 'L') Font().SetColor(entryBrush_);
            if (second == 'O') BodyTag(pass, tag);
            break;
        case 'E':
            if (Drawing(pass)) errorMark_ = true;
            break;
        case 'F':
            if (closed) FontTag(pass, tag);
            break;
        case 'H':
            if (second == 'I' && Drawing(pass)) {
                highlightSavedFont_ = Font().Color();
                highlightSavedBackground_ = background_;
                SetBackground(clHighlight);
                Font().SetColor(clHighlightText);
            }
            if (second == 'R') {
                pass.ended = true;
                if (Drawing(pass)) {
                    canvas_.Pen().SetColor(clBlack);
                    canvas_.Pen().SetWidth(1);
                    canvas_.MoveTo(pass.R.left, pass.W.bottom + 1);
                    canvas_.LineTo(pass.R.right, pass.W.bottom + 1);
                }
            }
            break;
        case 'I':
            if (second == '>') SetStyle(Font(), TFontStyle::Italic, true);
            if (second == 'N') {
                std::int32_t n = 0;
                const Attribute x = FindAttribute(tag.substr(2), "X");
                // From the line's left, as hit tests count; no further than the line's end.
                if (x.found && ParseInteger(x.value, n) && n > pass.x) {
                    pass.x = std::max(pass.x, std::min(n, pass.R.right - pass.R.left));
                    pass.W.left = pass.R.left + pass.x;
                }
            }
            if (second == 'M') PictureTag(pass, tag);
            break;
        case 'L':
            ListItemTag(pass);
            break;
        case 'P':
            if (closed) ParagraphTag(pass, tag);
            break;
        case 'R':
            RotateTag(tag);
            break;
        case 'S':
            if (second == '>') SetStyle(Font(), TFontStyle::StrikeOut, true);
            if (second == 'H') shadow_ = true;
            if (StartsNoCase(tag, "<SUB>")) subscript_ = true;
            if (StartsNoCase(tag, "<SUP>")) superscript_ = true;
            break;
        case 'U':
            if (second == '>') {
                SetStyle(Font(), TFontStyle::Underline, true);
            } else {
                ++listLevel_;
                pass.ended = true;
            }
            break;
        case 'Z':
            hidden_ = true;
            break;
        default:
            break;
    }
}

void Renderer::CloseTag(Pass& pass, std::string_view tag) {
    const std::string_view rest = pass.rest;
    const char second = UpperAt(rest, 3);
    switch (UpperAt(rest, 2)) {
        case 'A':
            LinkEnd(pass);
            break;
        case 'B':
            if (StartsNoCase(tag, "</B>") && tag.size() == 4)
                SetStyle(Font(), TFontStyle::Bold, false);
            else if (second != '>')
                Font().SetColor(base_.Color());
            break;
        case 'E':
            if (Drawing(pass)) errorMark_ = false;
            break;
        case 'F':
            Font().SetName(base_.Name());
            Font().SetHeight(base_.Height());
            if (Drawing(pass)) {
                Font().SetColor(base_.Color());
                SetBackground(fontSavedBackground_);
            }
            break;
        case 'H':
            if (Drawing(pass)) {
                if (highlightSavedFont_ != clNone) Font().SetColor(highlightSavedFont_);
                SetBackground(highlightSavedBackground_);
            }
            break;
        case 'I':
            SetStyle(Font(), TFontStyle::Italic, false);
            break;
        case 'L':
            pass.ended = true;
            break;
        case 'P':
            pass.ended = true;
            if (Drawing(pass)) {
                SetBackground(paragraphSavedBackground_);
                paragraphBackground_ = false;
                paragraphFrom_ = paragraphTo_ = clNone;
            }
            break;
        case 'R':
            rotated_ = false;
            ApplyRotation();
            break;
        case 'S':
            if (second == 'U') {
                subscript_ = superscript_ = false;
            } else if (second == 'H') {
                shadow_ = false;
            } else {
                SetStyle(Font(), TFontStyle::StrikeOut, false);
            }
            break;
        case 'U':
            if (StartsNoCase(tag, "</U>") && tag.size() == 4) {
                SetStyle(Font(), TFontStyle::Underline, false);
            } else if (second != '>') {
                if (listLevel_ > 0)
                    --listLevel_;
                else
                    SetStyle(Font(), TFontStyle::Underline, false);
            }
            break;
        case 'Z':
            hidden_ = false;
            break;
        default:
            break;
    }
}

void Renderer::FontTag(Pass& pass, std::string_view tag) {
    const std::string upper = Upper(tag.substr(2));
    const Attribute face = FindAttribute(upper, "FACE");
    if (face.found) Font().SetName(std::string(face.value));
    const Attribute colour = FindAttribute(upper, " COLOR");
    if (colour.found && !colour.value.empty()) Font().SetColor(ParseMarkupColour(colour.value));
    if (Drawing(pass)) {
        const Attribute background = FindAttribute(upper, "BGCOLOR");
        if (background.found) {
            fontSavedBackground_ = background_;
            if (!background.value.empty()) SetBackground(ParseMarkupColour(background.value));
        }
    }
    const std::size_t size = upper.find("SIZE");
    if (size == std::string::npos) return;
    const std::size_t equals = upper.find('=', size);
    if (equals == std::string::npos) return;
    const std::size_t quote = upper.find('"', equals);
    if (quote == std::string::npos) return;
    Font().SetSize(PointsForSize(ReadNumber(std::string_view(upper).substr(quote + 1))));
}

void Renderer::ParagraphTag(Pass& pass, std::string_view tag) {
    const std::string upper = Upper(tag);
    const Attribute align = FindAttribute(upper, "ALIGN");
    if (align.found) {
        if (align.value.find("RIGHT") != std::string_view::npos) alignment_ = Alignment::Right;
        if (align.value.find("LEFT") != std::string_view::npos) alignment_ = Alignment::Left;
        if (align.value.find("CENTER") != std::string_view::npos) alignment_ = Alignment::Center;
    }
    const Attribute indent = FindAttribute(upper, "INDENT");
    if (indent.found) {
        indent_ = ReadNumber(indent.value);
        // The measuring pass fits the rest of the line into what the new indent leaves.
        if (!pass.second) {
            const int base = pass.R.left - pass.indent;
            pass.indent = std::clamp(indent_, 0, std::max(0, pass.R.right - base));
            pass.R.left = base + pass.indent;
        }
    }
    if (Drawing(pass) && FindAttribute(upper, "BGCOLOR").found) ParagraphBackground(upper);
}

void Renderer::RotateTag(std::string_view tag) {
    const Attribute angle = FindAttribute(tag.substr(2), "A");
    std::int32_t degrees = 0;
    if (angle.found && !ParseInteger(angle.value, degrees)) degrees = ReadNumber(angle.value);
    rotated_ = true;
    rotation_ = (degrees % 360) * 10;
    ApplyRotation();
}

void Renderer::LinkStart(Pass& pass, std::string_view tag) {
    ++linkCounter_;
    const bool hovered = in_.HoverAnchor == linkCounter_;
    if ((!in_.Hover || hovered) && Drawing(pass)) {
        SetStyle(Font(), TFontStyle::Underline, true);
        if (in_.HoverColor != clNone) {
            linkSavedBackground_ = background_;
            SetBackground(in_.HoverColor);
        }
        if (in_.HoverFontColor != clNone) Font().SetColor(in_.HoverFontColor);
    }
    if (!(in_.Hover && hovered && in_.HoverFontColor != clNone)) Font().SetColor(in_.URLColor);
    const std::size_t open = tag.find('"');
    if (open == std::string_view::npos) {
        linkTarget_.clear();
    } else {
        const std::size_t close = tag.find('"', open + 1);
        linkTarget_ = tag.substr(open + 1, (close == std::string_view::npos ? tag.size() : close) - open - 1);
    }
    inLink_ = true;
    linkText_.clear();
    linkFound_ = false;
    linkStart_ = {pass.R.left + pass.x, pass.R.top};
    linkStartLine_ = lineNumber_;
}

void Renderer::LinkEnd(Pass& pass) {
    if (!(in_.Hover && in_.HoverAnchor != linkCounter_) && Drawing(pass)) {
        SetStyle(Font(), TFontStyle::Underline, false);
        if (in_.HoverColor != clNone) SetBackground(linkSavedBackground_);
    }
    Font().SetColor(base_.Color());
    inLink_ = false;
    if (!pass.second) return;
    const gdi::POINT start = linkStartLine_ == lineNumber_ ? linkStart_ : gdi::POINT{pass.R.left, pass.R.top};
    const gdi::RECT rect{start.x, start.y, pass.R.left + pass.x, pass.R.bottom};
    result_.Links.push_back({linkTarget_, linkText_, rect});
    if (linkFound_) {
        result_.HoverRect = rect;
        result_.HitAnchor = linkCounter_;
        linkFound_ = false;
    }
}

}  // namespace plexon::markup
