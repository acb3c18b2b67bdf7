// Reading the first frame of a GIF file record by record: extensions up to the first image are
// looked at only for its transparent colour, and nothing after that image is read.
#include "graphics/GifFormat.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "graphics/PictureLimits.h"
#include "runtime/Exceptions.h"

namespace plexon {

namespace {

constexpr std::size_t kSignatureSize = 6;
constexpr std::size_t kSizeEnd = kSignatureSize + 4;

[[noreturn]] void Refuse(std::string_view why) {
    throw EInvalidGraphic(Format(msg::kInvalidGif, {why}));
}

[[noreturn]] void RefuseCode(int code) {
    const char* text = GifErrorString(code);
    Refuse(text ? text : "unknown error");
}

struct ByteSource {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
};

// Called from inside giflib: hands over what is left and never throws. Fewer bytes than asked is
// how the library learns of a file that ends early.
int ReadBytes(GifFileType* gif, GifByteType* out, int count) noexcept {
    auto* source = static_cast<ByteSource*>(gif->UserData);
    const std::size_t n = std::min(std::size_t(std::max(count, 0)), source->bytes.size() - source->at);
    if (n > 0) std::memcpy(out, source->bytes.data() + source->at, n);
    source->at += n;
    return int(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int ignored = 0;
        DGifCloseFile(gif, &ignored);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

void Check(GifFileType* gif, int status) {
    if (status == GIF_ERROR) RefuseCode(gif->Error);
}

// Reads one extension; a graphic control extension sets the transparent index of the frame after it.
void ReadExtension(GifFileType* gif, int& transparent) {
    int code = 0;
    GifByteType* block = nullptr;
    Check(gif, DGifGetExtension(gif, &code, &block));
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] == 4) {
        GraphicsControlBlock control{};
        if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
            transparent = control.TransparentColor;
    }
    while (block) Check(gif, DGifGetExtensionNext(gif, &block));
}

// Reads the frame's rows as far as the screen shows them: a frame may claim far more rows than it
// sends pixels for, and a small file can make giflib spend seconds on rows nobody sees.
void ReadFrame(GifFileType* gif, int transparent, RgbaImage& screen) {
    Check(gif, DGifGetImageDesc(gif));
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!colours) Refuse("no colour table");
    if (frame.Width <= 0 || frame.Height <= 0) return;
    if (!PictureClaimFits(frame.Width, frame.Height)) Refuse("frame too large");
    const int shown = int(std::clamp<std::int64_t>(std::int64_t(screen.Height()) - frame.Top, 0, frame.Height));
    if (shown == 0 || frame.Left >= screen.Width()) return;
    std::vector<GifPixelType> line(std::size_t(frame.Width));
    // Interlaced frames send every eighth row from 0, every eighth from 4, every fourth from 2, then
    // the odd rows.
    struct Pass {
        int first, step;
    };
    static constexpr std::array<Pass, 4> kInterlaced{{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};
    static constexpr std::array<Pass, 1> kSequential{{{0, 1}}};
    std::span<const Pass> passes =
        frame.Interlace ? std::span<const Pass>(kInterlaced) : std::span<const Pass>(kSequential);
    // Passes after the last one with a shown row are not read; rows below the screen are read only
    // where a later pass has shown rows behind them in the data.
    while (passes.back().first >= shown) passes = passes.first(passes.size() - 1);
    for (const Pass& pass : passes) {
        const int end = &pass == &passes.back() ? shown : frame.Height;
        for (int row = pass.first; row < end; row += pass.step) {
            Check(gif, DGifGetLine(gif, line.data(), frame.Width));
            const std::int64_t y = std::int64_t(frame.Top) + row;
            if (y >= screen.Height()) continue;
            std::uint8_t* out = screen.Row(std::int32_t(y));
            const std::int64_t right =
                std::min<std::int64_t>(frame.Width, std::int64_t(screen.Width()) - frame.Left);
            for (std::int64_t x = 0; x < right; ++x) {
                const int index = line[std::size_t(x)];
                // An index past the table shows nothing, as the transparent one does.
                if (index == transparent || index >= colours->ColorCount) continue;
                const GifColorType& c = colours->Colors[index];
                std::uint8_t* p = out + (frame.Left + x) * 4;
                p[0] = c.Red;
                p[1] = c.Green;
                p[2] = c.Blue;
                p[3] = 255;
            }
        }
    }
}

}  // namespace

bool IsGifSignature(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kSignatureSize && (std::memcmp(bytes.data(), "GIF87a", kSignatureSize) == 0 ||
                                              std::memcmp(bytes.data(), "GIF89a", kSignatureSize) == 0);
}

GifSize ReadGifSize(std::span<const std::uint8_t> file) {
    if (!IsGifSignature(file)) Refuse("no GIF signature");
    if (file.size() < kSizeEnd) Refuse("file ends in the header");
    return {file[6] | file[7] << 8, file[8] | file[9] << 8};
}

RgbaImage DecodeGif(std::span<const std::uint8_t> file) {
    ByteSource source{file};
    int error = 0;
    const GifHandle gif(DGifOpen(&source, &ReadBytes, &error));
    if (!gif) RefuseCode(error);
    if (!PictureClaimFits(gif->SWidth, gif->SHeight)) Refuse("screen too large");
    RgbaImage screen(gif->SWidth, gif->SHeight, kTransparent);
    int transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        Check(gif.get(), DGifGetRecordType(gif.get(), &type));
        if (type == TERMINATE_RECORD_TYPE) Refuse("no image");
        if (type == EXTENSION_RECORD_TYPE) {
            ReadExtension(gif.get(), transparent);
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            ReadFrame(gif.get(), transparent, screen);
            return screen;
        }
    }
}

}  // namespace plexon
