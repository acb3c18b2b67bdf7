// Markup pictures: the format is told by the first bytes; a decoder's own failure becomes the
// documented "Could not load image", a format nobody decodes "Could not load image. Invalid format".
#include "controls/markup/MarkupPicture.h"

#include <algorithm>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/ModuleResources.h"
#include "graphics/Picture.h"
#include "runtime/Stream.h"

namespace plexon {

namespace {

std::unique_ptr<TGraphic> DecoderFor(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return std::make_unique<TBitmap>();
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return CreatePicture("TJPEGImage");  // null until a JPEG reader is registered
    return nullptr;
}

}  // namespace

TMarkupPicture::~TMarkupPicture() = default;

void TMarkupPicture::AssignFrom(const TGraphic* source) {
    const auto* picture = dynamic_cast<const TMarkupPicture*>(source);
    if (!picture) {
        data_.clear();
        decoded_.reset();
        NotifyChanged();
        return;
    }
    LoadBytes(picture->data_);
}

std::int32_t TMarkupPicture::Width() const {
    return decoded_ ? decoded_->Width() : 0;
}
std::int32_t TMarkupPicture::Height() const {
    return decoded_ ? decoded_->Height() : 0;
}

void TMarkupPicture::LoadStream(TStream& stream) {
    const std::int64_t size = stream.Size() - stream.Position();
    if (size <= 0) throw EMarkupPictureError(std::string(msg::kPictureEmptyStream));
    std::vector<std::uint8_t> bytes;
    try {
        bytes.resize(std::size_t(size));
    } catch (const std::bad_alloc&) {
        throw EMarkupPictureError(std::string(msg::kPictureMemory));
    }
    stream.ReadBuffer(bytes.data(), size);
    LoadBytes(std::move(bytes));
}

void TMarkupPicture::LoadBytes(std::vector<std::uint8_t> bytes) {
    decoded_.reset();
    data_ = std::move(bytes);
    if (data_.empty()) throw EMarkupPictureError(std::string(msg::kPictureEmptyStream));
    std::unique_ptr<TGraphic> picture = DecoderFor(data_);
    if (!picture) throw EMarkupPictureError(std::string(msg::kPictureFormat));
    try {
        TMemoryStream stream;
        stream.WriteBuffer(data_.data(), std::int64_t(data_.size()));
        stream.SetPosition(0);
        picture->LoadStream(stream);
    } catch (const Exception&) {
        throw EMarkupPictureError(std::string(msg::kPictureLoad));
    }
    decoded_ = std::move(picture);
    NotifyChanged();
}

void TMarkupPicture::LoadFromResource(std::string_view name) {
    const auto bytes = ProgramResources().Find(name, ResourceType::RawData);
    if (!bytes) throw EResNotFound(Format(msg::kResNotFound, {name}));
    LoadBytes(std::vector<std::uint8_t>(bytes->begin(), bytes->end()));
}

void TMarkupPicture::SaveStream(TStream& stream) {
    if (!data_.empty()) stream.WriteBuffer(data_.data(), std::int64_t(data_.size()));
}

void TMarkupPicture::Render(TCanvas& canvas, const gdi::RECT& r) {
    if (!decoded_) return;
    if (r.right - r.left == decoded_->Width() && r.bottom - r.top == decoded_->Height())
        canvas.DrawGraphic(r.left, r.top, decoded_.get());
    else
        canvas.StretchGraphic(r, decoded_.get());
}

TMarkupPicture& TMarkupPictureCache::Add() {
    pictures_.push_back(std::make_unique<TMarkupPicture>());
    return *pictures_.back();
}

TMarkupPicture* TMarkupPictureCache::FindPicture(std::string_view location) const {
    const auto it = std::find_if(pictures_.begin(), pictures_.end(),
                                 [&](const auto& picture) { return picture->Location() == location; });
    return it == pictures_.end() ? nullptr : it->get();
}

}  // namespace plexon
