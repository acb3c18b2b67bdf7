// The message box, built from the framework's own controls and laid out around its text. The
// stop icon is drawn with the shape services: a red disc with a white cross.
#include "framework/MessageBox.h"

#include <algorithm>
#include <memory>

#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/ControlDrawing.h"
#include "framework/GraphicControl.h"
#include "framework/Label.h"
#include "framework/Screen.h"
#include "graphics/GdiSupport.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Shapes.h"
#include "platform/gdi/Text.h"

namespace plexon {

namespace {

constexpr int kMargin = 12, kIconSize = 32, kButtonWidth = 75, kButtonHeight = 23;

class TStopIcon : public TGraphicControl {
  public:
    explicit TStopIcon(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, kIconSize, kIconSize); }

  protected:
    void Paint() override {
        const gdi::HDC dc = Canvas().Handle();
        gdi::HBRUSH red = gdi::CreateSolidBrush(gdi::RGB(255, 0, 0));
        gdi::HPEN outline = gdi::CreatePen(gdi::PS_SOLID, 1, gdi::RGB(128, 0, 0));
        gdi::HBRUSH oldBrush = gdi::SelectObject(dc, red);
        gdi::HPEN oldPen = gdi::SelectObject(dc, outline);
        gdi::Ellipse(dc, 1, 1, kIconSize - 1, kIconSize - 1);
        gdi::HPEN white = gdi::CreatePen(gdi::PS_SOLID, 3, gdi::RGB(255, 255, 255));
        gdi::SelectObject(dc, white);
        gdi::MoveToEx(dc, 10, 10, nullptr);
        gdi::LineTo(dc, 22, 22);
        gdi::MoveToEx(dc, 21, 10, nullptr);
        gdi::LineTo(dc, 9, 22);
        gdi::SelectObject(dc, oldPen);
        gdi::SelectObject(dc, oldBrush);
        gdi::DeleteObject(white);
        gdi::DeleteObject(outline);
        gdi::DeleteObject(red);
    }
};

}  // namespace

TModalResult RunMessageBox(const MessageBoxOptions& options) {
    std::unique_ptr<TForm> box(new TForm(&Application()));
    box->SetName("MessageBox");
    box->SetBorderStyle(bsDialog);
    box->SetAccessibleRole(window::AccessibleRole::Alert);
    box->SetPosition(poScreenCenter);
    box->SetCaption(options.caption);

    gdi::RECT textRect;
    {
        ScopedMemoryDc measuring;
        textRect = MeasureControlText(measuring.Get(), options.text, {0, 0, Screen().Width() / 2, 0},
                                      gdi::DT_WORDBREAK | gdi::DT_NOPREFIX | gdi::DT_EXPANDTABS, box->Font());
    }
    const bool withIcon = options.icon == TMessageBoxIcon::Stop;
    const int iconSpace = withIcon ? kIconSize + kMargin : 0;
    const int blockHeight = std::max(textRect.bottom, withIcon ? kIconSize : 0);
    const int clientWidth = std::max(iconSpace + textRect.right, kButtonWidth) + 2 * kMargin;
    const int clientHeight = kMargin + blockHeight + kMargin + kButtonHeight + kMargin;
    box->SetBounds(0, 0, clientWidth, clientHeight);

    if (withIcon) {
        auto* icon = new TStopIcon(box.get());
        icon->SetName("Image");
        icon->SetBounds(kMargin, kMargin, kIconSize, kIconSize);
        icon->SetParent(box.get());
    }
    auto* label = new TLabel(box.get());
    label->SetName("Message");
    label->SetShowAccelChar(false);
    label->SetWordWrap(true);
    label->SetBounds(kMargin + iconSpace, kMargin + (blockHeight - textRect.bottom) / 2, textRect.right,
                     textRect.bottom);
    label->SetCaption(options.text);
    label->SetParent(box.get());
    auto* ok = new TButton(box.get());
    ok->SetName("OK");
    ok->SetCaption("OK");
    ok->SetDefault(true);
    ok->SetCancel(true);
    ok->SetModalResult(mrOk);
    ok->SetBounds((clientWidth - kButtonWidth) / 2, kMargin + blockHeight + kMargin, kButtonWidth, kButtonHeight);
    ok->SetParent(box.get());
    return box->ShowModal();
}

}  // namespace plexon
