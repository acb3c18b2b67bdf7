// Raster operations as a tree of bitwise multiplexers over the index's eight result bits, so every one
// of the 256 codes costs the same handful of word operations; the common ones take shortcuts.
#include "platform/gdi/Rop.h"

#include <cstring>

namespace plexon::gdi::detail {

namespace {

using Word = std::uint64_t;

inline Word Mux(Word select, Word ifSet, Word ifClear) {
    return (select & ifSet) | (~select & ifClear);
}

struct Evaluator {
    Word m[8];
    explicit Evaluator(std::uint8_t rop) {
        for (int i = 0; i < 8; ++i) m[i] = ((rop >> i) & 1) ? ~Word(0) : 0;
    }
    Word operator()(Word p, Word s, Word d) const {
        const Word s1 = Mux(s, Mux(d, m[7], m[6]), Mux(d, m[5], m[4]));
        const Word s0 = Mux(s, Mux(d, m[3], m[2]), Mux(d, m[1], m[0]));
        return Mux(p, s1, s0);
    }
};

inline Word Load(const std::uint8_t* bytes, std::size_t count) {
    Word word = 0;
    if (bytes) std::memcpy(&word, bytes, count);
    return word;
}

// Runs op over `count` bytes, whole words first; missing operands read as 0.
template <typename Op>
void Combine(std::uint8_t* d, const std::uint8_t* s, const std::uint8_t* p, std::size_t count, Op op) {
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const Word result = op(Load(p ? p + i : nullptr, 8), Load(s ? s + i : nullptr, 8), Load(d + i, 8));
        std::memcpy(d + i, &result, 8);
    }
    if (i < count) {
        const std::size_t rest = count - i;
        const Word result =
            op(Load(p ? p + i : nullptr, rest), Load(s ? s + i : nullptr, rest), Load(d + i, rest));
        std::memcpy(d + i, &result, rest);
    }
}

}  // namespace

void ApplyRop(std::uint8_t* destination, const std::uint8_t* source, const std::uint8_t* pattern,
              std::size_t bitStart, std::size_t bitEnd, std::uint8_t rop) {
    if (bitEnd <= bitStart || rop == 0xAA) return;
    const std::size_t first = bitStart / 8, last = (bitEnd - 1) / 8;
    const std::uint8_t keepFirst = std::uint8_t(0xFF00u >> (bitStart % 8));         // bits before the range
    const std::uint8_t keepLast = std::uint8_t(0xFFu >> (((bitEnd - 1) % 8) + 1));  // bits after it
    const std::uint8_t firstByte = destination[first], lastByte = destination[last];

    std::uint8_t* d = destination + first;
    const std::uint8_t* s = source ? source + first : nullptr;
    const std::uint8_t* p = pattern ? pattern + first : nullptr;
    const std::size_t count = last - first + 1;
    switch (rop) {
        case 0xCC:
            std::memcpy(d, s, count);
            break;
        case 0xF0:
            std::memcpy(d, p, count);
            break;
        case 0x00:
            std::memset(d, 0, count);
            break;
        case 0xFF:
            std::memset(d, 0xFF, count);
            break;
        // The named operations get loops of their own; the rest share the multiplexer tree.
        case 0xEE:
            Combine(d, s, p, count, [](Word, Word sw, Word dw) { return sw | dw; });
            break;
        case 0x88:
            Combine(d, s, p, count, [](Word, Word sw, Word dw) { return sw & dw; });
            break;
        case 0x66:
            Combine(d, s, p, count, [](Word, Word sw, Word dw) { return sw ^ dw; });
            break;
        case 0x44:
            Combine(d, s, p, count, [](Word, Word sw, Word dw) { return sw & ~dw; });
            break;
        case 0x33:
            Combine(d, s, p, count, [](Word, Word sw, Word) { return ~sw; });
            break;
        case 0x11:
            Combine(d, s, p, count, [](Word, Word sw, Word dw) { return ~(sw | dw); });
            break;
        case 0xC0:
            Combine(d, s, p, count, [](Word pw, Word sw, Word) { return pw & sw; });
            break;
        case 0xBB:
            Combine(d, s, p, count, [](Word, Word sw, Word dw) { return ~sw | dw; });
            break;
        case 0x5A:
            Combine(d, s, p, count, [](Word pw, Word, Word dw) { return pw ^ dw; });
            break;
        case 0x55:
            Combine(d, s, p, count, [](Word, Word, Word dw) { return ~dw; });
            break;
        case 0xE2:
            Combine(d, s, p, count, [](Word pw, Word sw, Word dw) { return Mux(sw, pw, dw); });
            break;
        case 0xAC:
            Combine(d, s, p, count, [](Word pw, Word sw, Word dw) { return Mux(pw, dw, sw); });
            break;
        default:
            Combine(d, s, p, count, Evaluator(rop));
            break;
    }
    destination[first] = std::uint8_t((destination[first] & ~keepFirst) | (firstByte & keepFirst));
    destination[last] = std::uint8_t((destination[last] & ~keepLast) | (lastByte & keepLast));
}

}  // namespace plexon::gdi::detail
