// The level progress bar: a percentage shown as a smooth, stacked or segmented bar whose colours
// change at two thresholds, shaded like a tube, with the percentage printed over it. No range of its
// own: Position is a percentage and is neither clamped nor checked.
#pragma once

#include <cstdint>

#include "framework/GraphicControl.h"
#include "graphics/Font.h"

namespace plexon {

enum class TGaugeOrientation : std::uint8_t { goHorizontal, goVertical };
using enum TGaugeOrientation;

// Which way the bands of a gradient follow each other.
enum class TBarDirection { AcrossX, AcrossY };

// Everything the painter reads, so that it can draw into any canvas without the control.
struct TProgressBarParams {
    TColor Level0Color = clLime;
    TColor Level0ColorTo = 14811105;
    TColor Level1Color = clYellow;
    TColor Level1ColorTo = 13303807;
    TColor Level2Color = 5483007;
    TColor Level2ColorTo = 11064319;
    TColor Level3Color = clRed;
    TColor Level3ColorTo = 13290239;
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = clBlack;
    bool ShowBorder = true;
    bool Stacked = false;
    bool ShowPercentage = true;
    TFont Font = DefaultFont();
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    int Steps = 20;
    int Position = 0;
    TColor BackgroundColor = clWhite;
    TGaugeOrientation Orientation = goHorizontal;

    // Verdana, 10 points.
    static TFont DefaultFont();
};

// The complete bar in rect for `position`; the percentage text shows params.Position.
void DrawProgressBar(TCanvas& canvas, const gdi::RECT& rect, int position, const TProgressBarParams& params);
// `steps` bands from `from` towards `to` (the last band stays one step short of `to`). Fewer than one
// step counts as one, more than 65535 as 65535.
void DrawBarGradient(TCanvas& canvas, TColor from, TColor to, int steps, const gdi::RECT& rect,
                     TBarDirection direction);
// The rectangle filled in one colour, border included.
void FillBarRect(TCanvas& canvas, const gdi::RECT& rect, TColor color);

class TLevelProgressBar : public TGraphicControl {
  public:
    explicit TLevelProgressBar(TComponent* owner);

    TColor Level0Color() const { return params_.Level0Color; }
    void SetLevel0Color(TColor value) { SetAndRepaint(params_.Level0Color, value); }
    TColor Level0ColorTo() const { return params_.Level0ColorTo; }
    void SetLevel0ColorTo(TColor value) { SetAndRepaint(params_.Level0ColorTo, value); }
    TColor Level1Color() const { return params_.Level1Color; }
    void SetLevel1Color(TColor value) { SetAndRepaint(params_.Level1Color, value); }
    TColor Level1ColorTo() const { return params_.Level1ColorTo; }
    void SetLevel1ColorTo(TColor value) { SetAndRepaint(params_.Level1ColorTo, value); }
    TColor Level2Color() const { return params_.Level2Color; }
    void SetLevel2Color(TColor value) { SetAndRepaint(params_.Level2Color, value); }
    TColor Level2ColorTo() const { return params_.Level2ColorTo; }
    void SetLevel2ColorTo(TColor value) { SetAndRepaint(params_.Level2ColorTo, value); }
    TColor Level3Color() const { return params_.Level3Color; }
    void SetLevel3Color(TColor value) { SetAndRepaint(params_.Level3Color, value); }
    TColor Level3ColorTo() const { return params_.Level3ColorTo; }
    void SetLevel3ColorTo(TColor value) { SetAndRepaint(params_.Level3ColorTo, value); }
    int Level1Perc() const { return params_.Level1Perc; }
    void SetLevel1Perc(int value) { SetAndRepaint(params_.Level1Perc, value); }
    int Level2Perc() const { return params_.Level2Perc; }
    void SetLevel2Perc(int value) { SetAndRepaint(params_.Level2Perc, value); }
    TColor BorderColor() const { return params_.BorderColor; }
    void SetBorderColor(TColor value) { SetAndRepaint(params_.BorderColor, value); }
    bool ShowBorder() const { return params_.ShowBorder; }
    void SetShowBorder(bool value) { SetAndRepaint(params_.ShowBorder, value); }
    bool Stacked() const { return params_.Stacked; }
    void SetStacked(bool value) { SetAndRepaint(params_.Stacked, value); }
    bool ShowPercentage() const { return params_.ShowPercentage; }
    void SetShowPercentage(bool value) { SetAndRepaint(params_.ShowPercentage, value); }
    bool CompletionSmooth() const { return params_.CompletionSmooth; }
    void SetCompletionSmooth(bool value) { SetAndRepaint(params_.CompletionSmooth, value); }
    bool ShowGradient() const { return params_.ShowGradient; }
    void SetShowGradient(bool value) { SetAndRepaint(params_.ShowGradient, value); }
    int Steps() const { return params_.Steps; }
    void SetSteps(int value) { SetAndRepaint(params_.Steps, value); }
    TColor BackgroundColor() const { return params_.BackgroundColor; }
    void SetBackgroundColor(TColor value) { SetAndRepaint(params_.BackgroundColor, value); }
    TGaugeOrientation Orientation() const { return params_.Orientation; }
    void SetOrientation(TGaugeOrientation value) { SetAndRepaint(params_.Orientation, value); }

    // The bar's own font (it hides the control's inherited one, which the bar never draws with);
    // any change repaints later.
    TFont& Font() { return params_.Font; }
    const TFont& Font() const { return params_.Font; }
    void SetFont(const TFont& font) { params_.Font.Assign(font); }

    int Position() const { return params_.Position; }
    // Stores the value and repaints at once, so that the bar moves while the caller keeps the message
    // loop busy.
    void SetPosition(int value);

    // A progress bar whose value is the percentage.
    window::AccessibleRole Role() const override { return window::AccessibleRole::ProgressBar; }
    window::AccessibleFacets Facets() const override { return {window::AccessibleFacet::Value}; }
    window::AccessibleValue Value() const override { return {double(params_.Position), 0, 100}; }

  protected:
    void Paint() override;

  private:

    TProgressBarParams params_;
};

}  // namespace plexon
