// libFuzzer target for the BMP reader and what follows a load: any bytes go to TBitmap::LoadStream
// (input starting with "BM"), or to the resource, "Data" and picture-holder readers (the first byte
// chooses); what loads is measured, resized, converted, masked, drawn and written back as the last
// byte chooses. Documented failures (exceptions of ours) are expected outcomes.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "graphics/Bitmap.h"
#include "graphics/ModuleResources.h"
#include "graphics/Picture.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"
#include "runtime/Stream.h"

namespace {

using namespace plexon;

// Everything past the reader, on an image small enough to keep the fuzzer on the reader's paths.
void Exercise(TBitmap& bitmap, std::uint8_t choice) {
    const std::int32_t width = bitmap.Width(), height = bitmap.Height();
    if (width < 0 || height < 0) __builtin_trap();  // sizes are reported as magnitudes
    if (std::int64_t(width) * height > 512 * 512) return;
    TMemoryStream saved;
    bitmap.SaveStream(saved);  // kept bytes for compressed input, the pixels otherwise
    if (choice & 1) bitmap.SetPixelLayout(static_cast<BitmapPixelLayout>((choice >> 1) % 8));
    if (choice & 0x10) {
        bitmap.SetIsTransparent(true);
        TBitmap target;
        target.SetHeight(std::min(height, 64) + 1);
        target.SetWidth(std::min(width, 64) + 1);
        target.Canvas().DrawGraphic(0, 0, &bitmap);
        target.Canvas().StretchGraphic({0, 0, 7, 5}, &bitmap);
        target.Canvas().ColorKeyCopy({1, 1, 9, 9}, &bitmap, {0, 0, width, height}, clRed);
    }
    if (choice & 0x20) bitmap.MakeMask(clWhite);
    if (choice & 0x40) {
        bitmap.MakeDormant();
        bitmap.SetWidth(bitmap.Width() + 1);
    }
    if (choice & 0x80) {
        std::uint16_t format = 0;
        gdi::HBITMAP data = nullptr;
        gdi::HPALETTE palette = nullptr;
        bitmap.SaveClipboardData(format, data, palette);
        TBitmap pasted;
        if (data) pasted.LoadClipboardData(format, data, palette);
        if (data) gdi::DeleteObject(data);
        if (palette) gdi::DeleteObject(palette);
    }
    // Cut or grow by a little, keeping the pixel count bounded.
    bitmap.SetHeight(std::min<std::int32_t>(bitmap.Height() + 1, 512));
    bitmap.SetWidth(std::min<std::int32_t>(bitmap.Width() / 2 + 3, 512));
    TMemoryStream output;
    bitmap.SaveStream(output);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool file = size >= 2 && data[0] == 'B' && data[1] == 'M';
    const std::uint8_t mode = data[0] % 3;
    const std::uint8_t choice = data[size - 1];
    TMemoryStream input;
    input.WriteBuffer(file ? data : data + 1, static_cast<std::int64_t>(file ? size : size - 1));
    input.SetPosition(0);
    TBitmap bitmap;
    try {
        if (file) {
            bitmap.LoadStream(input);
        } else if (mode == 0) {
            TResourceModule module;
            module.Add("FUZZ", ResourceType::Bitmap, {data + 1, size - 1});
            bitmap.LoadResource(module, "FUZZ");
        } else if (mode == 1) {
            bitmap.ReadDataProperty(input);
        } else {
            TPicture picture;
            picture.ReadData(input);
            return 0;
        }
        Exercise(bitmap, choice);
    } catch (const Exception&) {
    }
    return 0;
}
