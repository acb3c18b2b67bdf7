// Building, laying out and running the message dialog. The layout follows the dialog-unit formulas
// of the classic message box from the average character of the message font.
#include "forms/MessageDialog.h"

#include <algorithm>
#include <memory>

#include "forms/SystemIcons.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Clipboard.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Screen.h"
#include "graphics/GdiSupport.h"
#include "platform/gdi/Fonts.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/SystemColors.h"
#include "platform/gdi/Text.h"
#include "platform/window/Window.h"
#include "runtime/PrefixText.h"

namespace plexon {

namespace {

struct TypeInfo {
    const char* caption;  // null: the application title
    int icon;             // 0: none
};
constexpr std::array<TypeInfo, 5> kTypes{{{"Warning", IDI_EXCLAMATION},
                                          {"Error", IDI_HAND},
                                          {"Information", IDI_ASTERISK},
                                          {"Confirm", IDI_QUESTION},
                                          {nullptr, 0}}};

struct ButtonInfo {
    const char* name;
    const char* caption;
    TModalResult result;
};
constexpr std::array<ButtonInfo, kMsgDlgBtnCount> kButtons{{{"Yes", "&Yes", mrYes},
                                                            {"No", "&No", mrNo},
                                                            {"OK", "OK", mrOk},
                                                            {"Cancel", "Cancel", mrCancel},
                                                            {"Abort", "&Abort", mrAbort},
                                                            {"Retry", "&Retry", mrRetry},
                                                            {"Ignore", "&Ignore", mrIgnore},
                                                            {"All", "&All", mrAll},
                                                            {"NoToAll", "N&o to All", mrNoToAll},
                                                            {"YesToAll", "Yes to &All", mrYesToAll},
                                                            {"Help", "&Help", mrNone}}};

constexpr int kIconSize = 32;

TBiDiMode& BiDiSetting() {
    static TBiDiMode mode = bdLeftToRight;
    return mode;
}

// A memory context with the form's font selected: the measuring canvas of the form.
class FontContext {
  public:
    explicit FontContext(TFont& font) : old_(gdi::SelectObject(dc_.Get(), font.Handle())) {}
    ~FontContext() { gdi::SelectObject(dc_.Get(), old_); }
    FontContext(const FontContext&) = delete;
    FontContext& operator=(const FontContext&) = delete;
    gdi::HDC Get() const { return dc_.Get(); }

  private:
    ScopedMemoryDc dc_;
    gdi::HFONT old_;
};

gdi::SIZE AverageCharSize(gdi::HDC dc) {
    std::string letters;
    for (char c = 'A'; c <= 'Z'; ++c) letters += c;
    for (char c = 'a'; c <= 'z'; ++c) letters += c;
    gdi::SIZE extent{};
    gdi::GetTextExtentPoint32(dc, letters.c_str(), int(letters.size()), &extent);
    return {extent.cx / 52, extent.cy};
}

}  // namespace

TBiDiMode ApplicationBiDiMode() {
    return BiDiSetting();
}

void SetApplicationBiDiMode(TBiDiMode mode) {
    BiDiSetting() = mode;
}

int TButtonWidthCache::Width(TMsgDlgBtn button, const std::function<int()>& measure) {
    int& width = widths_[std::size_t(button)];
    if (width == 0) width = measure() + 8;
    return width;
}

TButtonWidthCache& ButtonWidths() {
    static TButtonWidthCache cache;
    return cache;
}

TMessageForm::TMessageForm(TComponent* owner) : TForm(owner) {
    gdi::NONCLIENTMETRICS metrics;
    if (gdi::SystemParametersInfo(gdi::SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        Font().SetHandle(gdi::CreateFontIndirect(&metrics.lfMessageFont));
}

void TMessageForm::CustomKeyDown(int& key, Shift shift) {
    if (window::KeyModifiers(shift) != Shift::Ctrl || key != 'C') return;
    window::TheDesktop().Native().Beep();
    Clipboard().SetAsText(ClipboardText());
}

std::string TMessageForm::ClipboardText() const {
    // Lines end as text files end on this platform.
    const std::string divider = std::string(27, '-') + "\n";
    std::string buttons;
    for (int i = 0; i < ComponentCount(); ++i)
        if (auto* button = dynamic_cast<TButton*>(Components(i))) buttons += button->Caption() + "   ";
    return divider + Caption() + "\n" + divider + message_->Caption() + "\n" + divider + StripPrefixes(buttons) +
           "\n" + divider;
}

void TMessageForm::HelpButtonClick() {
    // There is no help viewer of our own: a named help file goes to the desktop's handler.
    window::Backend& desktop = window::TheDesktop().Native();
    if (helpFile_.empty() || !desktop.OpenUrl(helpFile_)) desktop.Beep();
}

TMessageForm* BuildMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                                 const std::string& customButton) {
    auto form = std::make_unique<TMessageForm>(&Application());
    form->SetBorderStyle(bsDialog);
    form->SetAccessibleRole(window::AccessibleRole::Alert);
    form->biDiMode_ = ApplicationBiDiMode();
    form->SetKeyPreview(true);
    form->OnKeyDown = [self = form.get()](TComponent*, int& key, Shift shift) {
        self->CustomKeyDown(key, shift);
    };

    const FontContext canvas(form->Font());
    const gdi::SIZE average = AverageCharSize(canvas.Get());
    const int horzMargin = gdi::MulDiv(8, average.cx, 4), vertMargin = gdi::MulDiv(8, average.cy, 8);
    const int horzSpacing = gdi::MulDiv(10, average.cx, 4), vertSpacing = gdi::MulDiv(10, average.cy, 8);
    const int buttonHeight = gdi::MulDiv(14, average.cy, 8), buttonSpacing = gdi::MulDiv(4, average.cx, 4);
    int buttonWidth = gdi::MulDiv(50, average.cx, 4);
    int buttonCount = 0;
    for (int b = 0; b < kMsgDlgBtnCount; ++b) {
        const auto button = TMsgDlgBtn(b);
        if (!buttons.Contains(button)) continue;
        ++buttonCount;
        const int width = ButtonWidths().Width(button, [&] {
            const std::string caption = kButtons[std::size_t(b)].caption;
            gdi::RECT r{0, 0, 0, 0};
            gdi::DrawText(canvas.Get(), caption.c_str(), -1, &r, gdi::DT_CALCRECT | gdi::DT_SINGLELINE);
            return r.right;
        });
        buttonWidth = std::max(buttonWidth, width);
    }
    if (!customButton.empty()) {
        ++buttonCount;
        gdi::RECT r{0, 0, 0, 0};
        gdi::DrawText(canvas.Get(), customButton.c_str(), -1, &r, gdi::DT_CALCRECT | gdi::DT_SINGLELINE);
        buttonWidth = std::max(buttonWidth, int(r.right));
    }

    gdi::RECT textRect{0, 0, Screen().Width() / 2, 0};
    // The message is shown as written: "R&D.bmp" is a file name, not an access key.
    gdi::DrawText(canvas.Get(), msg.c_str(), int(msg.size()) + 1, &textRect,
                  gdi::DT_CALCRECT | gdi::DT_WORDBREAK | gdi::DT_EXPANDTABS | gdi::DT_NOPREFIX);
    const int icon = kTypes[std::size_t(type)].icon;
    int blockWidth = textRect.right, blockHeight = textRect.bottom;
    if (icon != 0) {
        blockWidth += kIconSize + horzSpacing;
        blockHeight = std::max(blockHeight, kIconSize);
    }
    const int groupWidth =
        buttonCount == 0 ? 0 : buttonCount * buttonWidth + (buttonCount - 1) * buttonSpacing;
    const int clientWidth = std::max(blockWidth, groupWidth) + 2 * horzMargin;
    const int clientHeight = blockHeight + buttonHeight + vertSpacing + 2 * vertMargin;
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    form->SetLeft(Screen().Width() / 2 - form->Width() / 2);
    form->SetTop(Screen().Height() / 2 - form->Height() / 2);
    const char* caption = kTypes[std::size_t(type)].caption;
    form->SetCaption(caption ? caption : Application().Title());

    if (icon != 0) {
        auto* image = new TImage(form.get());
        image->SetName("Image");
        image->SetGraphic(LoadSystemIcon(icon), "TBitmap");
        image->SetBounds(horzMargin, vertMargin, kIconSize, kIconSize);
        image->SetParent(form.get());
    }
    auto* label = new TLabel(form.get());
    label->SetName("Message");
    label->SetWordWrap(true);
    label->SetShowAccelChar(false);
    label->SetCaption(msg);
    int labelLeft = blockWidth + horzMargin - textRect.right;
    if (form->biDiMode_ == bdRightToLeft) labelLeft = clientWidth - labelLeft - textRect.right;
    label->SetBounds(labelLeft, vertMargin, textRect.right, textRect.bottom);
    label->SetParent(form.get());
    form->message_ = label;

    const TMsgDlgBtn defaultButton = buttons.Contains(mbOK)    ? mbOK
                                     : buttons.Contains(mbYes) ? mbYes
                                                               : mbRetry;
    const TMsgDlgBtn cancelButton = buttons.Contains(mbCancel) ? mbCancel
                                    : buttons.Contains(mbNo)   ? mbNo
                                                               : mbOK;
    int x = (clientWidth - groupWidth) / 2;
    for (int b = 0; b < kMsgDlgBtnCount; ++b) {
        const auto kind = TMsgDlgBtn(b);
        if (!buttons.Contains(kind)) continue;
        const ButtonInfo& info = kButtons[std::size_t(b)];
        auto* button = new TButton(form.get());
        button->SetName(info.name);
        button->SetCaption(info.caption);
        button->SetModalResult(info.result);
        button->SetDefault(kind == defaultButton);
        button->SetCancel(kind == cancelButton);
        if (kind == mbHelp) button->OnClick = [self = form.get()](TComponent*) { self->HelpButtonClick(); };
        button->SetBounds(x, blockHeight + vertMargin + vertSpacing, buttonWidth, buttonHeight);
        button->SetParent(form.get());
        x += buttonWidth + buttonSpacing;
    }
    if (!customButton.empty()) {
        auto* button = new TButton(form.get());
        button->SetName("Custom");
        button->SetCaption(customButton);
        button->SetModalResult(mrCustom);
        button->SetBounds(x, blockHeight + vertMargin + vertSpacing, buttonWidth, buttonHeight);
        button->SetParent(form.get());
    }
    return form.release();
}

int RunMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext, int x,
                     int y, const std::string& helpFile) {
    const std::unique_ptr<TMessageForm> form(BuildMessageDialog(msg, type, buttons));
    form->SetHelpContext(helpContext);
    form->SetHelpFile(helpFile);
    if (x >= 0) form->SetLeft(x);
    if (y >= 0) form->SetTop(y);
    if (x < 0 && y < 0) form->SetPosition(poScreenCenter);
    return form->ShowModal();
}

int RunMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                     const std::string& customButton) {
    const std::unique_ptr<TMessageForm> form(BuildMessageDialog(msg, type, buttons, customButton));
    form->SetPosition(poScreenCenter);
    return form->ShowModal();
}

}  // namespace plexon
