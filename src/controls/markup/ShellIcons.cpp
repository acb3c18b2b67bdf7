// Our own shell icons, drawn with canvas shapes on a colour key that the image list leaves out.
#include "controls/markup/ShellIcons.h"

#include <memory>

#include "controls/markup/MarkupText.h"
#include "platform/shell/FileAttributes.h"

namespace plexon {

namespace {

constexpr TColor kKey = 0xFF00FF;  // magenta: not part of any icon
enum Icon { kDocument = 0, kFolder = 1, kPicture = 2 };

std::unique_ptr<TBitmap> IconBitmap(Icon icon, int size) {
    auto owned = std::make_unique<TBitmap>();
    TBitmap& bitmap = *owned;
    bitmap.SetWidth(size);
    bitmap.SetHeight(size);
    TCanvas& c = bitmap.Canvas();
    c.Brush().SetColor(kKey);
    c.FillRect({0, 0, size, size});
    const int u = size / 16;  // drawn on a 16-unit grid
    c.Pen().SetColor(clBlack);
    switch (icon) {
        case kDocument:
            c.Brush().SetColor(clWhite);
            c.Rectangle(3 * u, 1 * u, 13 * u, 15 * u);
            for (int line = 0; line < 4; ++line) {
                c.MoveTo(5 * u, (5 + 2 * line) * u);
                c.LineTo(11 * u, (5 + 2 * line) * u);
            }
            break;
        case kFolder:
            c.Brush().SetColor(0x40C0F0);
            c.Rectangle(1 * u, 3 * u, 7 * u, 6 * u);
            c.Rectangle(1 * u, 5 * u, 15 * u, 14 * u);
            break;
        case kPicture:
            c.Brush().SetColor(0xF0D8A0);
            c.Rectangle(1 * u, 2 * u, 15 * u, 14 * u);
            c.Brush().SetColor(0x208020);
            c.Polygon({{2 * u, 13 * u}, {6 * u, 7 * u}, {10 * u, 13 * u}});
            c.Brush().SetColor(0x00D0FF);
            c.Ellipse(10 * u, 4 * u, 13 * u, 7 * u);
            break;
    }
    return owned;
}

std::unique_ptr<TImageList> MakeList(int size) {
    auto list = std::make_unique<TImageList>(nullptr, size, size);
    for (Icon icon : {kDocument, kFolder, kPicture}) list->Add(*IconBitmap(icon, size), kKey);
    return list;
}

bool EndsNoCase(const std::string& text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           markup::StartsNoCase(std::string_view(text).substr(text.size() - suffix.size()), suffix);
}

}  // namespace

TImageList& ShellIcons(TShellIconSize size) {
    // Kept to the end of the program: nothing may outlive the drawing services they use.
    static TImageList* const small = MakeList(16).release();
    static TImageList* const large = MakeList(32).release();
    return size == TShellIconSize::Small ? *small : *large;
}

int ShellIconIndex(const std::string& path) {
    std::int32_t number = 0;
    if (markup::ParseInteger(path, number)) return number;
    if (DirectoryExists(path)) return kFolder;
    for (std::string_view extension : {".bmp", ".jpg", ".jpeg", ".gif", ".png", ".ico"})
        if (EndsNoCase(path, extension)) return kPicture;
    return kDocument;
}

}  // namespace plexon
