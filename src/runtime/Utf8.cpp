// UTF-8 reading and writing, and the character tests of the Unicode tables.
#include "runtime/Utf8.h"

#include <locale.h>
#include <wctype.h>

namespace plexon::utf8 {

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The Unicode character classes of the C library, independent of the user's locale settings.
locale_t UnicodeLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
    return locale;
}

}  // namespace

Character Decode(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) return {lead, 1};
    std::size_t size = 0;
    char32_t code = 0, minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2, code = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3, code = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4, code = lead & 0x07, minimum = 0x10000;
    } else {
        return {kReplacement, 1};
    }
    if (text.size() - at < size) return {kReplacement, 1};
    for (std::size_t i = 1; i < size; ++i) {
        if (!IsContinuation(byte(at + i))) return {kReplacement, 1};
        code = (code << 6) | (byte(at + i) & 0x3F);
    }
    // Overlong forms, surrogates and codes past the last plane are not well-formed.
    if (code < minimum || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return {kReplacement, 1};
    return {code, size};
}

std::size_t Previous(std::string_view text, std::size_t at) {
    if (at == 0) return 0;
    // A lead byte up to three bytes back starts the character only when its sequence ends at `at`;
    // otherwise the byte just before is a bad byte and a character of its own.
    std::size_t start = at - 1;
    while (start > 0 && at - start < 4 && IsContinuation(static_cast<unsigned char>(text[start]))) --start;
    return Decode(text, start).size == at - start ? start : at - 1;
}

std::size_t OffsetOf(std::string_view text, std::size_t index) {
    std::size_t at = 0;
    for (; index > 0 && at < text.size(); --index) at = Next(text, at);
    return at;
}

std::size_t Count(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); at = Next(text, at)) ++count;
    return count;
}

std::u32string Decoded(std::string_view text) {
    std::u32string codes;
    for (std::size_t at = 0; at < text.size();) {
        const Character c = Decode(text, at);
        codes += c.code;
        at += c.size;
    }
    return codes;
}

std::string Encode(char32_t code) {
    std::string out;
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
    return out;
}

std::string WellFormed(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const Character c = Decode(text, at);
        if (c.code == kReplacement && c.size == 1)
            out += Encode(kReplacement);
        else
            out.append(text.substr(at, c.size));
        at += c.size;
    }
    return out;
}

bool IsLetter(char32_t code) {
    if (code < 0x80) return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
    const locale_t locale = UnicodeLocale();
    return locale != locale_t(nullptr) && iswalpha_l(wint_t(code), locale) != 0;
}

char32_t UpperCase(char32_t code) {
    if (code < 0x80) return code >= 'a' && code <= 'z' ? code - 'a' + 'A' : code;
    const locale_t locale = UnicodeLocale();
    return locale != locale_t(nullptr) ? char32_t(towupper_l(wint_t(code), locale)) : code;
}

}  // namespace plexon::utf8
