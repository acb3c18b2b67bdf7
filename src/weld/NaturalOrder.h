// Natural ordering of names for listing a folder: digit runs compare by their value, so "Icon2" comes
// before "Icon10". Pure string logic; it knows nothing of files or icon states.
#pragma once

#include <string_view>

namespace plexon {

// Negative, zero or positive like strcmp. Runs of digits compare by value, everything else byte by
// byte; names equal that way (such as "a2" and "a02") fall back to plain byte order, so the result
// is zero only for identical names and the order is total.
int NaturalCompare(std::string_view a, std::string_view b);

inline bool NaturalLess(std::string_view a, std::string_view b) {
    return NaturalCompare(a, b) < 0;
}

}  // namespace plexon
