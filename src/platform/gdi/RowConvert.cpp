// Row conversion in three tight passes (read values, map them, write them) with direct loops for the
// common cases: same format, 24 <-> 32 bits and palette rows through a lookup table.
#include "platform/gdi/RowConvert.h"

#include <bit>
#include <cstring>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "platform/gdi/ColorMatch.h"

namespace plexon::gdi::detail {

namespace {

bool SameFormat(const PixelFormat& a, const PixelFormat& b, ColorRules rules) {
    if (a.bits != b.bits || a.kind != b.kind) return false;
    switch (a.kind) {
        case FormatKind::Bgr24:
            return true;
        case FormatKind::Masked:
            return a.red.mask == b.red.mask && a.green.mask == b.green.mask && a.blue.mask == b.blue.mask;
        case FormatKind::Indexed:
            break;
    }
    if (rules == ColorRules::Context && a.mono != b.mono) return false;
    if (a.colorCount != b.colorCount) return false;
    for (int i = 0; i < a.colorCount; ++i) {
        const RGBQUAD &x = a.colors[i], &y = b.colors[i];
        if (x.rgbRed != y.rgbRed || x.rgbGreen != y.rgbGreen || x.rgbBlue != y.rgbBlue) return false;
    }
    return true;
}

std::uint32_t* ValueBuffer(int count) {
    thread_local std::vector<std::uint32_t> buffer;
    if (buffer.size() < std::size_t(count)) buffer.resize(std::size_t(count));
    return buffer.data();
}

void ReadValues(const std::uint8_t* row, const int* columns, int x, int bits, std::uint32_t* out, int count) {
    if (columns) {
        for (int i = 0; i < count; ++i) out[i] = ReadPixel(row, columns[i], bits);
        return;
    }
    switch (bits) {
        case 8:
            for (int i = 0; i < count; ++i) out[i] = row[x + i];
            break;
        case 24:
            for (int i = 0; i < count; ++i) {
                const std::uint8_t* p = row + 3 * (x + i);
                out[i] = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16);
            }
            break;
        case 32:
            std::memcpy(out, row + 4 * std::size_t(x), 4 * std::size_t(count));
            break;
        default:
            for (int i = 0; i < count; ++i) out[i] = ReadPixel(row, x + i, bits);
            break;
    }
}

void WriteValues(std::uint8_t* row, int x, int bits, const std::uint32_t* values, int count) {
    switch (bits) {
        case 8:
            for (int i = 0; i < count; ++i) row[x + i] = std::uint8_t(values[i]);
            break;
        case 24:
            for (int i = 0; i < count; ++i) {
                std::uint8_t* p = row + 3 * (x + i);
                p[0] = std::uint8_t(values[i]);
                p[1] = std::uint8_t(values[i] >> 8);
                p[2] = std::uint8_t(values[i] >> 16);
            }
            break;
        case 32:
            std::memcpy(row + 4 * std::size_t(x), values, 4 * std::size_t(count));
            break;
        default:
            for (int i = 0; i < count; ++i) WritePixel(row, x + i, bits, values[i]);
            break;
    }
}

// Copies pixels of 1 or 4 bits whose bit offsets within a byte agree: whole bytes in the middle.
void CopySubByte(const std::uint8_t* source, int sourceX, std::uint8_t* target, int targetX, int count,
                 int bits) {
    const int perByte = 8 / bits;
    int i = 0;
    for (; i < count && (targetX + i) % perByte != 0; ++i)
        WritePixel(target, targetX + i, bits, ReadPixel(source, sourceX + i, bits));
    const int wholeBytes = (count - i) / perByte;
    std::memcpy(target + (targetX + i) / perByte, source + (sourceX + i) / perByte, std::size_t(wholeBytes));
    for (i += wholeBytes * perByte; i < count; ++i)
        WritePixel(target, targetX + i, bits, ReadPixel(source, sourceX + i, bits));
}

// 24-bit pixels to 32-bit ones with a zero fourth byte: four-byte loads, the last pixel read bytewise
// so as not to read past the row.
void WidenBgrScalar(const std::uint8_t* s, std::uint8_t* t, int count) {
    if (count <= 0) return;
    int i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 1 < count; ++i, s += 3, t += 4) {
            std::uint32_t v;
            std::memcpy(&v, s, 4);
            v &= 0x00FFFFFFu;
            std::memcpy(t, &v, 4);
        }
    }
    for (; i + 1 < count; ++i, s += 3, t += 4) t[0] = s[0], t[1] = s[1], t[2] = s[2], t[3] = 0;
    t[0] = s[0], t[1] = s[1], t[2] = s[2], t[3] = 0;
}

#if defined(__x86_64__) || defined(__i386__)
// Four pixels per byte shuffle. A load takes 16 bytes for 12 used ones, so the last pixels of the row
// are left to the scalar loop.
__attribute__((target("ssse3"))) void WidenBgrShuffle(const std::uint8_t* s, std::uint8_t* t, int count) {
    const __m128i order = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    int i = 0;
    for (; i + 6 <= count; i += 4, s += 12, t += 16) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(t), _mm_shuffle_epi8(pixels, order));
    }
    WidenBgrScalar(s, t, count - i);
}
#endif

// The conversion every 24-bit source drawn into a 32-bit strip or frame goes through.
void WidenBgrRow(const std::uint8_t* s, std::uint8_t* t, int count) {
#if defined(__x86_64__) || defined(__i386__)
    static const bool shuffle = __builtin_cpu_supports("ssse3");
    if (shuffle) return WidenBgrShuffle(s, t, count);
#endif
    WidenBgrScalar(s, t, count);
}

}  // namespace

PixelConverter::PixelConverter(const PixelFormat& source, const PixelFormat& target, ColorRules rules,
                               const MonoColors& colors)
    : source_(source), target_(target) {
    const bool context = rules == ColorRules::Context;
    if (SameFormat(source, target, rules)) {
        mode_ = Mode::Same;
        if (target.kind == FormatKind::Masked && target.bits == 32)
            kept_ = target.red.mask | target.green.mask | target.blue.mask;
    } else if (source.kind == FormatKind::Indexed) {
        mode_ = Mode::Table;
        const int entries = 1 << source.bits;
        for (int i = 0; i < entries; ++i) {
            if (context && source.IsMonoDevice()) {
                table_[i] = EncodeColor(target, i ? colors.targetBackground : colors.targetText);
            } else if (context && target.IsMonoDevice()) {
                table_[i] = DecodePixel(source, std::uint32_t(i)) == colors.sourceBackground ? 1 : 0;
            } else {
                table_[i] = EncodeColor(target, DecodePixel(source, std::uint32_t(i)));
            }
        }
    } else if (context && target.IsMonoDevice()) {
        mode_ = Mode::ToMonoDevice;
        background_ = DecodePixel(source, EncodeColor(source, colors.sourceBackground));
    } else if (target.kind == FormatKind::Indexed) {
        mode_ = Mode::ToIndexed;
        ThreadNearestCache().Reset(target.colors, target.colorCount);
    } else {
        mode_ = Mode::Colour;
    }
}

std::uint32_t PixelConverter::Convert(std::uint32_t value) {
    switch (mode_) {
        case Mode::Same:
            return value & kept_;
        case Mode::Table:
            return table_[value & 0xFF];
        case Mode::ToMonoDevice:
            return DecodePixel(source_, value) == background_ ? 1 : 0;
        case Mode::ToIndexed:
            return std::uint32_t(ThreadNearestCache().Find(DecodePixel(source_, value)));
        case Mode::Colour:
            break;
    }
    return EncodeColor(target_, DecodePixel(source_, value));
}

void PixelConverter::ConvertRow(const std::uint8_t* sourceRow, const int* columns, int sourceX,
                                std::uint8_t* targetRow, int targetX, int count) {
    if (count <= 0) return;
    const int sourceBits = source_.bits, targetBits = target_.bits;
    if (!columns) {
        if (mode_ == Mode::Same) {
            if (sourceBits >= 8 && kept_ == ~0u) {
                const std::size_t bytes = std::size_t(sourceBits / 8);
                std::memcpy(targetRow + bytes * targetX, sourceRow + bytes * sourceX, bytes * count);
                return;
            }
            if (target_.IsBgrx32()) {
                std::memcpy(targetRow + 4 * std::size_t(targetX), sourceRow + 4 * std::size_t(sourceX),
                            4 * std::size_t(count));
                for (std::uint8_t* t = targetRow + 4 * std::size_t(targetX) + 3; count-- > 0; t += 4) *t = 0;
                return;
            }
            if (sourceBits < 8 && (sourceX * sourceBits) % 8 == (targetX * targetBits) % 8) {
                CopySubByte(sourceRow, sourceX, targetRow, targetX, count, sourceBits);
                return;
            }
        } else if (source_.kind == FormatKind::Bgr24 && target_.IsBgrx32()) {
            WidenBgrRow(sourceRow + 3 * std::size_t(sourceX), targetRow + 4 * std::size_t(targetX), count);
            return;
        } else if (source_.IsBgrx32() && target_.kind == FormatKind::Bgr24) {
            const std::uint8_t* s = sourceRow + 4 * std::size_t(sourceX);
            std::uint8_t* t = targetRow + 3 * std::size_t(targetX);
            for (int i = 0; i < count; ++i, s += 4, t += 3) {
                t[0] = s[0];
                t[1] = s[1];
                t[2] = s[2];
            }
            return;
        }
    }
    std::uint32_t* values = ValueBuffer(count);
    ReadValues(sourceRow, columns, sourceX, sourceBits, values, count);
    switch (mode_) {
        case Mode::Same:
            if (kept_ != ~0u)
                for (int i = 0; i < count; ++i) values[i] &= kept_;
            break;
        case Mode::Table:
            for (int i = 0; i < count; ++i) values[i] = table_[values[i] & 0xFF];
            break;
        case Mode::Colour:
            if (source_.kind == FormatKind::Bgr24 && target_.IsBgrx32()) break;  // same bytes, spare byte 0
            if (source_.IsBgrx32() && target_.kind == FormatKind::Bgr24) break;
            for (int i = 0; i < count; ++i) values[i] = EncodeColor(target_, DecodePixel(source_, values[i]));
            break;
        default:
            for (int i = 0; i < count; ++i) values[i] = Convert(values[i]);
            break;
    }
    WriteValues(targetRow, targetX, targetBits, values, count);
}

}  // namespace plexon::gdi::detail
