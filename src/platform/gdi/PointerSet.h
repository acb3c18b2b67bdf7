// The set of live handles of one kind: open addressing on the pointer's bits, so a check is a multiply
// and a probe or two and adding or removing allocates nothing while the table has room. Not locked.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plexon::gdi::detail {

class PointerSet {
  public:
    bool Contains(const void* object) const {
        if (slots_.empty() || object == nullptr || object == kRemoved) return false;
        for (std::size_t i = Home(object);; i = (i + 1) & (slots_.size() - 1)) {
            if (slots_[i] == object) return true;
            if (slots_[i] == nullptr) return false;
        }
    }

    // A null pointer is never a member.
    void Insert(const void* object) {
        if (object == nullptr || object == kRemoved || Contains(object)) return;
        // At most three quarters used, removed slots included, so that every probe ends.
        if ((used_ + 1) * 4 > slots_.size() * 3) Rehash();
        std::size_t i = Home(object);
        while (slots_[i] != nullptr && slots_[i] != kRemoved) i = (i + 1) & (slots_.size() - 1);
        if (slots_[i] == nullptr) ++used_;
        slots_[i] = object;
        ++count_;
    }

    void Erase(const void* object) {
        if (slots_.empty() || object == nullptr || object == kRemoved) return;
        for (std::size_t i = Home(object);; i = (i + 1) & (slots_.size() - 1)) {
            if (slots_[i] == nullptr) return;
            if (slots_[i] == object) {
                // Marked, not emptied: later members of the same probe run stay reachable.
                slots_[i] = kRemoved;
                --count_;
                return;
            }
        }
    }

    std::size_t Size() const { return count_; }

  private:
    // Objects are aligned, so no live one sits at address 1.
    static inline const void* const kRemoved = reinterpret_cast<const void*>(std::uintptr_t(1));

    std::size_t Home(const void* object) const {
        const std::uint64_t bits = std::uint64_t(reinterpret_cast<std::uintptr_t>(object));
        return std::size_t((bits * 0x9E3779B97F4A7C15ull) >> shift_);
    }

    // Room for twice the live members, in a power-of-two table; removed marks are dropped.
    void Rehash() {
        std::size_t capacity = 16;
        int bits = 4;
        while (capacity < 2 * (count_ + 1)) capacity *= 2, ++bits;
        std::vector<const void*> old(capacity, nullptr);
        old.swap(slots_);
        shift_ = 64 - bits;
        used_ = count_ = 0;
        for (const void* object : old)
            if (object != nullptr && object != kRemoved) Insert(object);
    }

    std::vector<const void*> slots_;
    std::size_t count_ = 0;  // members
    std::size_t used_ = 0;   // members and removed marks
    int shift_ = 60;
};

}  // namespace plexon::gdi::detail
