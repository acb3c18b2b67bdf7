// File name extensions of the strip and source formats.
#include "weld/StripFormat.h"

namespace plexon {

std::string_view StripExtension(StripFormat format) {
    return format == StripFormat::Png ? ".png" : ".bmp";
}

}  // namespace plexon
