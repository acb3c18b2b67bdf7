// Fixed colour tables. The halftone table is built once on first use.
#include "platform/gdi/StaticColors.h"

namespace plexon::gdi::detail {

const PALETTEENTRY kStaticColors[20] = {
    {0x00, 0x00, 0x00, 0}, {0x80, 0x00, 0x00, 0}, {0x00, 0x80, 0x00, 0}, {0x80, 0x80, 0x00, 0},
    {0x00, 0x00, 0x80, 0}, {0x80, 0x00, 0x80, 0}, {0x00, 0x80, 0x80, 0}, {0xC0, 0xC0, 0xC0, 0},
    {0xC0, 0xDC, 0xC0, 0}, {0xA6, 0xCA, 0xF0, 0}, {0xFF, 0xFB, 0xF0, 0}, {0xA0, 0xA0, 0xA4, 0},
    {0x80, 0x80, 0x80, 0}, {0xFF, 0x00, 0x00, 0}, {0x00, 0xFF, 0x00, 0}, {0xFF, 0xFF, 0x00, 0},
    {0x00, 0x00, 0xFF, 0}, {0xFF, 0x00, 0xFF, 0}, {0x00, 0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF, 0},
};

// Blue, green, red order.
const RGBQUAD kStandard16Colors[16] = {
    {0x00, 0x00, 0x00, 0}, {0x00, 0x00, 0x80, 0}, {0x00, 0x80, 0x00, 0}, {0x00, 0x80, 0x80, 0},
    {0x80, 0x00, 0x00, 0}, {0x80, 0x00, 0x80, 0}, {0x80, 0x80, 0x00, 0}, {0x80, 0x80, 0x80, 0},
    {0xC0, 0xC0, 0xC0, 0}, {0x00, 0x00, 0xFF, 0}, {0x00, 0xFF, 0x00, 0}, {0x00, 0xFF, 0xFF, 0},
    {0xFF, 0x00, 0x00, 0}, {0xFF, 0x00, 0xFF, 0}, {0xFF, 0xFF, 0x00, 0}, {0xFF, 0xFF, 0xFF, 0},
};

namespace {

struct HalftoneTable {
    RGBQUAD colors[256];
    HalftoneTable() {
        int n = 0;
        auto add = [&](int r, int g, int b) {
            colors[n++] = {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r), 0};
        };
        for (int i = 0; i < 10; ++i)
            add(kStaticColors[i].peRed, kStaticColors[i].peGreen, kStaticColors[i].peBlue);
        // The cube's corners are static colours already; leaving them out keeps every entry distinct.
        auto corner = [](int v) { return v == 0 || v == 5; };
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    if (!(corner(r) && corner(g) && corner(b))) add(r * 51, g * 51, b * 51);
        // Greys at 1/29 steps never coincide with the cube's multiples of 51 or the static greys.
        for (int i = 1; i <= 28; ++i) {
            const int v = (i * 255 + 14) / 29;
            add(v, v, v);
        }
        for (int i = 10; i < 20; ++i)
            add(kStaticColors[i].peRed, kStaticColors[i].peGreen, kStaticColors[i].peBlue);
    }
};

}  // namespace

const RGBQUAD* HalftoneColors() {
    static const HalftoneTable table;
    return table.colors;
}

}  // namespace plexon::gdi::detail
