// Shared behaviour of all pictures: notification and file framing around the stream formats.
#include "graphics/Graphic.h"

#include "runtime/Stream.h"

namespace plexon {

void TGraphic::SetIsTransparent(bool value) {
    if (value == isTransparent_) return;
    isTransparent_ = value;
    NotifyChanged();
}

void TGraphic::NotifyChanged() {
    WasModified = true;
    if (ChangeHandler) ChangeHandler(this);
}

void TGraphic::LoadFile(const std::string& path) {
    TFileStream stream(path, FileMode::OpenRead);
    LoadStream(stream);
}

void TGraphic::SaveFile(const std::string& path) {
    TFileStream stream(path, FileMode::Create);
    SaveStream(stream);
}

}  // namespace plexon
