// DrawText / DrawTextEx: the "&" prefix rule, line breaks, word wrap, tabs, end and path ellipsis and
// alignment. Measuring (DT_CALCRECT) and drawing share one layout, so they always agree; a turned
// font turns the laid-out lines and their clip rectangle together.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/Text.h"
#include "platform/gdi/TextRender.h"
#include "platform/gdi/Transfer.h"
#include "runtime/PrefixText.h"

namespace plexon::gdi {

using detail::FontInstance;

namespace {

constexpr std::string_view kEllipsis = "...";

// A line of shown characters and the byte offsets of those the prefix rule underlines.
using Line = PrefixedText;

struct Layout {
    FontInstance& font;
    bool expandTabs;
    int tabWidth;

    // Width with tab stops counted from the start of the line.
    int Width(std::string_view text) const {
        int pen = 0;
        for (std::size_t at = 0; at < text.size();) {
            const utf8::Character c = font.CharacterAt(text, at);
            if (c.code == '\t' && expandTabs)
                pen = tabWidth > 0 ? (pen / tabWidth + 1) * tabWidth : pen;
            else
                pen += font.Advance(c.code);
            at += c.size;
        }
        return pen;
    }
};

Line ApplyPrefixes(std::string_view text, bool prefixes) {
    return prefixes ? ParsePrefixes(text) : Line{std::string(text), {}};
}

Line Slice(const Line& line, std::size_t from, std::size_t to) {
    Line part;
    part.text = line.text.substr(from, to - from);
    for (int mark : line.marks)
        if (mark >= int(from) && mark < int(to)) part.marks.push_back(mark - int(from));
    return part;
}

// Paragraphs end at CR LF, LF or CR.
std::vector<Line> SplitParagraphs(const Line& text) {
    std::vector<Line> paragraphs;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.text.size(); ++i) {
        if (i < text.text.size() && text.text[i] != '\n' && text.text[i] != '\r') continue;
        paragraphs.push_back(Slice(text, start, i));
        if (i + 1 < text.text.size() && text.text[i] == '\r' && text.text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return paragraphs;
}

// Greedy wrapping at spaces: each line takes as many words as fit; a word wider than the rectangle
// gets a line of its own and overflows. Spaces at a break are dropped.
void Wrap(const Line& paragraph, const Layout& layout, int available, std::vector<Line>& lines) {
    const std::string& text = paragraph.text;
    std::size_t start = 0;
    do {
        std::size_t end = start, next = start;
        std::size_t i = start;
        while (i < text.size()) {
            std::size_t wordEnd = i;
            while (wordEnd < text.size() && text[wordEnd] != ' ') ++wordEnd;
            const bool first = end == start && next == start;
            if (!first && layout.Width(std::string_view(text).substr(start, wordEnd - start)) > available)
                break;
            end = wordEnd;
            next = wordEnd;
            while (next < text.size() && text[next] == ' ') ++next;
            i = next;
        }
        if (end == start && next == start) end = next = text.size();
        lines.push_back(Slice(paragraph, start, end));
        start = next;
    } while (start < text.size());
}

// The most whole characters of head that fit with `tail` after them; their length in bytes.
std::size_t LongestFit(const Layout& layout, std::string_view head, std::string_view tail, int available) {
    std::vector<std::size_t> ends{0};
    for (std::size_t at = 0; at < head.size();) ends.push_back(at += layout.font.CharacterAt(head, at).size);
    std::size_t low = 0, high = ends.size() - 1;
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (layout.Width(std::string(head.substr(0, ends[middle])) + std::string(tail)) <= available)
            low = middle;
        else
            high = middle - 1;
    }
    return ends[low];
}

Line EndEllipsis(const Line& line, const Layout& layout, int available) {
    const std::size_t keep = LongestFit(layout, line.text, kEllipsis, available);
    Line result = Slice(line, 0, keep);
    result.text += kEllipsis;
    return result;
}

// Drops characters before the last path separator; when even none of them fit, the part from the
// separator on is cut at its end instead. A folder ending in a separator keeps its last folder name.
Line PathEllipsis(const Line& line, const Layout& layout, int available) {
    const std::size_t size = line.text.size();
    const bool folder = size > 1 && (line.text.back() == '/' || line.text.back() == '\\');
    const std::size_t separator = line.text.find_last_of("/\\", folder ? size - 2 : std::string::npos);
    if (separator == std::string::npos || separator == 0) return EndEllipsis(line, layout, available);
    const std::string tail = line.text.substr(separator);
    const std::size_t keep = LongestFit(layout, std::string_view(line.text).substr(0, separator),
                                        std::string(kEllipsis) + tail, available);
    Line result = Slice(line, 0, keep);
    const std::size_t shift = result.text.size() + kEllipsis.size();
    result.text += kEllipsis;
    std::size_t tailKeep = tail.size();
    if (keep == 0 && layout.Width(result.text + tail) > available)
        tailKeep = LongestFit(layout, tail, "", available - layout.Width(kEllipsis));
    result.text += tail.substr(0, tailKeep);
    for (int mark : line.marks)
        if (mark >= int(separator) && mark < int(separator + tailKeep))
            result.marks.push_back(int(shift) + mark - int(separator));
    return result;
}

struct PointL {
    std::int64_t x, y;
};

// The rotation of a turned font in screen coordinates (y down): a step along the text and a step
// down from it, as the glyphs are placed.
struct Turn {
    double cosine, sine;

    PointL About(PointL point, PointL pivot) const {
        const double dx = double(point.x - pivot.x), dy = double(point.y - pivot.y);
        return {pivot.x + std::llround(dx * cosine + dy * sine),
                pivot.y + std::llround(dy * cosine - dx * sine)};
    }
    // The smallest rectangle holding r turned about pivot.
    RECT Bounds(const RECT& r, PointL pivot) const {
        std::int64_t x1 = INT64_MAX, y1 = INT64_MAX, x2 = INT64_MIN, y2 = INT64_MIN;
        for (const PointL corner : {PointL{r.left, r.top}, PointL{r.right, r.top}, PointL{r.left, r.bottom},
                                    PointL{r.right, r.bottom}}) {
            const PointL p = About(corner, pivot);
            x1 = std::min(x1, p.x), y1 = std::min(y1, p.y), x2 = std::max(x2, p.x), y2 = std::max(y2, p.y);
        }
        auto fit = [](std::int64_t v) { return int(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX)); };
        return {fit(x1), fit(y1), fit(x2), fit(y2)};
    }
};

struct Options {
    UINT format;
    int tabLength;
    int leftMargin, rightMargin;
};

std::vector<Line> Lines(std::string_view text, const Options& options, const Layout& layout, int available) {
    const UINT format = options.format;
    Line shown = ApplyPrefixes(text, !(format & DT_NOPREFIX));
    if (format & DT_HIDEPREFIX) shown.marks.clear();
    std::vector<Line> lines;
    if (shown.text.empty()) return lines;
    if (format & DT_SINGLELINE) {
        lines.push_back(shown);
    } else {
        for (const Line& paragraph : SplitParagraphs(shown)) {
            if (format & DT_WORDBREAK)
                Wrap(paragraph, layout, available, lines);
            else
                lines.push_back(paragraph);
        }
    }
    for (Line& line : lines) {
        if (layout.Width(line.text) <= available) continue;
        if (format & DT_PATH_ELLIPSIS)
            line = PathEllipsis(line, layout, available);
        else if (format & DT_END_ELLIPSIS)
            line = EndEllipsis(line, layout, available);
    }
    return lines;
}

// Draws one line from (x, y), segment by segment when tabs are expanded.
void DrawLine(const GdiDc& dc, const Layout& layout, const Line& line, int x, int y,
              const std::optional<RECT>& clip) {
    std::size_t start = 0;
    int pen = 0;
    auto mark = [&](std::size_t from, std::size_t to) {
        for (int m : line.marks)
            if (m >= int(from) && m < int(to)) return m - int(from);
        return -1;
    };
    while (start <= line.text.size()) {
        std::size_t end = layout.expandTabs ? line.text.find('\t', start) : std::string::npos;
        if (end == std::string::npos) end = line.text.size();
        detail::RunRequest run;
        run.x = x + pen;
        run.y = y;
        run.text = std::string_view(line.text).substr(start, end - start);
        run.clip = clip;
        run.underlined = mark(start, end);
        if (!run.text.empty()) detail::DrawRun(dc, layout.font, run);
        if (end == line.text.size()) break;
        pen = layout.Width(std::string_view(line.text).substr(0, end + 1));
        start = end + 1;
    }
}

}  // namespace

int DrawTextEx(HDC dc, const char* text, int count, RECT* rect, UINT format, DRAWTEXTPARAMS* params) {
    if (!detail::IsLive(dc)) return 0;
    if (rect == nullptr) {
        detail::SetError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::size_t length = text == nullptr ? 0
                               : count < 0     ? std::strlen(text)
                                               : strnlen(text, std::size_t(count));
    Options options{format, params ? params->iTabLength : 8, params ? params->iLeftMargin : 0,
                    params ? params->iRightMargin : 0};
    std::lock_guard guard(detail::FontLock());
    FontInstance* font = detail::SelectedFont(*dc);
    if (!font) return 0;
    const TEXTMETRIC& metrics = font->Metrics();
    const Layout layout{*font, (format & DT_EXPANDTABS) != 0,
                        std::max(0, options.tabLength) * metrics.tmAveCharWidth};
    const int lineHeight = metrics.tmHeight + ((format & DT_EXTERNALLEADING) ? metrics.tmExternalLeading : 0);
    // In 64 bits: rectangles and margins may span the whole int range.
    const std::int64_t left = std::int64_t(rect->left) + options.leftMargin;
    const std::int64_t right = std::int64_t(rect->right) - options.rightMargin;
    const int available = int(std::clamp<std::int64_t>(right - left, -1, INT32_MAX));
    const std::vector<Line> lines =
        Lines(std::string_view(text ? text : "", length), options, layout, available);
    if (params) params->uiLengthDrawn = UINT(length);

    const int height = int(std::min<std::int64_t>(std::int64_t(lines.size()) * lineHeight, 0x7FFFFFFF));
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& line : lines) widest = std::max(widest, layout.Width(line.text));
        rect->right =
            int(std::clamp<std::int64_t>(left + widest + options.rightMargin, INT32_MIN, INT32_MAX));
        rect->bottom = int(std::clamp<std::int64_t>(std::int64_t(rect->top) + height, INT32_MIN, INT32_MAX));
        return height;
    }

    std::int64_t y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect->top + (std::int64_t(rect->bottom) - rect->top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = std::int64_t(rect->bottom) - lineHeight;
    }
    std::optional<RECT> clip;
    if (!(format & DT_NOCLIP)) {
        if (detail::IsEmpty(*rect)) return height;
        clip = *rect;
    }
    const RECT bounds{0, 0, dc->bitmap->surface.width, dc->bitmap->surface.height};
    const std::optional<Turn> turn =
        font->Angle() != 0 ? std::optional<Turn>(Turn{std::cos(font->Angle()), std::sin(font->Angle())})
                           : std::nullopt;
    std::optional<PointL> pivot;
    for (const Line& line : lines) {
        if (!turn && y >= bounds.bottom) break;
        if (turn || y + lineHeight > bounds.top) {
            const int width = layout.Width(line.text);
            std::int64_t x = left;
            if (format & DT_CENTER)
                x = left + (right - left - width) / 2;
            else if (format & DT_RIGHT)
                x = right - width;
            PointL at{x, y};
            if (turn) {
                // The whole layout, clip rectangle included, turns about the first line's origin.
                if (!pivot) {
                    pivot = at;
                    if (clip) clip = turn->Bounds(*clip, *pivot);
                }
                at = turn->About(at, *pivot);
            }
            if (at.x > INT32_MIN / 2 && at.x < INT32_MAX / 2 && at.y > INT32_MIN / 2 && at.y < INT32_MAX / 2)
                DrawLine(*dc, layout, line, int(at.x), int(at.y), clip);
        }
        y += lineHeight;
    }
    return height;
}

int DrawText(HDC dc, const char* text, int count, RECT* rect, UINT format) {
    return DrawTextEx(dc, text, count, rect, format, nullptr);
}

}  // namespace plexon::gdi
