// Encoding the picture's bitmap into JPEG bytes, rows read straight from a 24-bit view of it.
#include <cstddef>

#include "graphics/Bitmap.h"
#include "graphics/Jpeg.h"
#include "graphics/JpegCodec.h"
#include "graphics/JpegProgress.h"

namespace plexon {

void TJPEGImage::EnsureEncoded() {
    if (data_->Bytes) return;
    // Other pictures sharing the data keep what they have.
    if (data_->RefCount() > 1) NewData();
    // Nothing to encode leaves the picture without bytes, so that it still reads as empty.
    if (!bitmap_ || bitmap_->Width() <= 0 || bitmap_->Height() <= 0) return;
    auto bytes = std::make_unique<TMemoryStream>();
    try {
        EncodeInto(*bytes);
    } catch (const EAbort&) {
        NewData();
        return;
    } catch (...) {
        // Half a file must not pass for the picture's bytes later.
        NewData();
        throw;
    }
    data_->Bytes = std::move(bytes);
}

void TJPEGImage::EncodeInto(TMemoryStream& bytes) {
    JpegProgress progress;
    JpegCompressor encoder(bytes, JpegProgress::Hook(*this, JpegProgress::Direction::Encoding, progress));
    jpeg_compress_struct& info = encoder.Info();
    info.image_width = JDIMENSION(bitmap_->Width());
    info.image_height = JDIMENSION(bitmap_->Height());
    data_->ImageWidth = info.image_width;
    data_->ImageHeight = info.image_height;
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    TBitmap rows;
    rows.AssignFrom(bitmap_.get());
    rows.SetPixelLayout(BitmapPixelLayout::Bits24);
    encoder.SetDefaults(Settings.EncodeQuality, Settings.EncodeProgressive);

    const auto first = static_cast<const std::uint8_t*>(rows.RowPointer(0));
    const std::ptrdiff_t step =
        info.image_height > 1 ? static_cast<const std::uint8_t*>(rows.RowPointer(1)) - first : 0;
    Report(TProgressStage::Starting, 0, false, {});
    try {
        encoder.Start();
        while (info.next_scanline < info.image_height)
            encoder.WriteScanline(first + std::ptrdiff_t(info.next_scanline) * step);
        encoder.Finish();
    } catch (...) {
        Report(TProgressStage::Ending, 0, false, {});
        throw;
    }
    Report(TProgressStage::Ending, 100, false, {});
}

}  // namespace plexon
