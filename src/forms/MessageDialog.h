// The message dialog: a small modal form built around its text, with a system icon, a row of
// buttons and Ctrl+C copying its whole text. It does not wrap the platform's own message box.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "framework/Form.h"
#include "runtime/EnumSet.h"

namespace plexon {

class TButton;
class TImage;
class TLabel;

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
using enum TMsgDlgType;

enum class TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
using enum TMsgDlgBtn;
inline constexpr int kMsgDlgBtnCount = 11;

// A set of buttons: bit n for the button of value n, so {mbOK} is 4.
using TMsgDlgButtons = TEnumSet<TMsgDlgBtn>;

// The reading order message dialogs take from the application. The framework has none of its own,
// so the application's choice is kept here.
enum class TBiDiMode { bdLeftToRight, bdRightToLeft };
using enum TBiDiMode;
TBiDiMode ApplicationBiDiMode();
void SetApplicationBiDiMode(TBiDiMode mode);

// The widths of the button captions plus 8, measured the first time a dialog holds a button of the
// kind and kept for the life of the process (0: not measured yet).
class TButtonWidthCache {
  public:
    int Cached(TMsgDlgBtn button) const { return widths_[std::size_t(button)]; }
    // The cached width, measuring it with `measure` (the caption's width) first when there is none.
    int Width(TMsgDlgBtn button, const std::function<int()>& measure);

  private:
    std::array<int, kMsgDlgBtnCount> widths_{};
};
TButtonWidthCache& ButtonWidths();

// The dialog form. Ctrl+C (no Shift, no Alt) beeps and copies caption, message and button
// captions to the clipboard; Exception "Cannot open clipboard" when the clipboard refuses.
class TMessageForm : public TForm {
  public:
    explicit TMessageForm(TComponent* owner);

    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int value) { helpContext_ = value; }
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(const std::string& value) { helpFile_ = value; }
    TBiDiMode BiDiMode() const { return biDiMode_; }

    // The text Ctrl+C puts on the clipboard.
    std::string ClipboardText() const;

  private:
    friend TMessageForm* BuildMessageDialog(const std::string&, TMsgDlgType, TMsgDlgButtons, const std::string&);
    void CustomKeyDown(int& key, Shift shift);
    void HelpButtonClick();

    int helpContext_ = 0;
    std::string helpFile_;
    TBiDiMode biDiMode_ = bdLeftToRight;
    TLabel* message_ = nullptr;
};

// The modal result of a button of the program's own (`customButton` below).
inline constexpr TModalResult mrCustom = 100;

// Builds the dialog (not shown) for the message, type and buttons; the caller owns it. A
// `customButton` caption adds a button of the program's own after the others, closing with mrCustom.
TMessageForm* BuildMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                                 const std::string& customButton = {});

// Builds the dialog, places it at (x, y) where they are not negative (centred on the screen when
// both are), shows it modally, frees it and returns the modal result of the button that closed it.
int RunMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext, int x,
                     int y, const std::string& helpFile);
// Centred, with a button of the program's own after the others (mrCustom when it closes the dialog).
int RunMessageDialog(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons,
                     const std::string& customButton);

}  // namespace plexon
