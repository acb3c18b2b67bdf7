// Markup pictures: the format is told by the first bytes; a decoder's own failure or a header
// claiming too much becomes the documented "Could not load image", a format nobody decodes "Could not
// load image. Invalid format". PNG and GIF transparency becomes the bitmap's mask.
#include "controls/markup/MarkupPicture.h"

#include <algorithm>
#include <optional>

#include "graphics/Bitmap.h"
#include "graphics/BitmapRgba.h"
#include "graphics/Canvas.h"
#include "graphics/GifFormat.h"
#include "graphics/ModuleResources.h"
#include "graphics/Picture.h"
#include "graphics/PictureHeader.h"
#include "graphics/PictureLimits.h"
#include "graphics/PngFormat.h"
#include "runtime/Stream.h"

namespace plexon {

namespace {

enum class PictureKind { Unknown, Bmp, Jpeg, Png, Gif };

PictureKind KindOf(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return PictureKind::Bmp;
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return PictureKind::Jpeg;
    if (IsPngSignature(bytes)) return PictureKind::Png;
    if (IsGifSignature(bytes)) return PictureKind::Gif;
    return PictureKind::Unknown;
}

void CheckClaim(std::int64_t width, std::int64_t height) {
    if (!PictureClaimFits(width, height)) throw EMarkupPictureError(std::string(msg::kPictureLoad));
}

// Refuses what the first bytes already tell against: a format nobody decodes, a size beyond the
// limits. Works on a file's head as well as on all of it.
void CheckHead(const std::vector<std::uint8_t>& head) {
    const PictureKind kind = KindOf(head);
    if (kind == PictureKind::Unknown || (kind == PictureKind::Jpeg && !FindPictureClass("TJPEGImage")))
        throw EMarkupPictureError(std::string(msg::kPictureFormat));
    if (const std::optional<PictureClaim> claim = ClaimedPictureSize(head)) CheckClaim(claim->width, claim->height);
}

std::unique_ptr<TGraphic> MaskedBitmap(const RgbaImage& image) {
    auto bitmap = std::make_unique<TBitmap>();
    SetBitmapPixelsMasked(*bitmap, image);
    return bitmap;
}

// The decoded picture; any failure comes out as an Exception for the caller to word.
std::unique_ptr<TGraphic> Decode(PictureKind kind, std::unique_ptr<TGraphic> jpeg,
                                 const std::vector<std::uint8_t>& bytes) {
    if (kind == PictureKind::Png) return MaskedBitmap(DecodePng(bytes));
    if (kind == PictureKind::Gif) return MaskedBitmap(DecodeGif(bytes));
    std::unique_ptr<TGraphic> picture =
        kind == PictureKind::Bmp ? std::make_unique<TBitmap>() : std::move(jpeg);
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    stream.SetPosition(0);
    picture->LoadStream(stream);
    // A JPEG picture has read its header alone so far: its pixels come when it is first drawn.
    CheckClaim(picture->Width(), picture->Height());
    return picture;
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
    if (std::uint64_t(size) > kMaxPictureFileBytes) throw EMarkupPictureError(std::string(msg::kPictureLoad));
    // The head first: a picture it refuses costs no more reading than that.
    const std::int64_t headSize = std::min(size, std::int64_t(kPictureHeadBytes));
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(headSize));
    stream.ReadBuffer(bytes.data(), headSize);
    CheckHead(bytes);
    try {
        bytes.resize(std::size_t(size));
    } catch (const std::bad_alloc&) {
        throw EMarkupPictureError(std::string(msg::kPictureMemory));
    }
    stream.ReadBuffer(bytes.data() + headSize, size - headSize);
    LoadBytes(std::move(bytes));
}

void TMarkupPicture::LoadBytes(std::vector<std::uint8_t> bytes) {
    decoded_.reset();
    data_ = std::move(bytes);
    if (data_.empty()) throw EMarkupPictureError(std::string(msg::kPictureEmptyStream));
    CheckHead(data_);
    const PictureKind kind = KindOf(data_);
    std::unique_ptr<TGraphic> jpeg = kind == PictureKind::Jpeg ? CreatePicture("TJPEGImage") : nullptr;
    try {
        decoded_ = Decode(kind, std::move(jpeg), data_);
    } catch (const Exception&) {
        throw EMarkupPictureError(std::string(msg::kPictureLoad));
    }
    NotifyChanged();
}

void TMarkupPicture::LoadFile(const std::string& path) {
    std::unique_ptr<TFileStream> stream;
    try {
        stream = std::make_unique<TFileStream>(path, FileMode::OpenRead);
    } catch (const EFOpenError& e) {
        if (e.FileReason() == msg::kNotRegularFile) throw EMarkupPictureError(std::string(msg::kPictureLoad));
        throw;
    }
    LoadStream(*stream);
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
