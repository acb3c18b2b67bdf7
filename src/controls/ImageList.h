// A list of equal-sized images drawn by index (the source of markup "IDX:" pictures), with change
// links that tell the controls showing it, and a notice when it goes away. No masks or overlays.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/Component.h"
#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"

namespace plexon {

// A component that controls may reference: they register to hear when it is destroyed.
class TReferencedComponent : public TComponent {
  public:
    using TComponent::TComponent;
    ~TReferencedComponent() override;
    // The key identifies the listener for removal; it is called once, from the destructor.
    void AddFreeListener(const void* key, std::function<void()> listener);
    void RemoveFreeListener(const void* key);

  private:
    std::vector<std::pair<const void*, std::function<void()>>> freeListeners_;
};

class TImageList : public TReferencedComponent {
  public:
    explicit TImageList(TComponent* owner, int width = 16, int height = 16);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return int(images_.size()); }
    // Adds a copy of the picture, cut or padded to the list's size; `transparent` is the colour that
    // is not drawn (clNone: every pixel is). Returns the new index.
    int Add(const TBitmap& image, TColor transparent = clNone);
    void Clear();
    // Draws image index with its top left at (x, y); nothing for an index out of range.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

    // Called after every change of the list.
    void RegisterChanges(const void* key, std::function<void()> changed);
    void UnregisterChanges(const void* key);

  private:
    struct Entry {
        std::unique_ptr<TBitmap> bitmap;
        TColor transparent;
    };
    void Changed();

    int width_, height_;
    std::vector<Entry> images_;
    std::vector<std::pair<const void*, std::function<void()>>> links_;
};

}  // namespace plexon
