// The JPEG picture's life outside the codec: shared data, assignment, size, palette, streams,
// clipboard and progress reports. Decoding and encoding live in their own files.
#include "graphics/Jpeg.h"

#include <algorithm>
#include <cmath>

#include "graphics/Bitmap.h"
#include "graphics/Canvas.h"
#include "graphics/GdiSupport.h"
#include "graphics/JpegCodec.h"
#include "graphics/JpegProgress.h"
#include "graphics/Picture.h"
#include "platform/gdi/Raster.h"
#include "platform/shell/TickCount.h"
#include "runtime/Stream.h"

namespace plexon {

std::string JpegErrorMessage(int libraryCode) {
    return Format(msg::kJpegError, {std::to_string(libraryCode)});
}

TJPEGSettings& DefaultJpegSettings() {
    static TJPEGSettings settings{DisplayBitsPerPixel() <= 8 ? TJPEGPixelFormat::Depth8
                                                             : TJPEGPixelFormat::Depth24};
    return settings;
}

const TGraphicClass& TJPEGImage::Class() {
    static const TGraphicClass jpeg{"TJPEGImage", &GraphicClass(),
                                    [] { return std::unique_ptr<TGraphic>(std::make_unique<TJPEGImage>()); }};
    return jpeg;
}

TJPEGImage::TJPEGImage() : Settings(DefaultJpegSettings()), Ticks(&GetTickCount), data_(new TJPEGData) {
    data_->Reference();
}

TJPEGImage::~TJPEGImage() {
    TSharedImage::Release(data_);
    if (pendingPalette_) gdi::DeleteObject(pendingPalette_);
}

void TJPEGImage::NewData() {
    auto* fresh = new TJPEGData;
    fresh->Reference();
    TSharedImage::Release(data_);
    data_ = fresh;
}

void TJPEGImage::AssignFrom(const TGraphic* source) {
    if (source == this) return;
    if (const auto* jpeg = dynamic_cast<const TJPEGImage*>(source)) {
        jpeg->data_->Reference();
        TSharedImage::Release(data_);
        data_ = jpeg->data_;
        // A decoded bitmap of the old data must not survive next to the new data.
        bitmap_.reset();
        if (jpeg->bitmap_) {
            bitmap_ = std::make_unique<TBitmap>();
            bitmap_->AssignFrom(jpeg->bitmap_.get());
        }
    } else if (const auto* bitmap = dynamic_cast<const TBitmap*>(source)) {
        NewData();
        bitmap_ = std::make_unique<TBitmap>();
        bitmap_->AssignFrom(bitmap);
    } else if (source) {
        source->AssignTo(*this);
        return;
    } else {
        NewData();
        bitmap_.reset();
    }
    PaletteChanged = true;
    NotifyChanged();
}

void TJPEGImage::AssignTo(TGraphic& target) const {
    auto* bitmap = dynamic_cast<TBitmap*>(&target);
    if (!bitmap) return TGraphic::AssignTo(target);
    // Decoding only fills the cache behind the picture; what the picture shows does not change.
    bitmap->AssignFrom(&const_cast<TJPEGImage*>(this)->EnsureDecoded());
}

bool TJPEGImage::IsEmpty() const {
    if (data_->Bytes) return false;
    return !bitmap_ || bitmap_->IsEmpty();
}

std::int32_t TJPEGImage::Width() const {
    return bitmap_ ? bitmap_->Width() : std::int32_t(data_->ImageWidth);
}
std::int32_t TJPEGImage::Height() const {
    return bitmap_ ? bitmap_->Height() : std::int32_t(data_->ImageHeight);
}

void TJPEGImage::SetWidth(std::int32_t) {
    throw EInvalidGraphicOperation(std::string(msg::kJpegSize));
}
void TJPEGImage::SetHeight(std::int32_t) {
    throw EInvalidGraphicOperation(std::string(msg::kJpegSize));
}

gdi::HPALETTE TJPEGImage::Palette() {
    if (bitmap_) return bitmap_->Palette();
    if (pendingPalette_) return pendingPalette_;
    if (Settings.OutputDepth == TJPEGPixelFormat::Depth8) return nullptr;
    if (DisplayBitsPerPixel() <= 8) pendingPalette_ = GdiCheck(gdi::CreateHalftonePalette(nullptr));
    return pendingPalette_;
}

void TJPEGImage::SetPalette(gdi::HPALETTE palette) {
    if (palette == pendingPalette_) return;
    // Only a bitmap that can be decoded again is dropped; one held without bytes is the picture.
    const bool redecode = bitmap_ && data_->Bytes && palette != bitmap_->Palette();
    if (redecode) bitmap_.reset();
    if (pendingPalette_) gdi::DeleteObject(pendingPalette_);
    pendingPalette_ = palette;
    if (redecode) {
        PaletteChanged = true;
        NotifyChanged();
    }
}

void TJPEGImage::LoadStream(TStream& stream) {
    const std::int64_t count = stream.Size() - stream.Position();
    if (count > std::int64_t(UINT32_MAX)) throw EReadError(std::string(msg::kReadError));
    ReadJpeg(stream, std::uint32_t(std::max<std::int64_t>(count, 0)));
}

void TJPEGImage::ReadDataProperty(TStream& stream) {
    std::uint8_t count[4];
    stream.ReadBuffer(count, 4);
    ReadJpeg(stream,
             std::uint32_t(count[0] | count[1] << 8 | count[2] << 16 | std::uint32_t(count[3]) << 24));
}

void TJPEGImage::ReadJpeg(TStream& stream, std::uint32_t count) {
    NewData();
    bitmap_.reset();
    // A count beyond the stream's end fails before anything that size is allocated.
    if (std::int64_t(count) > stream.Size() - stream.Position())
        throw EReadError(std::string(msg::kReadError));
    auto bytes = std::make_unique<TMemoryStream>();
    bytes->SetSize(count);
    stream.ReadBuffer(bytes->Memory(), count);
    data_->Bytes = std::move(bytes);
    if (count > 0) {
        JpegDecompressor header(data_->Bytes->Memory(), count);
        header.ReadHeader();
        jpeg_decompress_struct& info = header.Info();
        data_->ImageWidth = info.image_width;
        data_->ImageHeight = info.image_height;
        data_->IsGray = info.jpeg_color_space == JCS_GRAYSCALE;
        Settings.EncodeProgressive = jpeg_has_multiple_scans(&info);
    }
    PaletteChanged = true;
    NotifyChanged();
}

void TJPEGImage::WriteDataProperty(TStream& stream) {
    const std::uint32_t count = data_->Bytes ? std::uint32_t(data_->Bytes->Size()) : 0;
    const std::uint8_t prefix[4] = {std::uint8_t(count), std::uint8_t(count >> 8), std::uint8_t(count >> 16),
                                    std::uint8_t(count >> 24)};
    stream.WriteBuffer(prefix, 4);
    if (count > 0) stream.WriteBuffer(data_->Bytes->Memory(), count);
}

void TJPEGImage::SaveStream(TStream& stream) {
    EnsureEncoded();
    if (data_->Bytes) stream.WriteBuffer(data_->Bytes->Memory(), data_->Bytes->Size());
}

bool TJPEGImage::SameImage(TGraphic* other) {
    auto* jpeg = dynamic_cast<TJPEGImage*>(other);
    if (!jpeg) return false;
    if (data_->Bytes && jpeg->data_->Bytes) return TGraphic::SameImage(other);
    return data_ == jpeg->data_;
}

void TJPEGImage::LoadClipboardData(std::uint16_t format, gdi::HBITMAP data, gdi::HPALETTE palette) {
    // The clipboard's pixels replace the picture: JPEG bytes of the old picture would contradict them.
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadClipboardData(format, data, palette);
    NewData();
    bitmap_ = std::move(bitmap);
    PaletteChanged = true;
    NotifyChanged();
}

void TJPEGImage::SaveClipboardData(std::uint16_t& format, gdi::HBITMAP& data, gdi::HPALETTE& palette) {
    EnsureDecoded().SaveClipboardData(format, data, palette);
}

void TJPEGImage::Render(TCanvas& canvas, const gdi::RECT& r) {
    canvas.StretchGraphic(r, &EnsureDecoded());
}

void TJPEGImage::Report(TProgressStage stage, std::uint8_t percent, bool redrawNow, const gdi::RECT& r) {
    if (ProgressHandler) ProgressHandler(this, stage, percent, redrawNow, r, std::string());
}

JpegProgressHook JpegProgress::Hook(TJPEGImage& picture, Direction direction, JpegProgress& state) {
    if (!picture.ProgressHandler) return {};
    state.picture_ = &picture;
    state.direction_ = direction;
    return [&state](j_common_ptr codec) { state.Monitor(codec); };
}

void JpegProgress::Monitor(j_common_ptr codec) {
    const std::uint32_t now = picture_->Ticks ? picture_->Ticks() : GetTickCount();
    if (!started_) {
        started_ = true;
        lastTick_ = now;
        return;
    }
    if (now - lastTick_ < kThrottleMs) return;
    lastTick_ = now;

    gdi::RECT r{};
    JDIMENSION row = 0;
    if (direction_ == Direction::Decoding) {
        const auto& info = *reinterpret_cast<j_decompress_ptr>(codec);
        row = info.output_scanline;
        r = {0, std::int32_t(lastRow_), std::int32_t(info.output_width), std::int32_t(row)};
        if (r.bottom < r.top) r.bottom = std::int32_t(info.output_height);
    }
    const jpeg_progress_mgr& p = *codec->progress;
    const double pass = p.pass_limit > 0 ? double(p.pass_counter) / double(p.pass_limit) : 0.0;
    const double done = p.total_passes > 0 ? (pass + p.completed_passes) * 100.0 / p.total_passes : 0.0;
    const int percent = std::clamp(int(std::nearbyint(done)), 0, 100);
    if (percent == lastPercent_) return;
    lastPercent_ = percent;
    lastRow_ = row;
    picture_->Report(TProgressStage::Running, std::uint8_t(percent), r.bottom - r.top >= 4, r);
}

}  // namespace plexon
