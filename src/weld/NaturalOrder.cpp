// Natural ordering of names: digit runs by value, the rest byte by byte.
#include "weld/NaturalOrder.h"

#include <cstddef>

namespace plexon {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digit run starting at pos, without its leading zeros (so its length orders the values).
std::string_view SignificantDigits(std::string_view s, std::size_t& pos) {
    while (pos < s.size() && s[pos] == '0' && pos + 1 < s.size() && IsDigit(s[pos + 1])) ++pos;
    std::size_t start = pos;
    while (pos < s.size() && IsDigit(s[pos])) ++pos;
    return s.substr(start, pos - start);
}

int Sign(int v) {
    return (v > 0) - (v < 0);
}

}  // namespace

int NaturalCompare(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            std::string_view da = SignificantDigits(a, i);
            std::string_view db = SignificantDigits(b, j);
            if (da.size() != db.size()) return da.size() < db.size() ? -1 : 1;
            if (int c = da.compare(db); c != 0) return Sign(c);
            continue;
        }
        auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[j]);
        if (ca != cb) return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return Sign(a.compare(b));
}

}  // namespace plexon
