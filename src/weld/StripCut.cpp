// Reading a strip in whichever format it has and writing its slots back in that format.
#include "weld/StripCut.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "graphics/AlphaBmp.h"
#include "graphics/Bitmap.h"
#include "graphics/BitmapRgba.h"
#include "graphics/PngEncoder.h"
#include "graphics/PngFormat.h"
#include "runtime/Exceptions.h"
#include "runtime/Stream.h"
#include "weld/IconMemory.h"
#include "weld/SourceImage.h"

namespace plexon {

StripCut::StripCut(const std::string& path) try {
    TFileStream stream(path, FileMode::OpenRead);
    std::uint8_t head[8] = {};
    const std::int64_t got = stream.Read(head, sizeof head);
    stream.SetPosition(0);
    if (IsPngSignature(std::span(head, std::size_t(got)))) {
        format_ = StripFormat::Png;
        rgba_ = DecodePng(stream);
        encoder_ = std::make_unique<PngEncoder>(kDefaultPngLevel);
    } else {
        // The PNG reader refuses what it cannot hold itself ("PNG too large"); a BMP header claiming
        // more than the memory rule allows is refused by the rule before anything is allocated.
        if (const std::optional<ImageExtent> claim = ClaimedImageSize(stream, false))
            if (std::optional<std::string> refusal = StripMemoryRefusal(claim->width, claim->height))
                throw EOutOfResources(*refusal, path, *refusal);
        bitmap_ = std::make_unique<TBitmap>();
        bitmap_->LoadStream(stream);
        // Black in place of the missing pixels would come back in every slot file as if drawn.
        if (bitmap_->MissingPixelBytes() > 0)
            throw EReadError(std::string(msg::kReadError), path, "the file is shorter than its header says");
        if (bitmap_->AlphaMask() != 0) {
            format_ = StripFormat::BmpAlpha;
            rgba_ = RgbaFromBitmap(*bitmap_);
            bitmap_.reset();
        }
    }
    width_ = bitmap_ ? bitmap_->Width() : rgba_.Width();
    height_ = bitmap_ ? bitmap_->Height() : rgba_.Height();
} catch (...) {
    RethrowNamingSource(path);
}

StripCut::~StripCut() = default;

void StripCut::WriteSlot(int slot, const std::string& path) {
    const std::int32_t size = height_, left = slot * size;
    if (bitmap_) {
        // Drawn as the weld composes a bmp strip, into a slot-sized section of the same kind.
        TBitmap square;
        square.SetHandleKind(BitmapHandleKind::DibSection);
        square.SetHeight(size);
        square.SetWidth(size);
        square.Canvas().DrawGraphic(-left, 0, bitmap_.get());
        square.SaveFile(path);
        return;
    }
    RgbaImage square(size, size, kTransparent);
    square.CopyFrom(rgba_, -left, 0);
    WriteFileBytes(path, encoder_ ? encoder_->Encode(square) : EncodeAlphaBmp(square));
}

}  // namespace plexon
