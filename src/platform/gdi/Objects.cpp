// Handle registry and stock objects. One lock guards the registry so that handles may be created and
// checked from several threads; the objects themselves are not locked.
#include "platform/gdi/Objects.h"

#include <atomic>
#include <mutex>
#include <thread>

#include "platform/gdi/PointerSet.h"
#include "platform/gdi/StaticColors.h"

namespace plexon::gdi::detail {

namespace {

// One set per kind, so that a stale handle whose memory now holds another kind of object is still
// recognised as stale.
enum Kind { kBitmap, kDc, kPalette, kBrush, kPen, kFont, kRegion, kKinds };

// Held for a few instructions on every call that takes a handle: one atomic exchange to take it,
// where a mutex costs two atomic operations and two calls.
class SpinLock {
  public:
    void lock() {
        while (flag_.test_and_set(std::memory_order_acquire))
            while (flag_.test(std::memory_order_relaxed)) std::this_thread::yield();
    }
    void unlock() { flag_.clear(std::memory_order_release); }

  private:
    std::atomic_flag flag_;
};

struct Registry {
    SpinLock lock;
    PointerSet live[kKinds];
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

void Add(Kind kind, const void* object) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    registry.live[kind].Insert(object);
}

void Remove(Kind kind, const void* object) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    registry.live[kind].Erase(object);
}

bool Contains(Kind kind, const void* object) {
    if (object != nullptr) {
        Registry& registry = TheRegistry();
        std::lock_guard guard(registry.lock);
        if (registry.live[kind].Contains(object)) return true;
    }
    SetError(ERROR_INVALID_HANDLE);
    return false;
}

}  // namespace

void Register(HBITMAP object) {
    Add(kBitmap, object);
}
void Register(HDC object) {
    Add(kDc, object);
}
void Register(HPALETTE object) {
    Add(kPalette, object);
}
void Register(HBRUSH object) {
    Add(kBrush, object);
}
void Unregister(HBITMAP object) {
    Remove(kBitmap, object);
}
void Unregister(HDC object) {
    Remove(kDc, object);
}
void Unregister(HPALETTE object) {
    Remove(kPalette, object);
}
void Unregister(HBRUSH object) {
    Remove(kBrush, object);
}
void Register(HPEN object) {
    Add(kPen, object);
}
void Register(HFONT object) {
    Add(kFont, object);
}
void Register(HRGN object) {
    Add(kRegion, object);
}
void Unregister(HPEN object) {
    Remove(kPen, object);
}
void Unregister(HFONT object) {
    Remove(kFont, object);
}
void Unregister(HRGN object) {
    Remove(kRegion, object);
}
bool IsLive(HPEN object) {
    return Contains(kPen, object);
}
bool IsLive(HFONT object) {
    return Contains(kFont, object);
}
bool IsLive(HRGN object) {
    return Contains(kRegion, object);
}
bool IsLive(HBITMAP object) {
    return Contains(kBitmap, object);
}
bool IsLive(HDC object) {
    return Contains(kDc, object);
}
bool IsLive(HPALETTE object) {
    return Contains(kPalette, object);
}
bool IsLive(HBRUSH object) {
    return Contains(kBrush, object);
}

HBITMAP StockMonoBitmap() {
    static GdiBitmap* const bitmap = [] {
        auto* made = new GdiBitmap;
        made->stock = Stock::Yes;
        made->stride = 2;
        made->memory.reset(static_cast<std::uint8_t*>(std::calloc(1, made->stride)));
        made->surface = MakeSurface(MonoDeviceFormat(), 1, 1, made->memory.get(), made->stride, false);
        Register(made);
        return made;
    }();
    return bitmap;
}

HPALETTE StockPalette() {
    static GdiPalette* const palette = [] {
        auto* made = new GdiPalette;
        made->stock = Stock::Yes;
        made->entries.assign(std::begin(kStaticColors), std::end(kStaticColors));
        Register(made);
        return made;
    }();
    return palette;
}

COLORREF ResolveColor(const GdiDc& dc, COLORREF color) {
    if ((color >> 24) == 0x01) {
        const auto& entries = (dc.palette ? dc.palette : StockPalette())->entries;
        const std::size_t index = color & 0xFFFFu;
        if (index >= entries.size()) return 0;
        return RGB(entries[index].peRed, entries[index].peGreen, entries[index].peBlue);
    }
    return color & 0x00FFFFFFu;
}

}  // namespace plexon::gdi::detail
