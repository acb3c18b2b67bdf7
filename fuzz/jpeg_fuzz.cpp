// libFuzzer target for the JPEG picture: any bytes go to TJPEGImage::LoadStream, or framed as a
// "Data" value or a picture holder's value (the first byte chooses); what loads is decoded at the
// depth and against the palette the last byte chooses, drawn, and encoded again. Documented failures
// (exceptions of ours) are expected outcomes; crashes, leaks and undefined behaviour are not.
#include <cstddef>
#include <cstdint>

#include "graphics/Bitmap.h"
#include "graphics/Jpeg.h"
#include "graphics/Picture.h"
#include "platform/gdi/Raster.h"
#include "runtime/Exceptions.h"
#include "runtime/Stream.h"

namespace {

using namespace plexon;

void Exercise(TJPEGImage& jpeg, std::uint8_t choice) {
    // Keep the fuzzer on the codec's paths rather than on filling huge bitmaps.
    if (std::int64_t(jpeg.Width()) * jpeg.Height() > 1024 * 1024) return;
    jpeg.Settings.OutputDepth = choice & 1 ? TJPEGPixelFormat::Depth8 : TJPEGPixelFormat::Depth24;
    if (choice & 2) {
        gdi::LOGPALETTE entries;
        entries.palNumEntries = std::uint16_t(choice >> 2);
        for (int i = 0; i < entries.palNumEntries; ++i)
            entries.palPalEntry[i] = {std::uint8_t(i * 4), 0, 0, 0};
        jpeg.SetPalette(gdi::CreatePalette(&entries));
    }
    if (choice & 0x80)
        jpeg.ProgressHandler = [](TGraphic*, TProgressStage, std::uint8_t, bool, const gdi::RECT&,
                                  const std::string&) {};
    TBitmap target;
    target.SetHeight(9);
    target.SetWidth(9);
    target.Canvas().StretchGraphic({0, 0, 9, 9}, &jpeg);
    TJPEGImage again;
    again.Settings.EncodeProgressive = choice & 0x40;
    again.AssignFrom(jpeg.DecodedBitmap());
    TMemoryStream output;
    again.SaveStream(output);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const bool file = data[0] == 0xFF;
    const std::uint8_t mode = data[0] % 2;
    const std::uint8_t choice = data[size - 1];
    TMemoryStream input;
    input.WriteBuffer(file ? data : data + 1, static_cast<std::int64_t>(file ? size : size - 1));
    input.SetPosition(0);
    try {
        if (!file && mode == 0) {
            TPicture picture;
            picture.ReadData(input);
            if (auto* jpeg = dynamic_cast<TJPEGImage*>(picture.Graphic())) Exercise(*jpeg, choice);
            return 0;
        }
        TJPEGImage jpeg;
        if (file) {
            jpeg.LoadStream(input);
        } else {
            jpeg.ReadDataProperty(input);
        }
        Exercise(jpeg, choice);
    } catch (const Exception&) {
    }
    return 0;
}
