// Draws the glyphs of the main window's command buttons (Start, Options, About, Exit) and writes them
// as 24 x 24 BMP files with 8-bit colour tables into resources/. Magenta is their transparent colour,
// so no shape may use it or touch the bottom-left pixel, where the buttons read that colour.
#include <cmath>
#include <cstdio>
#include <string>

#include "PixelArt.h"
#include "runtime/Exceptions.h"
#include "runtime/PathText.h"

namespace plexon {
namespace {

using namespace pixelart;

constexpr Rgb kMagenta{255, 0, 255}, kWhite{255, 255, 255};

void DrawStart(Picture& p) {
    p.Paint(Polygon({{5, 2.5}, {20.5, 12}, {5, 21.5}}), {130, 226, 96}, {28, 146, 44}, {18, 92, 26});
    // A glint along the upper edge makes the arrow read as raised.
    p.Fill(Polygon({{6.5, 5}, {14, 9.5}, {13, 10.5}, {6.5, 7}}), {200, 250, 176});
}

void DrawOptions(Picture& p) {
    Mask gear = Disc(12, 12, 7.2);
    for (int k = 0; k < 8; ++k) {
        const double a = k * M_PI / 4, c = std::cos(a), s = std::sin(a);
        gear = Union(gear, ThickLine({12 + 5 * c, 12 + 5 * s}, {12 + 9.6 * c, 12 + 9.6 * s}, 1.9));
    }
    p.Paint(Minus(gear, Disc(12, 12, 2.9)), {214, 220, 232}, {104, 114, 136}, {52, 58, 78});
    p.Fill(Arc(12, 12, 4.4, 2.9, -180, 180), {80, 88, 110});
}

void DrawAbout(Picture& p) {
    p.Paint(Disc(12, 12, 10.6), {112, 172, 246}, {22, 78, 192}, {14, 48, 128});
    p.Fill(Disc(12, 6, 2.1), kWhite);
    p.Fill(Rect(10, 9, 14, 18), kWhite);
    p.Fill(Rect(8, 9, 10, 11), kWhite);
    p.Fill(Rect(8, 16, 16, 19), kWhite);
}

void DrawExit(Picture& p) {
    const Mask cross = Union(ThickLine({6, 6}, {18, 18}, 2.6), ThickLine({18, 6}, {6, 18}, 2.6));
    p.Paint(cross, {252, 118, 104}, {188, 24, 20}, {116, 10, 10});
}

struct Glyph {
    const char* file;
    void (*draw)(Picture&);
};

constexpr Glyph kGlyphs[] = {
    {"glyph_start.bmp", DrawStart},
    {"glyph_options.bmp", DrawOptions},
    {"glyph_about.bmp", DrawAbout},
    {"glyph_exit.bmp", DrawExit},
};

}  // namespace
}  // namespace plexon

int main(int argc, char** argv) {
    using namespace plexon;
    using namespace plexon::pixelart;
    if (argc != 2) {
        std::fputs("usage: make_glyphs RESOURCES_FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = IncludeTrailingPathDelimiter(argv[1]);
    try {
        for (const Glyph& glyph : kGlyphs) {
            Picture picture(kMagenta);
            glyph.draw(picture);
            if (picture.Covered(0, kSize - 1))
                throw Exception(std::string(glyph.file) + " covers its colour key");
            WriteBmp(picture.Colors(), Depth::Bits8, folder + glyph.file);
        }
    } catch (const Exception& e) {
        std::fprintf(stderr, "make_glyphs: %s\n", e.Message().c_str());
        return 1;
    }
    return 0;
}
