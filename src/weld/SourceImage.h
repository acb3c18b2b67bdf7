// One source file of a weld run, loaded as a bitmap (for BMP strips) or as RGBA (for strips that keep
// alpha). Which reader a file goes to follows its name: ".png" files to the PNG reader when the
// request reads PNG, ".svg" files to the SVG renderer when it reads SVG (rendered into the square
// slot, aspect kept, centred), everything else to the BMP reader. Errors are the readers' own, and a file
// that is not a regular file is refused as it is opened. A file the readers refuse is named in the error
// (Exception::FilePath), with the reason "not a BMP or PNG image".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "graphics/RgbaImage.h"
#include "weld/StripFormat.h"
#include "weld/WeldRequest.h"

namespace plexon {

class TBitmap;

bool ReadsAsPng(const std::string& path, SourceFormats sources);
bool ReadsAsSvg(const std::string& path, SourceFormats sources);

// Both load a source of the request. A header claiming a size that would take the icon past the
// memory limit (IconMemory.h) raises EOutOfResources with the refusal text, naming the file, before
// the pixels are allocated.
// A source with alpha (a PNG, a 32-bit BMP that carries it) is blended over white: a BMP strip has
// no alpha, and white is its empty colour.
void LoadSourceBitmap(TBitmap& bitmap, const std::string& path, const WeldRequest& request);
// Alpha is kept straight; a BMP source without alpha is opaque.
RgbaImage LoadSourceRgba(const std::string& path, const WeldRequest& request, bool* shortFile = nullptr);

struct ImageExtent {
    std::int32_t width = 0, height = 0;
    bool shortFile = false;  // a BMP that held fewer pixel bytes than its header says
};
class TFileStream;
// The size a BMP (or, with png, a PNG) header claims, from the stream's start, to which the stream
// goes back; none when it is no header the reader would take (the reader then says so).
std::optional<ImageExtent> ClaimedImageSize(TFileStream& stream, bool png);

// The size a source loads with: a PNG's from its header, a BMP's by loading it, an SVG's width and
// height at 96 dpi rounded up (EInvalidGraphic naming the file, "no size; use --size", when it
// gives none).
ImageExtent MeasureSource(const std::string& path, SourceFormats sources);

namespace msg {
inline constexpr std::string_view kSvgNoSize = "no size; use --size";
}  // namespace msg

// Inside a catch block: raises the error in flight again, naming the file with the reason "not a BMP
// or PNG image" when it is a reader's refusal that names no file yet.
[[noreturn]] void RethrowNamingSource(const std::string& path);

}  // namespace plexon
