// The set of live handles of one kind: open addressing on the pointer's bits, so a check is a multiply
// and a probe or two and adding or removing allocates nothing while the table has room. Removal shifts
// the rest of its probe run back instead of leaving marks, so handles made and deleted by the thousand
// never lengthen the probes. Not locked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plexon::gdi::detail {

class PointerSet {
  public:
    bool Contains(const void* object) const {
        if (slots_.empty() || object == nullptr) return false;
        for (std::size_t i = Home(object);; i = (i + 1) & (slots_.size() - 1)) {
            if (slots_[i] == object) return true;
            if (slots_[i] == nullptr) return false;
        }
    }

    // A null pointer is never a member.
    void Insert(const void* object) {
        if (object == nullptr || Contains(object)) return;
        // At most three quarters full, so that every probe ends at an empty slot.
        if ((count_ + 1) * 4 > slots_.size() * 3) Rehash();
        std::size_t i = Home(object);
        while (slots_[i] != nullptr) i = Next(i);
        slots_[i] = object;
        ++count_;
    }

    void Erase(const void* object) {
        if (slots_.empty() || object == nullptr) return;
        std::size_t hole = Home(object);
        while (slots_[hole] != object) {
            if (slots_[hole] == nullptr) return;
            hole = Next(hole);
        }
        // Members after the hole whose home is not between the hole and themselves move into it.
        for (std::size_t j = Next(hole); slots_[j] != nullptr; j = Next(j)) {
            const std::size_t home = Home(slots_[j]);
            const bool reachable = hole < j ? (home > hole && home <= j) : (home > hole || home <= j);
            if (reachable) continue;
            slots_[hole] = slots_[j];
            hole = j;
        }
        slots_[hole] = nullptr;
        --count_;
    }

    std::size_t Size() const { return count_; }

  private:
    std::size_t Next(std::size_t i) const { return (i + 1) & (slots_.size() - 1); }

    std::size_t Home(const void* object) const {
        const std::uint64_t bits = std::uint64_t(reinterpret_cast<std::uintptr_t>(object));
        return std::size_t((bits * 0x9E3779B97F4A7C15ull) >> shift_);
    }

    // Room for twice the members, in a power-of-two table.
    void Rehash() {
        std::size_t capacity = 16;
        int bits = 4;
        while (capacity < 2 * (count_ + 1)) capacity *= 2, ++bits;
        std::vector<const void*> old(capacity, nullptr);
        old.swap(slots_);
        shift_ = 64 - bits;
        count_ = 0;
        for (const void* object : old)
            if (object != nullptr) Insert(object);
    }

    std::vector<const void*> slots_;
    std::size_t count_ = 0;
    int shift_ = 60;
};

}  // namespace plexon::gdi::detail
