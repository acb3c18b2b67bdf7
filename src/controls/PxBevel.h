// The border of the panel family: a settings object that says how wide the border is on each side
// and draws it (custom bevels, standard styles, one platform edge, or the window look). Filling
// what lies inside is the panel's business.
#pragma once

#include <cstdint>

#include "controls/PxSettings.h"
#include "graphics/Color.h"
#include "platform/gdi/Types.h"

namespace plexon {

enum class TPxBevelMode { bmCustom, bmStandard, bmEdge, bmWindows };
using enum TPxBevelMode;
enum class TPxBorderStyle {
    lsNone,
    lsSingle,
    lsLowered,
    lsRaised,
    lsRaisedspb,
    lsLoweredspb,
    lsRaisedExt,
    lsLoweredExt,
    lsFrameInset,
    lsFrameOffset,
    lsWindowBorder,
    lsSingleRaised,
    lsSingleLowered,
    lsDoubleRaised,
    lsDoubleLowered
};
using enum TPxBorderStyle;
// Not brought into the namespace: the markup label has bevel values of the same names. Files that
// use only these write `using enum TPxBevelStyle;` for themselves.
enum class TPxBevelStyle { bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal, bvShadow };
enum class TPxEdgeStyle {
    etRaisedInner,
    etRaisedOuter,
    etSunkenInner,
    etSunkenOuter,
    etBump,
    etEtched,
    etRaised,
    etSunken
};
using enum TPxEdgeStyle;

// A set of frame sides.
enum class TPxFrameSides : std::uint8_t {
    None = 0,
    fsBottom = 1,
    fsLeft = 2,
    fsRight = 4,
    fsTop = 8,
    All = 15
};
constexpr TPxFrameSides operator|(TPxFrameSides a, TPxFrameSides b) {
    return TPxFrameSides(std::uint8_t(a) | std::uint8_t(b));
}
constexpr bool Has(TPxFrameSides set, TPxFrameSides side) {
    return (std::uint8_t(set) & std::uint8_t(side)) != 0;
}
inline constexpr TPxFrameSides fsBottom = TPxFrameSides::fsBottom, fsLeft = TPxFrameSides::fsLeft,
                               fsRight = TPxFrameSides::fsRight, fsTop = TPxFrameSides::fsTop;

// Pixels a standard style takes on each side.
int StandardStyleWidth(TPxBorderStyle style);

class TPxBevel : public TPxSettings {
  public:
    static constexpr int kMaxBevelWidth = 50, kMaxBorderWidth = 255;

    TPxBevel() { Recompute(); }

    TPxBevelMode Mode() const { return mode_; }
    void SetMode(TPxBevelMode value) { Set(mode_, value); }
    TPxBorderStyle StandardStyle() const { return standardStyle_; }
    void SetStandardStyle(TPxBorderStyle value) { Set(standardStyle_, value); }
    TPxBevelStyle StyleOuter() const { return styleOuter_; }
    void SetStyleOuter(TPxBevelStyle value) { Set(styleOuter_, value); }
    TPxBevelStyle StyleInner() const { return styleInner_; }
    void SetStyleInner(TPxBevelStyle value) { Set(styleInner_, value); }
    // Widths are brought into their ranges (0-50 for bevels, 0-255 for plain borders).
    int WidthOuter() const { return widthOuter_; }
    void SetWidthOuter(int value);
    int WidthInner() const { return widthInner_; }
    void SetWidthInner(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    int BorderInnerWidth() const { return borderInnerWidth_; }
    void SetBorderInnerWidth(int value);
    TColor BorderColor() const { return borderColor_; }
    void SetBorderColor(TColor value) { Set(borderColor_, value); }
    TColor LightColor() const { return lightColor_; }
    void SetLightColor(TColor value) { Set(lightColor_, value); }
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor value) { Set(shadowColor_, value); }
    TPxEdgeStyle EdgeStyle() const { return edgeStyle_; }
    void SetEdgeStyle(TPxEdgeStyle value) { Set(edgeStyle_, value); }
    TPxFrameSides BorderSides() const { return borderSides_; }
    void SetBorderSides(TPxFrameSides value) { Set(borderSides_, value); }

    void Assign(const TPxBevel& source);

    // Pixels the border takes on each side; recomputed on every change.
    int Width() const { return width_; }
    // Draws the border into r and returns what is left inside. Transparent leaves the plain borders
    // (and the unused edge strips) undrawn but takes their space. Nothing is drawn for width 0.
    gdi::RECT Draw(gdi::HDC dc, gdi::RECT r, bool transparent) const;

  protected:
    void Recompute() override;

  private:
    gdi::RECT DrawCustom(gdi::HDC dc, gdi::RECT r, TPxBevelStyle style, int width) const;

    TPxBevelMode mode_ = bmCustom;
    TPxBorderStyle standardStyle_ = lsSingleLowered;
    TPxBevelStyle styleOuter_ = TPxBevelStyle::bvNone, styleInner_ = TPxBevelStyle::bvNone;
    int widthOuter_ = 1, widthInner_ = 1;
    int borderWidth_ = 0, borderInnerWidth_ = 0;
    TColor borderColor_ = clBtnFace, lightColor_ = clBtnHighlight, shadowColor_ = clBtnShadow;
    TPxEdgeStyle edgeStyle_ = etEtched;
    TPxFrameSides borderSides_ = TPxFrameSides::All;
    int width_ = 0;
};

}  // namespace plexon
