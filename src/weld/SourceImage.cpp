// Choosing the reader of a source file and bringing its pixels to the form a strip is composed in.
#include "weld/SourceImage.h"

#include "graphics/Bitmap.h"
#include "graphics/BitmapRgba.h"
#include "graphics/PngFormat.h"
#include "runtime/PathText.h"

namespace plexon {

bool ReadsAsPng(const std::string& path, SourceFormats sources) {
    return sources == SourceFormats::BmpAndPng && EndsWithIgnoringCase(path, ".png");
}

void LoadSourceBitmap(TBitmap& bitmap, const std::string& path, SourceFormats sources) {
    if (!ReadsAsPng(path, sources)) {
        bitmap.LoadFile(path);
        return;
    }
    RgbaImage image = DecodePng(ReadFileBytes(path));
    image.Flatten(kOpaqueWhite);
    SetBitmapPixels(bitmap, image);
}

RgbaImage LoadSourceRgba(const std::string& path, SourceFormats sources, bool* shortFile) {
    if (ReadsAsPng(path, sources)) return DecodePng(ReadFileBytes(path));
    TBitmap bitmap;
    bitmap.LoadFile(path);
    if (shortFile) *shortFile = bitmap.MissingPixelBytes() > 0;
    return RgbaFromBitmap(bitmap);
}

ImageExtent MeasureSource(const std::string& path, SourceFormats sources) {
    if (ReadsAsPng(path, sources)) {
        const PngSize size = ReadPngSize(ReadFileBytes(path));
        return {size.width, size.height};
    }
    TBitmap bitmap;
    bitmap.LoadFile(path);
    return {bitmap.Width(), bitmap.Height()};
}

}  // namespace plexon
