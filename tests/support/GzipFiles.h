// Gzip-compressed bytes for tests of .svgz sources, made with zlib as the gzip program would.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace plexon::test {

inline std::vector<std::uint8_t> Gzip(std::string_view text) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<std::uint8_t> out(deflateBound(&z, uLong(text.size())) + 64);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = uInt(text.size());
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

}  // namespace plexon::test
