// Shared behaviour of all pictures: notification, file framing around the stream formats, and the
// comparison that decides whether a form stores a picture.
#include "graphics/Graphic.h"

#include <cstring>
#include <typeinfo>

#include "runtime/Exceptions.h"
#include "runtime/ReplacingFile.h"
#include "runtime/Stream.h"

namespace plexon {

void TGraphic::SetIsTransparent(bool value) {
    if (value == isTransparent_) return;
    isTransparent_ = value;
    NotifyChanged();
}

void TGraphic::AssignTo(TGraphic& target) const {
    throw EConvertError(Format(msg::kAssignError, {ClassName(), target.ClassName()}));
}

void TGraphic::NotifyChanged() {
    WasModified = true;
    if (ChangeHandler) ChangeHandler(this);
}

bool TGraphic::DataPropertyDiffers(TGraphic* ancestor) {
    if (!ancestor) return !IsEmpty();
    return !SameImage(ancestor);
}

bool TGraphic::SameImage(TGraphic* other) {
    if (!other) return false;
    if (IsEmpty() || other->IsEmpty()) return IsEmpty() && other->IsEmpty();
    if (typeid(*this) != typeid(*other)) return false;
    TMemoryStream mine;
    TMemoryStream theirs;
    WriteDataProperty(mine);
    other->WriteDataProperty(theirs);
    return mine.Size() == theirs.Size() &&
           std::memcmp(mine.Memory(), theirs.Memory(), std::size_t(mine.Size())) == 0;
}

void TGraphic::LoadFile(const std::string& path) {
    TFileStream stream(path, FileMode::OpenRead);
    LoadStream(stream);
}

void TGraphic::SaveFile(const std::string& path) {
    // Written beside the file and renamed over it: a failed save keeps the old file whole.
    TReplacingFile file(path);
    SaveStream(file);
    file.Commit();
}

}  // namespace plexon
