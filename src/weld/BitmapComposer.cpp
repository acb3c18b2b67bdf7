// BMP strips composed on bitmaps, exactly as the main window writes them: the working bitmaps and the
// strip are never cleared, so a slot shows what its state's bitmap still holds.
#include <array>

#include "graphics/Bitmap.h"
#include "weld/StripComposer.h"

namespace plexon {

namespace {

class BitmapComposer final : public StripComposer {
  public:
    explicit BitmapComposer(const WeldRequest& request) : request_(request) {
        for (auto& bitmap : working_) bitmap = std::make_unique<TBitmap>();
        strip_.SetHandleKind(BitmapHandleKind::DibSection);
        strip_.SetHeight(request_.ImageSize);
        strip_.SetWidth(request_.ImageSize * request_.StateCount);
    }

    void FitWorkingImages() override {
        for (auto& bitmap : working_) {
            bitmap->SetHeight(request_.ImageSize);
            bitmap->SetWidth(request_.ImageSize);
        }
    }

    ImageExtent Load(ImageState state, const std::string& path) override {
        TBitmap& bitmap = Working(state);
        LoadSourceBitmap(bitmap, path, request_);
        return {bitmap.Width(), bitmap.Height(),
                !ReadsAsPng(path, request_.Sources) && bitmap.MissingPixelBytes() > 0};
    }

    void Flush(const std::string& outputPath) override {
        // The strip is not cleared between groups: every slot is painted over, except where the last
        // file of the list is smaller than a slot.
        for (int slot = 0; slot < request_.StateCount; ++slot) {
            strip_.Canvas().DrawGraphic(slot * request_.ImageSize, 0,
                                        &Working(request_.Slots[static_cast<size_t>(slot)]));
        }
        strip_.SaveFile(outputPath);
        strip_.FreeDibCopy();
        for (auto& bitmap : working_) bitmap->FreeDibCopy();
    }

  private:
    TBitmap& Working(ImageState state) { return *working_[static_cast<size_t>(IndexOf(state))]; }

    const WeldRequest& request_;
    std::array<std::unique_ptr<TBitmap>, kImageStateCount> working_;
    TBitmap strip_;
};

}  // namespace

std::unique_ptr<StripComposer> MakeBitmapComposer(const WeldRequest& request) {
    return std::make_unique<BitmapComposer>(request);
}

std::unique_ptr<StripComposer> MakeStripComposer(const WeldRequest& request) {
    return request.Format == StripFormat::Bmp ? MakeBitmapComposer(request) : MakeRgbaComposer(request);
}

}  // namespace plexon
