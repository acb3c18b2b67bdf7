// Renders one sheet of the drawing services (every 3D edge, every text layout flag, the program's
// faces and sizes, rotated text, shapes and clipping) to the BMP path given, for a look by eye.
// It checks nothing itself; the tests do.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "graphics/Bitmap.h"
#include "platform/gdi/Edges.h"
#include "platform/gdi/Fonts.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Regions.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/SystemColors.h"
#include "platform/gdi/Text.h"

using namespace plexon;
using namespace plexon::gdi;

namespace {

constexpr int kWidth = 880, kHeight = 660;

HFONT MakeFont(const char* face, int height, int weight = FW_NORMAL, int escapement = 0, bool italic = false,
               bool underline = false, bool strike = false) {
    LOGFONT description;
    std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    description.lfHeight = height;
    description.lfWeight = weight;
    description.lfEscapement = description.lfOrientation = escapement;
    description.lfItalic = italic;
    description.lfUnderline = underline;
    description.lfStrikeOut = strike;
    return CreateFontIndirect(&description);
}

// Selects a font for the lifetime of the object.
class UseFont {
  public:
    UseFont(HDC dc, HFONT font) : dc_(dc), font_(font), previous_(SelectObject(dc, font)) {}
    ~UseFont() {
        SelectObject(dc_, previous_);
        DeleteObject(font_);
    }
    UseFont(const UseFont&) = delete;
    UseFont& operator=(const UseFont&) = delete;

  private:
    HDC dc_;
    HFONT font_;
    HFONT previous_;
};

void Label(HDC dc, int x, int y, const std::string& text) {
    TextOut(dc, x, y, text.c_str(), int(text.size()));
}

void Frame(HDC dc, RECT r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

void Fill(HDC dc, RECT r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void Edges(HDC dc) {
    Fill(dc, {0, 0, kWidth, 150}, GetSysColor(COLOR_BTNFACE));
    Label(dc, 8, 4, "DrawEdge: kinds (columns) x flags (rows)");
    struct Kind {
        const char* name;
        UINT edge;
    } kinds[] = {{"raised out", BDR_RAISEDOUTER}, {"sunken out", BDR_SUNKENOUTER},
                 {"raised in", BDR_RAISEDINNER},  {"sunken in", BDR_SUNKENINNER},
                 {"RAISED", EDGE_RAISED},         {"SUNKEN", EDGE_SUNKEN},
                 {"ETCHED", EDGE_ETCHED},         {"BUMP", EDGE_BUMP}};
    struct Flags {
        const char* name;
        UINT flags;
    } rows[] = {{"rect", BF_RECT},
                {"soft", BF_RECT | BF_SOFT},
                {"flat+middle", BF_RECT | BF_FLAT | BF_MIDDLE},
                {"mono", BF_RECT | BF_MONO},
                {"TL / BR adj", BF_TOPLEFT | BF_ADJUST}};
    for (int c = 0; c < 8; ++c) Label(dc, 90 + c * 98, 20, kinds[c].name);
    for (int r = 0; r < 5; ++r) {
        Label(dc, 8, 40 + r * 22, rows[r].name);
        for (int c = 0; c < 8; ++c) {
            RECT box{90 + c * 98, 36 + r * 22, 90 + c * 98 + 80, 36 + r * 22 + 18};
            if (r == 4) {
                DrawEdge(dc, &box, kinds[c].edge, rows[r].flags);
                DrawEdge(dc, &box, kinds[c].edge, BF_BOTTOMRIGHT);
            } else {
                DrawEdge(dc, &box, kinds[c].edge, rows[r].flags);
            }
        }
    }
}

void TextFlags(HDC dc) {
    const int top = 156;
    Label(dc, 8, top, "DrawText flags (red frame: the rectangle; blue frame: DT_CALCRECT result)");
    struct Case {
        const char* name;
        const char* text;
        UINT format;
    } cases[] = {
        {"LEFT|TOP|SINGLELINE", "Left top", DT_SINGLELINE},
        {"CENTER|VCENTER", "Centred", DT_SINGLELINE | DT_CENTER | DT_VCENTER},
        {"RIGHT|BOTTOM", "Right bottom", DT_SINGLELINE | DT_RIGHT | DT_BOTTOM},
        {"prefix", "&Open && save", DT_SINGLELINE},
        {"NOPREFIX", "&Open && save", DT_SINGLELINE | DT_NOPREFIX},
        {"END_ELLIPSIS", "This sentence is far too long for its box", DT_SINGLELINE | DT_END_ELLIPSIS},
        {"PATH_ELLIPSIS", "/home/designer/icons/toolbar/Open_h.bmp", DT_SINGLELINE | DT_PATH_ELLIPSIS},
        {"EXPANDTABS", "a\tb\tc\td", DT_SINGLELINE | DT_EXPANDTABS},
        {"WORDBREAK", "Word break wraps this paragraph at its spaces, line by line.", DT_WORDBREAK},
        {"WORDBREAK|CENTER", "Centred lines of a wrapped paragraph of text.", DT_WORDBREAK | DT_CENTER},
        {"EXTERNALLEADING", "Line one\nLine two\nLine three", DT_EXTERNALLEADING},
        {"line breaks", "Line one\r\nLine two\rLine three", 0},
    };
    for (int i = 0; i < 12; ++i) {
        const int column = i % 4, row = i / 4;
        const int x = 8 + column * 218, y = top + 20 + row * 74;
        Label(dc, x, y, cases[i].name);
        RECT box{x, y + 16, x + 150, y + 68};
        Frame(dc, {box.left - 1, box.top - 1, box.right + 1, box.bottom + 1}, RGB(255, 0, 0));
        DrawText(dc, cases[i].text, -1, &box, cases[i].format);
        RECT measured = box;
        DrawText(dc, cases[i].text, -1, &measured, cases[i].format | DT_CALCRECT);
        if (!(cases[i].format & (DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM)))
            Frame(dc, {measured.left - 1, measured.top - 1, measured.right + 1, measured.bottom + 1},
                  RGB(0, 0, 255));
    }
}

void Faces(HDC dc) {
    const int top = 400;
    struct Face {
        const char* face;
        int height;
        int weight;
        bool italic, underline, strike;
        const char* label;
    } faces[] = {
        {"Tahoma", -11, FW_NORMAL, false, false, false, "Tahoma -11: The quick brown fox 0123 &%$"},
        {"Tahoma", -11, FW_BOLD, false, false, false, "Tahoma -11 bold: group box captions"},
        {"Tahoma", -11, FW_NORMAL, true, true, false, "Tahoma -11 italic underline"},
        {"Tahoma", -11, FW_NORMAL, false, false, true, "Tahoma -11 strike-out"},
        {"Verdana", -13, FW_NORMAL, false, false, false, "Verdana -13: 45% progress"},
        {"Verdana", -13, FW_BOLD, false, false, false, "Verdana -13 bold"},
        {"No Such Face", -11, FW_BOLD, false, false, false, "Unknown face, bold: falls back to sans"},
    };
    for (int i = 0; i < 7; ++i) {
        UseFont use(dc, MakeFont(faces[i].face, faces[i].height, faces[i].weight, 0, faces[i].italic,
                                 faces[i].underline, faces[i].strike));
        Label(dc, 8, top + i * 20, faces[i].label);
    }
    {
        UseFont use(dc, MakeFont("Symbol", -11));
        Label(dc, 8, top + 140, "\xB7 o abgdp \xA5 \xB3");
    }
    Label(dc, 120, top + 140, "<- Symbol: bullet, o, Greek letters, infinity, >=");
    // Antialiased text over a dark and a coloured background, transparent and opaque.
    Fill(dc, {8, top + 160, 300, top + 200}, RGB(0, 0, 128));
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    Label(dc, 14, top + 164, "White on navy, transparent");
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 255, 0));
    SetTextColor(dc, RGB(0, 0, 0));
    Label(dc, 14, top + 182, "Black on yellow, opaque");
    SetBkColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
}

void Rotated(HDC dc) {
    const int cx = 420, cy = 520;
    for (int angle : {0, 450, 900, 1800, 2700}) {
        UseFont use(dc, MakeFont("Verdana", -13, FW_NORMAL, angle));
        Label(dc, cx, cy, "  Rotated " + std::to_string(angle / 10));
    }
    Fill(dc, {cx - 1, cy - 1, cx + 2, cy + 2}, RGB(255, 0, 0));
    {
        // DrawText with a turned font: two lines turned about the first line's origin (red dot).
        UseFont use(dc, MakeFont("Tahoma", -11, FW_NORMAL, 900));
        RECT box{505, 640, 505, 640};
        DrawText(dc, "DrawText,\nturned", -1, &box, DT_CALCRECT);
        DrawText(dc, "DrawText,\nturned", -1, &box, 0);
        Fill(dc, {504, 639, 507, 642}, RGB(255, 0, 0));
    }
    // The vertical progress bar's text: turned 90 degrees, centred on a bar.
    Fill(dc, {560, 410, 590, 640}, RGB(0, 128, 0));
    UseFont use(dc, MakeFont("Verdana", -13, FW_NORMAL, 900));
    SIZE size;
    GetTextExtentPoint32(dc, "67%", 3, &size);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOut(dc, 575 - size.cy / 2, 525 + size.cx / 2, "67%", 3);
    SetTextColor(dc, RGB(0, 0, 0));
}

void Shapes(HDC dc) {
    const int x = 620, y = 400;
    Label(dc, x, y, "Shapes, pens, clipping");
    HBRUSH brush = CreateSolidBrush(RGB(166, 202, 240));
    HBRUSH oldBrush = SelectObject(dc, brush);
    Rectangle(dc, x, y + 20, x + 60, y + 60);
    Ellipse(dc, x + 70, y + 20, x + 140, y + 60);
    const POINT star[5] = {
        {x + 180, y + 18}, {x + 200, y + 62}, {x + 152, y + 34}, {x + 208, y + 34}, {x + 160, y + 62}};
    Polygon(dc, star, 5);
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(200, 0, 0));
    HPEN oldPen = SelectObject(dc, pen);
    MoveToEx(dc, x, y + 80, nullptr);
    LineTo(dc, x + 100, y + 120);
    LineTo(dc, x + 200, y + 80);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    SelectObject(dc, GetStockPen(NULL_PEN));
    Rectangle(dc, x + 120, y + 100, x + 160, y + 130);
    SelectObject(dc, oldPen);
    // A clip with a hole: the cross is drawn everywhere but in the middle square.
    IntersectClipRect(dc, x, y + 140, x + 100, y + 240);
    ExcludeClipRect(dc, x + 35, y + 175, x + 65, y + 205);
    Fill(dc, {x, y + 140, x + 100, y + 240}, RGB(255, 200, 0));
    RECT inverted{x + 40, y + 145, x + 60, y + 235};
    InvertRect(dc, &inverted);
    SelectClipRgn(dc, nullptr);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawing-sheet OUTPUT.bmp\n");
        return 2;
    }
    try {
        TBitmap sheet;
        sheet.SetHeight(kHeight);
        sheet.SetWidth(kWidth);
        const HDC dc = sheet.Canvas().Handle();
        sheet.NotifyChanging();
        SetBkMode(dc, TRANSPARENT);
        Edges(dc);
        TextFlags(dc);
        Faces(dc);
        Rotated(dc);
        Shapes(dc);
        sheet.SaveFile(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "drawing-sheet: %s\n", error.what());
        return 1;
    }
    return 0;
}
