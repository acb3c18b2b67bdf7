// The picture collection and its case-insensitive lookup.
#include "controls/PictureStore.h"

#include "controls/markup/MarkupText.h"

namespace plexon {

TPictureItem& TPictureCollection::Add(std::string name) {
    items_.push_back(std::make_unique<TPictureItem>());
    items_.back()->Name = std::move(name);
    return *items_.back();
}

TMarkupPicture* TPictureStore::FindPicture(std::string_view name) {
    for (int i = 0; i < items_.Count(); ++i) {
        TPictureItem& item = items_.Items(i);
        if (item.Name.size() == name.size() && markup::StartsNoCase(item.Name, name)) return &item.Picture;
    }
    return nullptr;
}

}  // namespace plexon
