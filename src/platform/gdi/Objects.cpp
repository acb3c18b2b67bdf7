// Handle registry and stock objects. One lock guards the registry so that handles may be created and
// checked from several threads; the objects themselves are not locked.
#include "platform/gdi/Objects.h"

#include <mutex>
#include <unordered_set>

#include "platform/gdi/StaticColors.h"

namespace plexon::gdi::detail {

namespace {

struct Registry {
    std::mutex lock;
    std::unordered_set<const void*> live;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

void Add(const void* object) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    registry.live.insert(object);
}

void Remove(const void* object) {
    Registry& registry = TheRegistry();
    std::lock_guard guard(registry.lock);
    registry.live.erase(object);
}

bool Contains(const void* object) {
    if (object != nullptr) {
        Registry& registry = TheRegistry();
        std::lock_guard guard(registry.lock);
        if (registry.live.count(object) != 0) return true;
    }
    SetError(ERROR_INVALID_HANDLE);
    return false;
}

}  // namespace

// Each kind has its own address space of objects, so one set serves all kinds.
void Register(HBITMAP object) {
    Add(object);
}
void Register(HDC object) {
    Add(object);
}
void Register(HPALETTE object) {
    Add(object);
}
void Register(HBRUSH object) {
    Add(object);
}
void Unregister(HBITMAP object) {
    Remove(object);
}
void Unregister(HDC object) {
    Remove(object);
}
void Unregister(HPALETTE object) {
    Remove(object);
}
void Unregister(HBRUSH object) {
    Remove(object);
}
bool IsLive(HBITMAP object) {
    return Contains(object);
}
bool IsLive(HDC object) {
    return Contains(object);
}
bool IsLive(HPALETTE object) {
    return Contains(object);
}
bool IsLive(HBRUSH object) {
    return Contains(object);
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
