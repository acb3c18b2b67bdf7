// A named collection of pictures that markup IMG tags name without a location. Lookup ignores case
// and takes the first match; the store owns its pictures.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/ImageList.h"
#include "controls/markup/MarkupPicture.h"

namespace plexon {

struct TPictureItem {
    std::string Name;
    TMarkupPicture Picture;
};

class TPictureCollection {
  public:
    TPictureItem& Add(std::string name);
    int Count() const { return int(items_.size()); }
    TPictureItem& Items(int index) { return *items_.at(std::size_t(index)); }
    void Clear() { items_.clear(); }

  private:
    std::vector<std::unique_ptr<TPictureItem>> items_;
};

class TPictureStore : public TReferencedComponent {
  public:
    using TReferencedComponent::TReferencedComponent;
    TPictureCollection& Items() { return items_; }
    // The first item's picture whose name equals name without regard to case; null when none.
    TMarkupPicture* FindPicture(std::string_view name);

  private:
    TPictureCollection items_;
};

}  // namespace plexon
