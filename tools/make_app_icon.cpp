// Writes the application icon for the desktop's icon theme: at one size as a PNG (8-bit RGBA),
// `make_app_icon SIZE OUT.png`, or scalable, `make_app_icon svg OUT.svg`. The drawing is the
// program's own; this only encodes it.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/ApplicationIcon.h"

namespace {

void Put32(std::string& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += char((value >> shift) & 0xFF);
}

void Chunk(std::string& out, const char* type, const std::string& data) {
    Put32(out, std::uint32_t(data.size()));
    const std::string body = std::string(type, 4) + data;
    out += body;
    Put32(out, std::uint32_t(crc32(0, reinterpret_cast<const Bytef*>(body.data()), uInt(body.size()))));
}

std::string EncodePng(const plexon::window::IconImage& icon) {
    std::string raw;
    for (int y = 0; y < icon.size; ++y) {
        raw += '\0';  // no filter
        for (int x = 0; x < icon.size; ++x) {
            const std::uint32_t p = icon.argb[std::size_t(y) * std::size_t(icon.size) + std::size_t(x)];
            raw += {char(p >> 16), char(p >> 8), char(p), char(p >> 24)};
        }
    }
    std::vector<Bytef> packed(compressBound(uLong(raw.size())));
    uLongf packedSize = packed.size();
    if (compress2(packed.data(), &packedSize, reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()),
                  9) != Z_OK)
        return {};
    std::string header;
    Put32(header, std::uint32_t(icon.size));
    Put32(header, std::uint32_t(icon.size));
    header += {8, 6, 0, 0, 0};  // 8 bits, RGBA, deflate, no filter choice, not interlaced
    std::string png = "\x89PNG\r\n\x1a\n";
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", std::string(reinterpret_cast<const char*>(packed.data()), packedSize));
    Chunk(png, "IEND", {});
    return png;
}

}  // namespace

int main(int argc, char** argv) {
    const bool svg = argc == 3 && std::string(argv[1]) == "svg";
    const int size = argc == 3 && !svg ? std::atoi(argv[1]) : 0;
    if (!svg && (size < 1 || size > 1024)) {
        std::fprintf(stderr, "usage: make_app_icon SIZE OUT.png | make_app_icon svg OUT.svg\n");
        return 2;
    }
    const std::string bytes =
        svg ? plexon::ApplicationIconSvg() : EncodePng(plexon::DrawApplicationIcon(size));
    std::ofstream out(argv[2], std::ios::binary);
    out << bytes;
    if (bytes.empty() || !out.flush()) {
        std::fprintf(stderr, "make_app_icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
