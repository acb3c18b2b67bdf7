// TFont: a logical font as the drawing code sets it up (name, size, colour, style, character set,
// rotation), its platform font made on first use, and change notification. Canvases select it.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "graphics/Color.h"
#include "platform/gdi/Types.h"
#include "runtime/EnumSet.h"

namespace plexon {

enum class TFontStyle : std::uint8_t { Bold, Italic, Underline, StrikeOut };

using TFontStyles = TEnumSet<TFontStyle>;

class TFont {
  public:
    TFont() = default;
    ~TFont();
    // Copies take the description and colour, never the platform font or the handlers.
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);

    // Called after every change (not for assignments of the current value).
    std::function<void(TFont&)> OnChange;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Points at 96 pixels per inch: Size 8 is Height -11.
    int Size() const;
    void SetSize(int points);
    // Pixels in the platform's convention: negative for the character height, positive for the cell.
    int Height() const { return height_; }
    void SetHeight(int height);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    std::uint8_t CharSet() const { return charSet_; }
    void SetCharSet(std::uint8_t charSet);
    // Escapement and orientation in tenths of a degree, counter-clockwise.
    int Orientation() const { return orientation_; }
    void SetOrientation(int tenths);

    // Copies name, height, colour, style, character set and orientation with one notification.
    void Assign(const TFont& source);

    // The platform font for the current description, made on first use; owned by this object.
    gdi::HFONT Handle();
    // Adopts a platform font (it becomes owned): the description is read back from it. A handle that
    // is not a live font is ignored.
    void SetHandle(gdi::HFONT font);

  private:
    friend class TCanvas;
    template <class Change>
    void Modify(Change change);
    void FreeHandle();

    std::string name_ = "Tahoma";
    int height_ = -11;
    TColor color_ = clWindowText;
    TFontStyles style_;
    std::uint8_t charSet_ = 1;  // DEFAULT_CHARSET
    int orientation_ = 0;
    gdi::HFONT handle_ = nullptr;
    // The canvas that selects this font takes it out of its context before the handle goes.
    std::function<void()> releasing_;
};

}  // namespace plexon
