// New Folder of the folder chooser: its name dialog and the making of the folder.
#include "forms/ChooserNewFolder.h"

#include <sys/stat.h>

#include <cerrno>
#include <memory>

#include "forms/MessageDialog.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/PlaceControl.h"
#include "framework/Screen.h"
#include "platform/shell/FileAttributes.h"

namespace plexon {

namespace {
constexpr TColor clErrorText = 0x0000C0;

template <class Control>
Control* Place(TForm* form, const char* name, int left, int top, int width, int height) {
    return PlaceControl<Control>(form, form, name, left, top, width, height);
}
}  // namespace

std::string NewFolderRefusal(const std::string& folder, const std::string& name) {
    if (name.empty()) return "Type a name for the new folder.";
    if (name.find('/') != std::string::npos) return name + ": a folder name cannot hold \"/\"";
    const std::string path = folder + name;
    if (DirectoryExists(path)) return name + ": a folder of that name exists";
    if (PathExists(path)) return name + ": a file of that name exists";
    return {};
}

TNewFolderForm::TNewFolderForm(TComponent* owner, std::string folder) : TForm(owner), folder_(std::move(folder)) {
    SetBorderStyle(bsDialog);
    SetCaption("New Folder");
    constexpr int kWidth = 300, kHeight = 118;
    SetBounds((Screen().Width() - kWidth) / 2, (Screen().Height() - kHeight) / 2, kWidth, kHeight);
    auto* label = Place<TLabel>(this, "lblName", 8, 8, 284, 13);
    name_ = Place<TEdit>(this, "edtName", 8, 26, 284, 21);
    label->SetCaption("&Name of the new folder:");
    label->SetFocusControl(name_);
    name_->SetEditText("New Folder");
    name_->OnChange = [this](TComponent*) { refusal_->SetCaption(""); };
    refusal_ = Place<TLabel>(this, "lblRefusal", 8, 52, 284, 13);
    refusal_->SetShowAccelChar(false);
    refusal_->Font().SetColor(clErrorText);
    ok_ = Place<TButton>(this, "btnOK", 136, 86, 75, 23);
    ok_->SetCaption("OK");
    ok_->SetDefault(true);
    ok_->OnClick = [this](TComponent*) { OkClick(); };
    auto* cancel = Place<TButton>(this, "btnCancel", 217, 86, 75, 23);
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    SetActiveControl(name_);
}

void TNewFolderForm::OkClick() {
    const std::string refusal = NewFolderRefusal(folder_, name_->Text());
    refusal_->SetCaption(refusal);
    if (refusal.empty()) SetModalResult(mrOk);
    else name_->SetFocus();
}

std::optional<std::string> AskNewFolderName(const std::string& folder) {
    const std::unique_ptr<TNewFolderForm> form(new TNewFolderForm(&Application(), folder));
    if (form->ShowModal() != mrOk) return std::nullopt;
    return form->NameField().Text();
}

std::error_code MakeChooserFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0) return {errno, std::generic_category()};
    return {};
}

void ShowCannotMakeFolder(const std::string& path, const std::error_code& error) {
    RunMessageDialog("Cannot create the folder " + path + ": " + error.message() + ".", mtError, {mbOK}, 0, -1,
                     -1, "");
}

}  // namespace plexon
