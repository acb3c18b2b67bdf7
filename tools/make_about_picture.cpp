// Draws the About window's picture (250 x 200): four state images of the About glyph as loose
// tiles, the strip this program welds from them, and the command glyphs, on a soft gradient. It is
// encoded by our own JPEG picture at quality 90 and written as the image holder's form value into
// resources/. The glyphs are read from the BMP files that tools/make_glyphs wrote there.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "graphics/Bitmap.h"
#include "graphics/Jpeg.h"
#include "graphics/Picture.h"
#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "runtime/Stream.h"

namespace plexon {
namespace {

constexpr int kWidth = 250, kHeight = 200;
constexpr int kGlyph = 24, kScale = 2, kTile = kGlyph * kScale;

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

class Canvas24 {
  public:
    Canvas24() {
        bitmap_.SetPixelLayout(BitmapPixelLayout::Bits24);
        bitmap_.SetWidth(kWidth);
        bitmap_.SetHeight(kHeight);
    }
    void Set(int x, int y, Rgb c) {
        if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
        auto* p = static_cast<std::uint8_t*>(bitmap_.RowPointer(y)) + 3 * x;
        p[0] = Byte(c.b), p[1] = Byte(c.g), p[2] = Byte(c.r);
    }
    Rgb Get(int x, int y) {
        const auto* p = static_cast<const std::uint8_t*>(bitmap_.RowPointer(y)) + 3 * x;
        return {double(p[2]), double(p[1]), double(p[0])};
    }
    // Blends c over the rectangle with the given opacity.
    void Fill(int x0, int y0, int x1, int y1, Rgb c, double opacity = 1.0) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) Set(x, y, Mix(Get(x, y), c, opacity));
    }
    void Frame(int x0, int y0, int x1, int y1, Rgb c) {
        Fill(x0, y0, x1, y0 + 1, c);
        Fill(x0, y1 - 1, x1, y1, c);
        Fill(x0, y0, x0 + 1, y1, c);
        Fill(x1 - 1, y0, x1, y1, c);
    }
    // A soft shadow below and right of a rectangle.
    void Shadow(int x0, int y0, int x1, int y1) {
        for (int d = 1; d <= 3; ++d) Fill(x0 + d, y1 + d - 1, x1 + d, y1 + d, {60, 70, 90}, 0.12);
        for (int d = 1; d <= 3; ++d) Fill(x1 + d - 1, y0 + d, x1 + d, y1 + d - 1, {60, 70, 90}, 0.12);
    }
    TBitmap& Bitmap() { return bitmap_; }

  private:
    static std::uint8_t Byte(double v) { return std::uint8_t(std::clamp(std::lround(v), 0L, 255L)); }
    TBitmap bitmap_;
};

// A glyph file's pixels; magenta is see-through.
struct Glyph {
    Rgb pixels[kGlyph][kGlyph];
    bool opaque[kGlyph][kGlyph];
};

Glyph LoadGlyph(const std::string& path) {
    TBitmap bitmap;
    bitmap.LoadFile(path);
    bitmap.SetPixelLayout(BitmapPixelLayout::Bits24);
    if (bitmap.Width() != kGlyph || bitmap.Height() != kGlyph) throw Exception(path + " is not 24 x 24");
    Glyph glyph{};
    for (int y = 0; y < kGlyph; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(bitmap.RowPointer(y));
        for (int x = 0; x < kGlyph; ++x) {
            const std::uint8_t b = row[3 * x], g = row[3 * x + 1], r = row[3 * x + 2];
            glyph.opaque[y][x] = !(r == 255 && g == 0 && b == 255);
            glyph.pixels[y][x] = {double(r), double(g), double(b)};
        }
    }
    return glyph;
}

enum class State { Normal, Hot, Disabled, Pressed };

Rgb StateColour(Rgb c, State state) {
    switch (state) {
        case State::Hot:
            return Mix(c, {255, 255, 255}, 0.28);
        case State::Disabled: {
            const double grey = 0.3 * c.r + 0.59 * c.g + 0.11 * c.b;
            return Mix({grey, grey, grey}, {236, 236, 236}, 0.45);
        }
        case State::Pressed:
            return Mix(c, {0, 0, 30}, 0.22);
        case State::Normal:
            break;
    }
    return c;
}

// One state image: a light tile with the glyph at twice its size (pressed moves down right).
void DrawStateTile(Canvas24& canvas, const Glyph& glyph, int left, int top, State state) {
    const Rgb tile = state == State::Hot ? Rgb{255, 250, 226} : Rgb{252, 252, 255};
    canvas.Fill(left, top, left + kTile, top + kTile, tile);
    if (state == State::Hot)
        canvas.Frame(left + 1, top + 1, left + kTile - 1, top + kTile - 1, {250, 200, 90});
    const int shift = state == State::Pressed ? 1 : 0;
    for (int y = 0; y < kGlyph; ++y)
        for (int x = 0; x < kGlyph; ++x) {
            if (!glyph.opaque[y][x]) continue;
            const Rgb c = StateColour(glyph.pixels[y][x], state);
            for (int dy = 0; dy < kScale; ++dy)
                for (int dx = 0; dx < kScale; ++dx)
                    canvas.Set(left + shift + x * kScale + dx, top + shift + y * kScale + dy, c);
        }
}

void DrawPicture(Canvas24& canvas, const std::string& resources) {
    // A soft vertical gradient from pale sky to pale apricot, lighter along a diagonal band.
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const Rgb base = Mix({226, 238, 255}, {255, 236, 214}, double(y) / (kHeight - 1));
            const double band = std::exp(-std::pow((x - 1.25 * y - 20) / 70.0, 2));
            canvas.Set(x, y, Mix(base, {255, 255, 255}, 0.45 * band));
        }

    const Glyph about = LoadGlyph(resources + "glyph_about.bmp");
    constexpr State kStates[] = {State::Normal, State::Hot, State::Disabled, State::Pressed};

    // The loose state images, as the designer keeps them in four files.
    constexpr int gap = 8, loose = 4 * kTile + 3 * gap, looseLeft = (kWidth - loose) / 2, looseTop = 34;
    for (int i = 0; i < 4; ++i) {
        const int left = looseLeft + i * (kTile + gap);
        canvas.Shadow(left, looseTop, left + kTile, looseTop + kTile);
        DrawStateTile(canvas, about, left, looseTop, kStates[i]);
        canvas.Frame(left - 1, looseTop - 1, left + kTile + 1, looseTop + kTile + 1, {150, 164, 190});
    }

    // A chevron pointing down to the welded strip.
    constexpr int arrowTop = looseTop + kTile + 6;
    for (int row = 0; row < 9; ++row) {
        const int half = 12 - row;
        canvas.Fill(kWidth / 2 - half, arrowTop + row, kWidth / 2 + half, arrowTop + row + 1, {0, 64, 128},
                    0.75);
    }

    // The strip: the same four images side by side in one frame.
    constexpr int stripLeft = (kWidth - 4 * kTile) / 2, stripTop = arrowTop + 14;
    canvas.Shadow(stripLeft, stripTop, stripLeft + 4 * kTile, stripTop + kTile);
    for (int i = 0; i < 4; ++i) DrawStateTile(canvas, about, stripLeft + i * kTile, stripTop, kStates[i]);
    canvas.Frame(stripLeft - 1, stripTop - 1, stripLeft + 4 * kTile + 1, stripTop + kTile + 1, {0, 64, 128});

    // The command bar's glyphs at their own size on a small bar.
    const char* glyphs[] = {"glyph_start.bmp", "glyph_options.bmp", "glyph_about.bmp", "glyph_exit.bmp"};
    constexpr int step = kGlyph + 10, barWidth = 4 * step + 6, barLeft = (kWidth - barWidth) / 2;
    constexpr int barTop = stripTop + kTile + 8;
    canvas.Fill(barLeft, barTop, barLeft + barWidth, barTop + kGlyph + 6, {255, 255, 255}, 0.55);
    canvas.Frame(barLeft, barTop, barLeft + barWidth, barTop + kGlyph + 6, {190, 200, 216});
    for (int i = 0; i < 4; ++i) {
        const Glyph glyph = LoadGlyph(resources + glyphs[i]);
        for (int y = 0; y < kGlyph; ++y)
            for (int x = 0; x < kGlyph; ++x)
                if (glyph.opaque[y][x])
                    canvas.Set(barLeft + 8 + i * step + x, barTop + 3 + y, glyph.pixels[y][x]);
    }
}

}  // namespace
}  // namespace plexon

int main(int argc, char** argv) {
    using namespace plexon;
    if (argc != 2) {
        std::fputs("usage: make_about_picture RESOURCES_FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = IncludeTrailingPathDelimiter(argv[1]);
    try {
        Canvas24 canvas;
        DrawPicture(canvas, folder);
        auto jpeg = std::make_unique<TJPEGImage>();
        jpeg->Settings.EncodeQuality = 90;
        jpeg->AssignFrom(&canvas.Bitmap());
        TMemoryStream encoded;
        jpeg->SaveStream(encoded);  // makes the bytes the form value carries
        TPicture holder;
        holder.SetGraphic(std::move(jpeg), "TJPEGImage");
        TFileStream out(folder + "about_picture.data", FileMode::Create);
        holder.WriteData(out);
        std::printf("about_picture.data: a %lld-byte JPEG of %d x %d\n",
                    static_cast<long long>(encoded.Size()), kWidth, kHeight);
    } catch (const Exception& e) {
        std::fprintf(stderr, "make_about_picture: %s\n", e.Message().c_str());
        return 1;
    }
    return 0;
}
