// The image list: each image is its own bitmap; transparency is a colour key, disabled drawing greys.
#include "controls/ImageList.h"

#include <algorithm>

namespace plexon {

namespace {

template <class List>
void RemoveKey(List& list, const void* key) {
    list.erase(
        std::remove_if(list.begin(), list.end(), [&](const auto& entry) { return entry.first == key; }),
        list.end());
}

}  // namespace

TReferencedComponent::~TReferencedComponent() {
    auto listeners = std::move(freeListeners_);
    for (auto& [key, listener] : listeners) listener();
}

void TReferencedComponent::AddFreeListener(const void* key, std::function<void()> listener) {
    RemoveFreeListener(key);
    freeListeners_.emplace_back(key, std::move(listener));
}

void TReferencedComponent::RemoveFreeListener(const void* key) {
    RemoveKey(freeListeners_, key);
}

TImageList::TImageList(TComponent* owner, int width, int height)
    : TReferencedComponent(owner), width_(width), height_(height) {}

int TImageList::Add(const TBitmap& image, TColor transparent) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetWidth(width_);
    bitmap->SetHeight(height_);
    bitmap->Canvas().DrawGraphic(0, 0, const_cast<TBitmap*>(&image));
    images_.push_back({std::move(bitmap), transparent});
    Changed();
    return Count() - 1;
}

void TImageList::Clear() {
    images_.clear();
    Changed();
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    if (index < 0 || index >= Count()) return;
    Entry& entry = images_[std::size_t(index)];
    TBitmap& bitmap = *entry.bitmap;
    for (int row = 0; row < height_; ++row) {
        for (int column = 0; column < width_; ++column) {
            const gdi::COLORREF pixel = bitmap.Canvas().Pixels(column, row);
            if (entry.transparent != clNone && pixel == ResolveColor(entry.transparent)) continue;
            if (enabled) {
                canvas.SetPixels(x + column, y + row, TColor(pixel));
            } else {
                const int grey =
                    (gdi::GetRValue(pixel) + gdi::GetGValue(pixel) + gdi::GetBValue(pixel)) / 6 + 128;
                canvas.SetPixels(
                    x + column, y + row,
                    TColor(gdi::RGB(std::uint8_t(grey), std::uint8_t(grey), std::uint8_t(grey))));
            }
        }
    }
}

void TImageList::RegisterChanges(const void* key, std::function<void()> changed) {
    UnregisterChanges(key);
    links_.emplace_back(key, std::move(changed));
}

void TImageList::UnregisterChanges(const void* key) {
    RemoveKey(links_, key);
}

void TImageList::Changed() {
    auto links = links_;  // a handler may unregister
    for (auto& [key, changed] : links) changed();
}

}  // namespace plexon
