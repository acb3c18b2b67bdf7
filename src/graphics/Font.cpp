// TFont: description, change notification and the platform font behind it.
#include "graphics/Font.h"

#include <cstring>

#include "graphics/GdiSupport.h"
#include "platform/gdi/Fonts.h"
#include "platform/gdi/Raster.h"

namespace plexon {

namespace {
constexpr int kPixelsPerInch = 96;
}

TFont::~TFont() {
    FreeHandle();
}

TFont::TFont(const TFont& other)
    : name_(other.name_),
      height_(other.height_),
      color_(other.color_),
      style_(other.style_),
      charSet_(other.charSet_),
      orientation_(other.orientation_) {}

TFont& TFont::operator=(const TFont& other) {
    Assign(other);
    return *this;
}

void TFont::FreeHandle() {
    if (!handle_) return;
    if (releasing_) releasing_();
    gdi::DeleteObject(handle_);
    handle_ = nullptr;
}

template <class Change>
void TFont::Modify(Change change) {
    FreeHandle();
    change();
    if (OnChange) OnChange(*this);
}

void TFont::SetName(const std::string& name) {
    if (name != name_) Modify([&] { name_ = name; });
}

int TFont::Size() const {
    return -gdi::MulDiv(height_, 72, kPixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-gdi::MulDiv(points, kPixelsPerInch, 72));
}

void TFont::SetHeight(int height) {
    if (height != height_) Modify([&] { height_ = height; });
}

void TFont::SetColor(TColor color) {
    // The colour is not part of the platform font, but canvases set the text colour with it.
    if (color != color_) Modify([&] { color_ = color; });
}

void TFont::SetStyle(TFontStyles style) {
    if (!(style == style_)) Modify([&] { style_ = style; });
}

void TFont::SetCharSet(std::uint8_t charSet) {
    if (charSet != charSet_) Modify([&] { charSet_ = charSet; });
}

void TFont::SetOrientation(int tenths) {
    if (tenths != orientation_) Modify([&] { orientation_ = tenths; });
}

void TFont::Assign(const TFont& source) {
    if (&source == this) return;
    Modify([&] {
        name_ = source.name_;
        height_ = source.height_;
        color_ = source.color_;
        style_ = source.style_;
        charSet_ = source.charSet_;
        orientation_ = source.orientation_;
    });
}

gdi::HFONT TFont::Handle() {
    if (!handle_) {
        gdi::LOGFONT description;
        description.lfHeight = height_;
        description.lfEscapement = description.lfOrientation = orientation_;
        description.lfWeight = style_.Contains(TFontStyle::Bold) ? gdi::FW_BOLD : gdi::FW_NORMAL;
        description.lfItalic = style_.Contains(TFontStyle::Italic);
        description.lfUnderline = style_.Contains(TFontStyle::Underline);
        description.lfStrikeOut = style_.Contains(TFontStyle::StrikeOut);
        description.lfCharSet = charSet_;
        std::strncpy(description.lfFaceName, name_.c_str(), gdi::LF_FACESIZE - 1);
        handle_ = GdiCheck(gdi::CreateFontIndirect(&description));
    }
    return handle_;
}

void TFont::SetHandle(gdi::HFONT font) {
    gdi::LOGFONT description;
    if (font == handle_ || gdi::GetObject(font, int(sizeof description), &description) == 0) return;
    Modify([&] {
        handle_ = font;
        name_ = std::string(description.lfFaceName, strnlen(description.lfFaceName, gdi::LF_FACESIZE));
        height_ = description.lfHeight;
        orientation_ = description.lfEscapement;
        charSet_ = description.lfCharSet;
        TFontStyles style;
        if (description.lfWeight >= gdi::FW_SEMIBOLD) style = style.With(TFontStyle::Bold);
        if (description.lfItalic) style = style.With(TFontStyle::Italic);
        if (description.lfUnderline) style = style.With(TFontStyle::Underline);
        if (description.lfStrikeOut) style = style.With(TFontStyle::StrikeOut);
        style_ = style;
    });
}

}  // namespace plexon
