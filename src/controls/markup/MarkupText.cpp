// Preparing markup text, colours, numbers, attributes and the plain text of a markup.
#include "controls/markup/MarkupText.h"

#include <algorithm>
#include <array>
#include <climits>
#include <utility>

#include "runtime/PathText.h"
#include "runtime/PrefixText.h"

namespace plexon {

namespace {

char UpperChar(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

struct Entity {
    std::string_view name;  // without the "&"
    std::string_view replacement;
};
// The symbols in UTF-8, as all our text is.
constexpr std::array<Entity, 9> kEntities{{{"amp;", "&&"},
                                           {"quot;", "\""},
                                           {"sect;", "\xC2\xA7"},
                                           {"permil;", "\xE2\x80\xB0"},
                                           {"reg;", "\xC2\xAE"},
                                           {"copy;", "\xC2\xA9"},
                                           {"para;", "\xC2\xB6"},
                                           {"trade;", "\xE2\x84\xA2"},
                                           {"euro;", "\xE2\x82\xAC"}}};

// The entity whose name (after an "&") starts the text, or null.
const Entity* EntityAt(std::string_view text) {
    for (const Entity& entity : kEntities)
        if (markup::StartsNoCase(text, entity.name)) return &entity;
    return nullptr;
}

// Replacing entities until none is left gives one result whatever the order (two entities never
// overlap, and only the "&" that "&amp;" leaves behind can start a new one), so one sweep that reads
// on after such an "&" gives what repeated sweeps give.
std::string ReplaceEntities(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        ++i;
        // An "&" whose entity is still open: the one just read, or the second of a "&&" just made.
        for (;;) {
            const Entity* entity = EntityAt(text.substr(i));
            if (!entity) {
                out += '&';
                break;
            }
            i += entity->name.size();
            if (entity->replacement != "&&") {
                out += entity->replacement;
                break;
            }
            out += '&';
        }
    }
    return out;
}

constexpr std::array<std::pair<std::string_view, TColor>, 40> kColourNames{{
    {"clred", 0x0000FF},
    {"clblack", 0x000000},
    {"clblue", 0xFF0000},
    {"clgreen", 0x008000},
    {"claqua", 0xFFFF00},
    {"clyellow", 0x00FFFF},
    {"clfuchsia", 0xFF00FF},
    {"clwhite", 0xFFFFFF},
    {"cllime", 0x00FF00},
    {"clsilver", 0xC0C0C0},
    {"clgray", 0x808080},
    {"clolive", 0x008080},
    {"clnavy", 0x800000},
    {"clpurple", 0x800080},
    {"clteal", 0x808000},
    {"clmaroon", 0x000080},
    {"clbackground", SystemColor(1)},
    {"clactivecaption", SystemColor(2)},
    {"clinactivecaption", SystemColor(3)},
    {"clmenu", SystemColor(4)},
    {"clwindow", SystemColor(5)},
    {"clwindowframe", SystemColor(6)},
    {"clmenutext", SystemColor(7)},
    {"clwindowtext", SystemColor(8)},
    {"clcaptiontext", SystemColor(9)},
    {"clactiveborder", SystemColor(10)},
    {"clinactiveborder", SystemColor(11)},
    {"clappworkspace", SystemColor(12)},
    {"clhighlight", SystemColor(13)},
    {"clhighlighttext", SystemColor(14)},
    {"clbtnface", SystemColor(15)},
    {"clbtnshadow", SystemColor(16)},
    {"clgraytext", SystemColor(17)},
    {"clbtntext", SystemColor(18)},
    {"clinactivecaptiontext", SystemColor(19)},
    {"clbtnhighlight", SystemColor(20)},
    {"cl3ddkshadow", SystemColor(21)},
    {"cl3dlight", SystemColor(22)},
    {"clinfotext", SystemColor(23)},
    {"clinfobk", SystemColor(24)},
}};

int HexDigit(char c) {
    c = UpperChar(c);
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A pair of hexadecimal digits read as the platform's hex conversion would: a bad digit or a
// short pair counts 0.
int HexPair(std::string_view text, std::size_t at) {
    if (at + 2 > text.size()) return 0;
    const int high = HexDigit(text[at]), low = HexDigit(text[at + 1]);
    return high < 0 || low < 0 ? 0 : high * 16 + low;
}

// Removes "<z>...</z>" spans for one spelling; an opening one without a closing one stops the sweep.
std::string RemoveHidden(std::string_view text, std::string_view open, std::string_view close) {
    std::string out;
    std::size_t pos = 0;
    for (;;) {
        const std::size_t start = text.find(open, pos);
        if (start == std::string_view::npos) break;
        const std::size_t end = text.find(close, start + open.size());
        if (end == std::string_view::npos) break;
        out.append(text.substr(pos, start - pos));
        pos = end + close.size();
    }
    out.append(text.substr(pos));
    return out;
}

}  // namespace

namespace markup {

std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from) {
    if (what.empty()) return from <= text.size() ? from : std::string_view::npos;
    const auto equal = [](char a, char b) { return LowerAscii(a) == LowerAscii(b); };
    if (from > text.size()) return std::string_view::npos;
    const auto it =
        std::search(text.begin() + std::ptrdiff_t(from), text.end(), what.begin(), what.end(), equal);
    return it == text.end() ? std::string_view::npos : std::size_t(it - text.begin());
}

bool StartsNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
    return true;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperChar(c);
    return out;
}

std::int32_t ReadNumber(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && value[i] == ' ') ++i;
    int base = 10;
    if (i < value.size() && value[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < value.size() && value[i] == '0' && (value[i + 1] == 'x' || value[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    std::int64_t number = 0;
    for (; i < value.size(); ++i) {
        const int digit =
            base == 16 ? HexDigit(value[i]) : (value[i] >= '0' && value[i] <= '9' ? value[i] - '0' : -1);
        if (digit < 0) break;
        number = std::min<std::int64_t>(number * base + digit, INT_MAX);
    }
    return std::int32_t(number);
}

bool ParseInteger(std::string_view value, std::int32_t& number) {
    std::size_t i = 0;
    while (i < value.size() && value[i] == ' ') ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
    const std::string_view digits = value.substr(i);
    if (digits.empty()) return false;
    const bool hex = digits[0] == '$' || (digits.size() > 1 && digits[0] == '0' && (digits[1] | 0x20) == 'x');
    const std::size_t first = hex ? (digits[0] == '$' ? 1 : 2) : 0;
    if (first >= digits.size()) return false;
    std::int64_t result = 0;
    for (std::size_t k = first; k < digits.size(); ++k) {
        const int digit =
            hex ? HexDigit(digits[k]) : (digits[k] >= '0' && digits[k] <= '9' ? digits[k] - '0' : -1);
        if (digit < 0) return false;
        result = result * (hex ? 16 : 10) + digit;
        if (result > std::int64_t(INT_MAX) + 1) return false;
    }
    if (negative) result = -result;
    if (result > INT_MAX || result < INT_MIN) return false;
    number = std::int32_t(result);
    return true;
}

Attribute FindAttribute(std::string_view tag, std::string_view name) {
    const std::size_t at = FindNoCase(tag, name);
    if (at == std::string_view::npos) return {};
    const std::size_t open = tag.find('"', at + name.size());
    if (open == std::string_view::npos) return {};
    const std::size_t close = tag.find('"', open + 1);
    const std::size_t end = close == std::string_view::npos ? tag.size() : close;
    return {true, tag.substr(open + 1, end - open - 1)};
}

std::string RunText(std::string_view source) {
    if (source.find('&') == std::string_view::npos) return std::string(source);
    std::string run;
    run.reserve(source.size());
    for (std::size_t i = 0; i < source.size();) {
        const std::string_view at = source.substr(i);
        if (at.starts_with("&nbsp;")) {
            run += ' ';
            i += 6;
        } else if (at.starts_with("&lt;")) {
            run += '<';
            i += 4;
        } else if (at.starts_with("&gt;")) {
            run += '>';
            i += 4;
        } else {
            run += source[i++];
        }
    }
    return run;
}

}  // namespace markup

std::string PrepareMarkupText(std::string_view text) {
    std::string out = text.find('&') == std::string_view::npos ? std::string(text) : ReplaceEntities(text);
    const std::size_t literal = out.find("<#");
    if (literal != std::string::npos) {
        const std::size_t close = out.find('>', literal + 1);
        if (close != std::string::npos) out.erase(close, 1);
        out.erase(literal, 1);
    }
    if (out.find_first_of("\r\n") == std::string::npos) return out;
    std::string lines;
    lines.reserve(out.size());
    for (char c : out) {
        if (c == '\r')
            lines += "<BR>";
        else if (c != '\n')
            lines += c;
    }
    return lines;
}

TColor ParseMarkupColour(std::string_view value) {
    if (!value.empty() && value[0] == '#') {
        return TColor(HexPair(value, 1) + HexPair(value, 3) * 256 + HexPair(value, 5) * 65536);
    }
    std::string name(value);
    for (char& c : name) c = LowerAscii(c);
    for (const auto& [known, colour] : kColourNames)
        if (known == name) return colour;
    return clBlack;
}

std::string MarkupToPlainText(std::string_view text) {
    std::string breaks;
    breaks.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '<' &&
            (markup::StartsNoCase(text.substr(i), "<BR>") || markup::StartsNoCase(text.substr(i), "<HR>"))) {
            breaks += "\r\n";
            i += 4;
        } else {
            breaks += text[i++];
        }
    }
    const std::string shown = RemoveHidden(RemoveHidden(breaks, "<z>", "</z>"), "<Z>", "</Z>");
    std::string plain;
    plain.reserve(shown.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t open = shown.find('<', pos);
        if (open == std::string::npos) break;
        const std::size_t close = shown.find('>', open);
        if (close == std::string::npos) break;
        plain.append(shown, pos, open - pos);
        pos = close + 1;
    }
    plain.append(shown, pos);
    return plain;
}

std::string MarkupShownText(std::string_view text) {
    return StripPrefixes(markup::RunText(MarkupToPlainText(PrepareMarkupText(text))));
}

}  // namespace plexon
