// Decoding a JPEG picture into its bitmap: the decoder's settings, pending and quantised palettes,
// and the rows written straight into the bitmap's DIB section.
#include <algorithm>
#include <cstddef>

#include "graphics/Bitmap.h"
#include "graphics/GdiSupport.h"
#include "graphics/Jpeg.h"
#include "graphics/JpegCodec.h"
#include "graphics/JpegProgress.h"
#include "graphics/Palettes.h"
#include "platform/gdi/Raster.h"

namespace plexon {

namespace {

constexpr int kQuantisedColors = 236;

// The quantiser's colour map as a palette: one row of grey levels, or blue, green and red rows in
// the order of the output pixels.
gdi::HPALETTE PaletteFromColormap(const jpeg_decompress_struct& info) {
    gdi::LOGPALETTE entries;
    const int count = std::min(info.actual_number_of_colors, 256);
    entries.palNumEntries = std::uint16_t(count);
    for (int i = 0; i < count; ++i) {
        gdi::PALETTEENTRY& e = entries.palPalEntry[i];
        if (info.out_color_components == 1) {
            e.peRed = e.peGreen = e.peBlue = info.colormap[0][i];
        } else {
            e.peRed = info.colormap[2][i];
            e.peGreen = info.colormap[1][i];
            e.peBlue = info.colormap[0][i];
        }
    }
    return count > 0 ? gdi::CreatePalette(&entries) : nullptr;
}

}  // namespace

TBitmap& TJPEGImage::EnsureDecoded() {
    if (bitmap_) return *bitmap_;
    bitmap_ = std::make_unique<TBitmap>();
    // A picture read from zero bytes has nothing to decode and stays empty.
    if (data_->Bytes && data_->Bytes->Size() > 0) DecodeInto(*bitmap_);
    return *bitmap_;
}

void TJPEGImage::DecodeInto(TBitmap& bitmap) {
    JpegProgress progress;
    JpegDecompressor decoder(data_->Bytes->Memory(), std::size_t(data_->Bytes->Size()),
                             JpegProgress::Hook(*this, JpegProgress::Direction::Decoding, progress));
    jpeg_decompress_struct& info = decoder.Info();
    decoder.ReadHeader();
    info.scale_num = info.scale_denom = 1;
    info.do_block_smoothing = TRUE;
    info.dct_method = JDCT_FLOAT;
    const bool gray = info.out_color_space == JCS_GRAYSCALE;
    // Colour comes out in the bitmap's own byte order; a colour space the library cannot turn into
    // that fails when decompression starts.
    if (!gray) info.out_color_space = JCS_EXT_BGR;
    const bool quantise = Settings.OutputDepth == TJPEGPixelFormat::Depth8 || gray;
    if (quantise) {
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = kQuantisedColors;
    }
    bitmap.SetPixelLayout(quantise ? BitmapPixelLayout::Bits8 : BitmapPixelLayout::Bits24);

    try {
        // An abort asked for before anything is decoded ends as quietly as one asked for halfway.
        Report(TProgressStage::Starting, 0, false, {});
        // The library maps grey output to its own grey levels whatever map it is given, so a pending
        // palette only steers colour output.
        bool usePending = false;
        if (pendingPalette_ && Settings.OutputDepth == TJPEGPixelFormat::Depth24) {
            gdi::DeleteObject(pendingPalette_);
            pendingPalette_ = nullptr;
        } else if (pendingPalette_ && !gray) {
            gdi::PALETTEENTRY entries[256];
            const int count = int(gdi::GetPaletteEntries(pendingPalette_, 0, 256, entries));
            usePending = count > 0;
            if (usePending) {
                JSAMPARRAY map = decoder.AllocColormap(count, 3);
                for (int i = 0; i < count; ++i) {
                    map[2][i] = entries[i].peRed;
                    map[1][i] = entries[i].peGreen;
                    map[0][i] = entries[i].peBlue;
                }
                info.colormap = map;
                info.actual_number_of_colors = count;
            }
        }

        decoder.Start();
        bitmap.SetWidth(std::int32_t(info.output_width));
        bitmap.SetHeight(std::int32_t(info.output_height));
        if (usePending) {
            bitmap.SetPalette(GdiCheck(DuplicatePalette(pendingPalette_)));
        } else if (info.quantize_colors) {
            if (gdi::HPALETTE palette = PaletteFromColormap(info)) bitmap.SetPalette(palette);
            PaletteChanged = true;
        }

        // Rows go straight into the section: the step between row addresses is negative for the
        // bottom-up bitmap.
        const auto first = static_cast<std::uint8_t*>(bitmap.RowPointer(0));
        const std::ptrdiff_t step =
            info.output_height > 1 ? static_cast<std::uint8_t*>(bitmap.RowPointer(1)) - first : 0;
        while (info.output_scanline < info.output_height)
            decoder.ReadScanline(first + std::ptrdiff_t(info.output_scanline) * step);
        decoder.Finish();
    } catch (const EAbort&) {
        Report(TProgressStage::Ending, 0, PaletteChanged, {});
        return;
    } catch (...) {
        Report(TProgressStage::Ending, 0, PaletteChanged, {});
        throw;
    }
    Report(TProgressStage::Ending, 100, PaletteChanged, {});
    if (PaletteChanged) NotifyChanged();
}

}  // namespace plexon
