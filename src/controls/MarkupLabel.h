// TMarkupLabel: a windowless label that shows markup through RenderMarkup over an optional solid or
// gradient background with bevels and a border; links take the hand cursor, raise events and open
// through the platform's link opener. It keeps no layout: every paint and mouse move renders afresh.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/markup/MarkupPicture.h"
#include "controls/markup/RenderMarkup.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/StringList.h"

namespace plexon {

class TImageList;
class TMarkupLinkNode;
class TPictureStore;

enum class TGradientType { gtFullHorizontal, gtFullVertical, gtBottomLine, gtCenterLine, gtTopLine };
using enum TGradientType;
enum class TAutoSizeType { asVertical, asHorizontal, asBoth };
using enum TAutoSizeType;
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using enum TBevelCut;
// The label takes bsNone and bsSingle of the border styles forms use.
using TBorderStyle = TFormBorderStyle;
enum class TVAlignment { tvaTop, tvaCenter, tvaBottom };
using enum TVAlignment;

using TAnchorClick = std::function<void(TComponent* sender, const std::string& anchor)>;
using TAnchorHintEvent = std::function<void(TComponent* sender, std::string& anchor)>;

// What the label answers to the framework's hint request.
struct TMarkupHint {
    bool useOwnHint = true;  // neither the link nor the full text applies: the control's Hint shows
    std::string text;
    gdi::RECT area{-1, -1, -1, -1};  // the link the hint is for, client coordinates; -1: none
};

class TMarkupLabel : public TLabel {
  public:
    explicit TMarkupLabel(TComponent* owner);
    ~TMarkupLabel() override;

    // The markup; its lines are joined with nothing between them.
    TStringList& HTMLText() { return htmlText_; }
    // Takes the list's whole text without line breaks, as one line.
    void SetHTMLText(const std::string& text);
    std::string DisplayText() const;

    TColor ColorTo() const { return colorTo_; }
    void SetColorTo(TColor value) { SetAndRepaint(colorTo_, value); }
    TGradientType GradientType() const { return gradientType_; }
    void SetGradientType(TGradientType value) { SetAndRepaint(gradientType_, value); }
    bool AnchorHint() const { return anchorHint_; }
    void SetAnchorHint(bool value) { SetAndRepaint(anchorHint_, value); }
    bool AutoSizing() const { return autoSizing_; }
    void SetAutoSizing(bool value);
    TAutoSizeType AutoSizeType() const { return autoSizeType_; }
    void SetAutoSizeType(TAutoSizeType value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value) { SetAndRepaint(bevelInner_, value); }
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value) { SetAndRepaint(bevelOuter_, value); }
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value) { SetAndRepaint(bevelWidth_, std::max(1, value)); }
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value) { SetAndRepaint(borderWidth_, std::max(0, value)); }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value) { SetAndRepaint(borderStyle_, value); }
    bool Ellipsis() const { return ellipsis_; }
    void SetEllipsis(bool value) { SetChanged(ellipsis_, value); }
    bool HintShowFull() const { return hintShowFull_; }
    void SetHintShowFull(bool value) { SetAndRepaint(hintShowFull_, value); }
    bool Hover() const { return hover_; }
    void SetHover(bool value) { SetAndRepaint(hover_, value); }
    TColor HoverColor() const { return hoverColor_; }
    void SetHoverColor(TColor value) { SetAndRepaint(hoverColor_, value); }
    TColor HoverFontColor() const { return hoverFontColor_; }
    void SetHoverFontColor(TColor value) { SetAndRepaint(hoverFontColor_, value); }
    bool HTMLHint() const { return htmlHint_; }
    void SetHTMLHint(bool value) { SetAndRepaint(htmlHint_, value); }
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    int LineWidth() const { return lineWidth_; }
    void SetLineWidth(int value) { SetAndRepaint(lineWidth_, value); }
    TPictureStore* PictureStore() const { return pictureStore_; }
    void SetPictureStore(TPictureStore* store);
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor value) { SetAndRepaint(shadowColor_, value); }
    int ShadowOffset() const { return shadowOffset_; }
    void SetShadowOffset(int value) { SetAndRepaint(shadowOffset_, value); }
    TColor URLColor() const { return urlColor_; }
    void SetURLColor(TColor value) { SetChanged(urlColor_, value); }
    TVAlignment VAlignment() const { return vAlignment_; }
    void SetVAlignment(TVAlignment value) { SetChanged(vAlignment_, value); }

    TAnchorClick OnAnchorClick;
    TAnchorClick OnAnchorEnter;
    TAnchorClick OnAnchorExit;
    TAnchorHintEvent OnAnchorHint;

    // The link under a client point: its target (empty: none) and its hover rectangle.
    std::pair<std::string, gdi::RECT> AnchorAt(int x, int y);
    // Every link as the label places it now, in text order.
    std::vector<TMarkupLink> Links();
    // What a click on a link with that target does: a web or mail address opens (an Exception when
    // nothing can open it), anything else goes to OnAnchorClick.
    void FollowLink(const std::string& target);

    // A label whose text is its markup without tags, with one child of role link per link
    // (MarkupLabelLinks.cpp).
    std::string AccessibleText() const override;
    int AccessibleChildCount() const override;
    window::Accessible* AccessibleChild(int index) const override;
    // The hint for the mouse at a client point.
    TMarkupHint HintRequest(gdi::POINT cursor);
    // What the hint window shows: HintRequest's answer, as markup when HTMLHint is on.
    bool GetHintInfo(gdi::POINT cursor, THintInfo& info) override;
    // The number of the link under the mouse; -1 when none.
    int HoverAnchor() const { return hoverAnchor_; }
    TMarkupPictureCache& PictureCache() { return cache_; }

    void MouseDown(MouseButton button, Shift shift, int x, int y) override;
    void MouseMove(Shift shift, int x, int y) override;
    void MouseLeave() override;

  protected:
    void Paint() override;

  private:
    template <class T>
    void SetChanged(T& field, T value) {
        if (field != value) SetAndRepaint(field, value);
    }
    // The client rectangle less every frame drawn around the text; painting and hit tests share it.
    gdi::RECT TextRect() const;
    TMarkupInput RendererInput(const gdi::RECT& frame) const;
    // A measuring render with the pointer at a client point (-1, -1: none).
    TMarkupResult Measure(int x, int y);
    // The renderer's input for the text's place: the frame and alignment width after auto-sizing and
    // vertical alignment, the same for painting and hit tests.
    TMarkupInput PlacedInput(TCanvas& canvas, std::string_view text, bool& sizeWidth, bool& sizeHeight) const;
    void ApplyAutoSizing();
    void RepaintArea(const gdi::RECT& r);
    void DrawFrame(TCanvas& canvas, gdi::RECT& r, int width, TColor top, TColor bottom);

    TStringList htmlText_;
    TColor colorTo_ = clNone;
    TGradientType gradientType_ = gtFullHorizontal;
    bool anchorHint_ = false;
    bool autoSizing_ = false;
    TAutoSizeType autoSizeType_ = asVertical;
    TBevelCut bevelInner_ = bvNone, bevelOuter_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
    bool ellipsis_ = false;
    bool hintShowFull_ = false;
    bool hover_ = false;
    TColor hoverColor_ = clNone, hoverFontColor_ = clNone;
    bool htmlHint_ = false;
    TImageList* images_ = nullptr;
    int lineWidth_ = 0;
    TPictureStore* pictureStore_ = nullptr;
    TColor shadowColor_ = clGray;
    int shadowOffset_ = 2;
    TColor urlColor_ = clBlue;
    TVAlignment vAlignment_ = tvaTop;

    int hoverAnchor_ = -1;
    int previousAnchor_ = -1;
    std::string previousTarget_;
    gdi::RECT hoverRect_{-1, -1, -1, -1};
    TMarkupPictureCache cache_;
    mutable std::vector<std::unique_ptr<TMarkupLinkNode>> linkNodes_;  // made as they are asked for
};

}  // namespace plexon
