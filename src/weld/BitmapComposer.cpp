// BMP strips composed on bitmaps, as the main window writes them: each slot shows its state's image
// of this icon, cut to the slot, on white where the image does not reach or the icon has none.
#include <array>
#include <cstdint>
#include <memory>

#include "graphics/Bitmap.h"
#include "graphics/BitmapRgba.h"
#include "graphics/PictureLimits.h"
#include "weld/DerivedStates.h"
#include "weld/StripComposer.h"

namespace plexon {

namespace {

constexpr std::uint64_t kKeptStripBytes = 16 * kMb;

class BitmapComposer final : public StripComposer {
  public:
    explicit BitmapComposer(const WeldRequest& request) : request_(request) {
        for (auto& bitmap : working_) bitmap = std::make_unique<TBitmap>();
    }

    ImageExtent Load(ImageState state, const std::string& path) override {
        TBitmap& bitmap = Working(state);
        LoadSourceBitmap(bitmap, path, request_);
        return {bitmap.Width(), bitmap.Height(),
                !ReadsAsPng(path, request_.Sources) && bitmap.MissingPixelBytes() > 0};
    }

    void Place(ImageState state, RgbaImage image) override {
        image.Flatten(kOpaqueWhite);
        SetBitmapPixels(Working(state), image);
    }

    void Flush(const std::string& outputPath, StateFlags loaded) override {
        const std::int32_t size = request_.ImageSize;
        if (!strip_) {
            strip_ = std::make_unique<TBitmap>();
            strip_->SetHandleKind(BitmapHandleKind::DibSection);
            strip_->SetHeight(size);
            strip_->SetWidth(size * request_.StateCount);
        }
        const StateFlags derived = DerivedStates(request_, loaded);
        if (derived != StateFlags{}) Derive(derived);
        for (int slot = 0; slot < request_.StateCount; ++slot) {
            const ImageState state = request_.Slots[static_cast<size_t>(slot)];
            TBitmap& image = Working(state);
            const gdi::RECT area{slot * size, 0, (slot + 1) * size, size};
            const auto index = static_cast<size_t>(IndexOf(state));
            if (!loaded[index] && !derived[index]) {
                Fill(area);
                continue;
            }
            // Cut at the right and bottom; the strip's slot is blank around a smaller image.
            if (image.Height() > size) image.SetHeight(size);
            if (image.Width() > size) image.SetWidth(size);
            if (image.Width() < size || image.Height() < size) Fill(area);
            strip_->Canvas().DrawGraphic(area.left, 0, &image);
        }
        strip_->SaveFile(outputPath);
        strip_->FreeDibCopy();
        for (auto& bitmap : working_) bitmap->FreeDibCopy();
        // A large strip goes with its icon: kept, it would sit beside the next icon's working images
        // and the source on its way in, one image more than the memory rule counts.
        if (PixelBytes(size, size) * std::uint64_t(request_.StateCount) > kKeptStripBytes) strip_.reset();
    }

  private:
    // The derived states' working bitmaps, made from Normal as its slot would show it: cut, on white.
    void Derive(const StateFlags& derived) {
        RgbaImage normal = RgbaFromBitmap(Working(ImageState::Normal));
        normal.Resize(request_.ImageSize, request_.ImageSize, kOpaqueWhite);
        normal.Flatten(kOpaqueWhite);
        for (const ImageState state : kImageStates)
            if (derived[static_cast<size_t>(IndexOf(state))])
                SetBitmapPixels(Working(state), DeriveState(state, normal, false));
    }

    TBitmap& Working(ImageState state) { return *working_[static_cast<size_t>(IndexOf(state))]; }

    void Fill(const gdi::RECT& area) {
        strip_->Canvas().Brush().SetColor(clWhite);
        strip_->Canvas().FillRect(area);
    }

    const WeldRequest& request_;
    std::array<std::unique_ptr<TBitmap>, kImageStateCount> working_;
    std::unique_ptr<TBitmap> strip_;  // made by the first strip; small ones are kept for the next
};

}  // namespace

std::unique_ptr<StripComposer> MakeBitmapComposer(const WeldRequest& request) {
    return std::make_unique<BitmapComposer>(request);
}

std::unique_ptr<StripComposer> MakeStripComposer(const WeldRequest& request) {
    return request.Format == StripFormat::Bmp ? MakeBitmapComposer(request) : MakeRgbaComposer(request);
}

}  // namespace plexon
