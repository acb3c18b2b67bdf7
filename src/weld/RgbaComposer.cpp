// Strips that keep alpha, composed in RGBA: PNG and 32-bit BMP with an alpha mask. Working images
// grow transparent, and a state without a file in the icon is transparent, so no slot ever shows
// what an earlier strip left behind.
#include <array>

#include "graphics/AlphaBmp.h"
#include "graphics/PngEncoder.h"
#include "graphics/PngFormat.h"
#include "weld/DerivedStates.h"
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

    ImageExtent Load(ImageState state, const std::string& path) override {
        RgbaImage& image = working_[static_cast<size_t>(IndexOf(state))];
        bool shortFile = false;
        image = LoadSourceRgba(path, request_, &shortFile);
        return {image.Width(), image.Height(), shortFile};
    }

    void Place(ImageState state, RgbaImage image) override {
        working_[static_cast<size_t>(IndexOf(state))] = std::move(image);
    }

    void Flush(const std::string& outputPath, StateFlags loaded) override {
        const std::int32_t size = request_.ImageSize;
        const StateFlags derived = DerivedStates(request_, loaded);
        if (derived != StateFlags{}) {
            // Made from Normal as its slot shows it: cut, transparent around.
            RgbaImage normal = working_[static_cast<std::size_t>(IndexOf(ImageState::Normal))];
            normal.Resize(size, size, kTransparent);
            for (const ImageState state : kImageStates)
                if (derived[static_cast<std::size_t>(IndexOf(state))])
                    working_[static_cast<std::size_t>(IndexOf(state))] = DeriveState(state, normal, true);
        }
        for (int slot = 0; slot < request_.StateCount; ++slot) {
            const auto state = static_cast<std::size_t>(IndexOf(request_.Slots[static_cast<size_t>(slot)]));
            RgbaImage& image = working_[state];
            // A state this icon has no file for is blank, not what an earlier icon left.
            if (!loaded[state] && !derived[state]) image = RgbaImage(size, size, kTransparent);
            image.Resize(size, size, kTransparent);
            strip_.CopyFrom(image, slot * size, 0);
        }
        // In the strip now; the encoder's buffers take their place, so a large icon needs no more
        // than the working images and its strip.
        for (RgbaImage& image : working_) image = RgbaImage();
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
