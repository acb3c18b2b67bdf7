// Draws the bundled example toolbar icons (examples/icons/) in four states each and writes them as
// BMP files of several bit depths through TBitmap. Simple filled shapes only; no anti-aliasing, so
// the palette files stay within their colour tables.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "PixelArt.h"
#include "runtime/Exceptions.h"
#include "runtime/PathText.h"

namespace plexon {
namespace {

using namespace pixelart;

constexpr Rgb kBackground{212, 208, 200};

constexpr Rgb kWhite{255, 255, 255}, kPaperShade{226, 228, 234}, kPaperRim{96, 98, 112}, kInk{140, 146, 168};

void DrawNew(Picture& p) {
    p.Paint(Polygon({{5, 2}, {15, 2}, {20, 7}, {20, 22}, {5, 22}}), kWhite, kPaperShade, kPaperRim);
    p.Paint(Polygon({{14, 2}, {14, 8}, {20, 8}}), {236, 238, 242}, {200, 204, 214}, kPaperRim);
    // A spark in the corner says "new".
    p.Fill(Polygon({{4, 1}, {5, 4}, {8, 5}, {5, 6}, {4, 9}, {3, 6}, {0, 5}, {3, 4}}), {250, 200, 40});
    p.Set(4, 5, {255, 245, 170});
}

void DrawOpen(Picture& p) {
    constexpr Rgb rim{136, 92, 20};
    p.Paint(Polygon({{2, 5}, {9, 5}, {11, 7}, {20, 7}, {20, 20}, {2, 20}}), {238, 196, 86}, {206, 150, 40},
            rim);
    p.Paint(Polygon({{6, 10}, {24, 10}, {20, 20}, {2, 20}}), {255, 230, 130}, {236, 178, 52}, rim);
}

void DrawSave(Picture& p) {
    p.Paint(Polygon({{3, 3}, {19, 3}, {21, 5}, {21, 21}, {3, 21}}), {78, 112, 200}, {36, 62, 148},
            {20, 30, 80});
    p.Paint(Rect(6, 3, 18, 11), kWhite, {222, 226, 236}, {96, 104, 140});
    p.HLine(8, 16, 6, {120, 150, 220});
    p.HLine(8, 16, 8, {120, 150, 220});
    p.Paint(Rect(7, 14, 17, 21), {214, 216, 224}, {160, 164, 176}, {80, 84, 100});
    p.Fill(Rect(12, 15, 15, 20), {60, 64, 80});
}

void DrawCut(Picture& p) {
    // Plain colours only: this icon is stored with 4 bits per pixel.
    constexpr Rgb silver{200, 204, 212}, grey{96, 100, 112}, red{220, 30, 30}, maroon{120, 10, 10};
    p.Paint(Polygon({{16, 0.5}, {18, 1.5}, {11, 15}, {9, 14}}), silver, silver, grey);
    p.Paint(Polygon({{8, 0.5}, {6, 1.5}, {13, 15}, {15, 14}}), silver, silver, grey);
    p.Fill(Disc(12, 8.5, 1.1), {0, 0, 0});
    p.Paint(Arc(7, 18, 5.2, 1.9, -180, 180), red, red, maroon);
    p.Paint(Arc(17, 18, 5.2, 1.9, -180, 180), red, red, maroon);
}

void DrawPage(Picture& p, int x0, int y0, int x1, int y1) {
    p.Paint(Rect(x0, y0, x1, y1), kWhite, kPaperShade, kPaperRim);
    for (int y = y0 + 4; y < y1 - 2; y += 2) p.HLine(x0 + 3, x1 - 3, y, kInk);
}

void DrawCopy(Picture& p) {
    DrawPage(p, 1, 1, 15, 17);
    DrawPage(p, 8, 6, 22, 23);
}

void DrawPaste(Picture& p) {
    p.Paint(Rect(2, 3, 19, 23), {196, 146, 86}, {150, 98, 46}, {96, 58, 20});
    p.Paint(Rect(6, 1, 15, 7), {236, 236, 244}, {150, 152, 164}, {72, 74, 88});
    DrawPage(p, 10, 9, 23, 24);
}

// The arc of an undo arrow, head on the left pointing down; redo is its mirror image.
Mask UndoArrow() {
    Mask arc = Arc(13, 15, 8, 4.2, -70, 180);
    Mask head = Polygon({{0.5, 13}, {11.5, 13}, {6, 19.5}});
    return Union(arc, head);
}

constexpr Rgb kArrowTop{70, 150, 240}, kArrowBottom{22, 74, 178}, kArrowRim{12, 40, 110};

void DrawUndo(Picture& p) {
    p.Paint(UndoArrow(), kArrowTop, kArrowBottom, kArrowRim);
}

void DrawRedo(Picture& p) {
    p.Paint(Mirrored(UndoArrow()), kArrowTop, kArrowBottom, kArrowRim);
}

void DrawPrint(Picture& p) {
    p.Paint(Rect(6, 1, 18, 11), kWhite, kPaperShade, kPaperRim);
    p.Paint(Polygon({{1, 9}, {23, 9}, {23, 18}, {1, 18}}), {214, 216, 224}, {130, 132, 146}, {60, 62, 74});
    p.Fill(Rect(17, 10, 21, 12), {40, 210, 60});
    p.Paint(Rect(5, 15, 19, 23), kWhite, kPaperShade, kPaperRim);
    p.HLine(8, 16, 18, kInk);
    p.HLine(8, 16, 20, kInk);
}

void DrawFind(Picture& p) {
    p.Paint(ThickLine({14.5, 14.5}, {21, 21}, 2.2), {166, 106, 50}, {110, 62, 20}, {66, 36, 8});
    p.Paint(Disc(9.5, 9.5, 5.2), {214, 236, 255}, {120, 176, 236}, {120, 176, 236});
    p.Fill(Arc(9.5, 9.5, 7.8, 5.2, -180, 180), {70, 72, 86});
    p.Set(7, 6, kWhite);
    p.Set(6, 7, kWhite);
    p.Set(7, 7, kWhite);
}

// Brighter but as saturated as before, so hot icons glow rather than fade.
Rgb Lighter(Rgb c) {
    auto up = [](int v) { return static_cast<std::uint8_t>(std::min(255L, std::lround(v * 1.18 + 24))); };
    return {up(c.r), up(c.g), up(c.b)};
}

Rgb Grey(Rgb c) {
    double lum = 0.299 * c.r + 0.587 * c.g + 0.114 * c.b;
    auto g = static_cast<std::uint8_t>(std::lround(108 + lum * 0.33));
    return {g, g, g};
}

enum class State { Normal, Hot, Disabled, Pressed };

Grid Render(const Picture& p, State state) {
    Grid g{};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            Rgb c = kBackground;
            switch (state) {
                case State::Normal:
                    c = p.At(x, y);
                    break;
                case State::Hot:
                    c = p.Covered(x, y) ? Lighter(p.At(x, y)) : kBackground;
                    break;
                case State::Disabled:
                    // Grey with a white relief below and to the right, as disabled toolbar buttons look.
                    if (p.Covered(x, y))
                        c = Grey(p.At(x, y));
                    else if (x > 0 && y > 0 && p.Covered(x - 1, y - 1))
                        c = kWhite;
                    break;
                case State::Pressed:
                    c = x > 0 && y > 0 ? p.At(x - 1, y - 1) : kBackground;
                    break;
            }
            g[y][x] = c;
        }
    return g;
}

struct Icon {
    const char* name;
    void (*draw)(Picture&);
    Depth depth;
};

constexpr Icon kIcons[] = {
    {"New", DrawNew, Depth::Bits8},    {"Open", DrawOpen, Depth::Bits24}, {"Save", DrawSave, Depth::Bits24},
    {"Cut", DrawCut, Depth::Bits4},    {"Copy", DrawCopy, Depth::Bits24}, {"Paste", DrawPaste, Depth::Bits8},
    {"Undo", DrawUndo, Depth::Bits8},  {"Redo", DrawRedo, Depth::Bits8},  {"Print", DrawPrint, Depth::Bits24},
    {"Find", DrawFind, Depth::Bits32},
};

constexpr std::pair<State, const char*> kStates[] = {
    {State::Normal, ""}, {State::Hot, "_h"}, {State::Disabled, "_d"}, {State::Pressed, "_p"}};

}  // namespace
}  // namespace plexon

int main(int argc, char** argv) {
    using namespace plexon;
    if (argc != 2) {
        std::fputs("usage: make_example_icons OUTPUT_FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = IncludeTrailingPathDelimiter(argv[1]);
    try {
        for (const Icon& icon : kIcons) {
            Picture picture(kBackground);
            icon.draw(picture);
            for (auto [state, suffix] : kStates)
                WriteBmp(Render(picture, state), icon.depth, folder + icon.name + suffix + ".bmp");
        }
    } catch (const Exception& e) {
        std::fprintf(stderr, "make_example_icons: %s\n", e.Message().c_str());
        return 1;
    }
    return 0;
}
