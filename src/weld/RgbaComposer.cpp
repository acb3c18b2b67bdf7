// Strips that keep alpha, composed in RGBA: PNG and 32-bit BMP with an alpha mask. Working images
// start and grow transparent, and are fitted to the slot before every strip, the last one included,
// so no slot ever shows what an earlier strip left behind.
#include <array>

#include "graphics/AlphaBmp.h"
#include "graphics/PngEncoder.h"
#include "graphics/PngFormat.h"
#include "weld/StripComposer.h"

namespace plexon {

namespace {

class RgbaComposer final : public StripComposer {
  public:
    explicit RgbaComposer(const WeldRequest& request)
        : request_(request),
          strip_(request.ImageSize * request.StateCount, request.ImageSize, kTransparent),
          encoder_(request.Format == StripFormat::Png ? std::make_unique<PngEncoder>(kDefaultPngLevel)
                                                      : nullptr) {}

    void FitWorkingImages() override {
        for (RgbaImage& image : working_) image.Resize(request_.ImageSize, request_.ImageSize, kTransparent);
    }

    ImageExtent Load(ImageState state, const std::string& path) override {
        RgbaImage& image = working_[static_cast<size_t>(IndexOf(state))];
        bool shortFile = false;
        image = LoadSourceRgba(path, request_, &shortFile);
        return {image.Width(), image.Height(), shortFile};
    }

    void Flush(const std::string& outputPath) override {
        FitWorkingImages();
        for (int slot = 0; slot < request_.StateCount; ++slot) {
            const ImageState state = request_.Slots[static_cast<size_t>(slot)];
            strip_.CopyFrom(working_[static_cast<size_t>(IndexOf(state))], slot * request_.ImageSize, 0);
        }
        const std::vector<std::uint8_t> file = encoder_ ? encoder_->Encode(strip_) : EncodeAlphaBmp(strip_);
        WriteFileBytes(outputPath, file);
    }

  private:
    const WeldRequest& request_;
    std::array<RgbaImage, kImageStateCount> working_;
    RgbaImage strip_;
    std::unique_ptr<PngEncoder> encoder_;
};

}  // namespace

std::unique_ptr<StripComposer> MakeRgbaComposer(const WeldRequest& request) {
    return std::make_unique<RgbaComposer>(request);
}

}  // namespace plexon
