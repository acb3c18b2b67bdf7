// Nearest-colour search in colour tables, with a per-call cache for converting whole images.
// Distances are plain squared RGB differences; nothing here dithers.
#pragma once

#include <cstdint>

#include "platform/gdi/Types.h"

namespace plexon::gdi::detail {

// Index of the entry closest to rgb (the first of equals); 0 for an empty table.
int NearestIndex(const RGBQUAD* colors, int count, COLORREF rgb);

// Remembers recent answers of NearestIndex for one table. Lives in thread-local storage and is
// re-armed per call, so converting an image costs no allocation.
class NearestCache {
  public:
    // Forgets all answers and binds the cache to a table.
    void Reset(const RGBQUAD* colors, int count);
    int Find(COLORREF rgb) {
        Entry& entry = entries_[Hash(rgb)];
        if (entry.generation == generation_ && entry.rgb == rgb) return entry.index;
        entry = {generation_, rgb, NearestIndex(colors_, count_, rgb)};
        return entry.index;
    }

  private:
    static constexpr int kBits = 12;
    struct Entry {
        std::uint32_t generation = 0;
        COLORREF rgb = 0;
        int index = 0;
    };
    static std::uint32_t Hash(COLORREF rgb) { return (rgb * 2654435761u) >> (32 - kBits); }

    Entry entries_[1 << kBits];
    std::uint32_t generation_ = 0;
    const RGBQUAD* colors_ = nullptr;
    int count_ = 0;
};

// The calling thread's cache.
NearestCache& ThreadNearestCache();

}  // namespace plexon::gdi::detail
