// The built-in chooser window. Entries are listed folders first, each group in byte order; the
// filter's patterns match without regard to case, as names on the program's home platform do.
#include "forms/ChooserWindow.h"

#include <fnmatch.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "forms/ChooserNewFolder.h"
#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/Label.h"
#include "framework/PlaceControl.h"
#include "framework/Screen.h"
#include "platform/shell/FileAttributes.h"
#include "platform/shell/Folders.h"
#include "platform/window/Window.h"
#include "runtime/PathText.h"

namespace plexon {

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 420;
constexpr TColor clErrorText = 0x0000C0;

// The folder above, ending in "/"; the root stays itself.
std::string ParentOf(const std::string& folder) {
    if (folder == "/") return folder;
    const std::size_t slash = folder.rfind('/', folder.size() - 2);
    return folder.substr(0, slash + 1);
}

std::string StartFolder(const ChooserRequest& request) {
    if (!request.initialFolder.empty() && request.initialFolder[0] == '/' &&
        DirectoryExists(request.initialFolder))
        return IncludeTrailingPathDelimiter(request.initialFolder);
    if (const std::optional<std::string> current = WorkingFolder(); current && DirectoryExists(*current))
        return IncludeTrailingPathDelimiter(*current);
    const std::optional<std::string> home = HomeFolder();
    return home && home->starts_with('/') && DirectoryExists(*home) ? IncludeTrailingPathDelimiter(*home)
                                                                    : "/";
}

// A typed path as a full one: relative to the folder shown, "~" for the home folder.
std::string FullPath(const std::string& typed, const std::string& folder) {
    if (typed.starts_with('/')) return typed;
    if (typed == "~" || typed.starts_with("~/"))
        if (const std::optional<std::string> home = HomeFolder())
            return IncludeTrailingPathDelimiter(*home) + (typed.size() > 2 ? typed.substr(2) : "");
    return folder + typed;
}

template <class Control>
Control* Place(TForm* form, const char* name, int left, int top, int width, int height) {
    return PlaceControl<Control>(form, form, name, left, top, width, height);
}

}  // namespace

gdi::POINT PlaceChooser(ChooserPlacement placement, int width, int height) {
    const int screenWidth = Screen().Width(), screenHeight = Screen().Height();
    switch (placement) {
        case ChooserPlacement::ScreenCenter:
            break;
        case ChooserPlacement::ScreenThird:
            return {(screenWidth - width) / 2, (screenHeight - height) / 3};
        case ChooserPlacement::OverActiveForm: {
            gdi::RECT area{0, 0, screenWidth, screenHeight};
            if (const TForm* active = Screen().ActiveForm()) area = active->BoundsRect();
            int left = area.left + (area.right - area.left - width) / 2;
            int top = area.top + (area.bottom - area.top - height) / 2;
            if (left + width > screenWidth) left = area.right - width;
            if (top + height > screenHeight) top = area.bottom - height;
            return {std::max(left, 0), std::max(top, 0)};
        }
    }
    return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

TChooserForm::TChooserForm(TComponent* owner, const ChooserRequest& request,
                           const ChooserWindowOptions& options)
    : TForm(owner), request_(request) {
    const bool files = FilesWanted();
    SetBorderStyle(bsDialog);
    SetKeyPreview(true);
    SetCaption(!request.title.empty() ? request.title : files ? "Open" : "Browse for Folder");
    const int height = files ? 314 : 300;
    const gdi::POINT at = PlaceChooser(options.placement, kWidth, height);
    SetBounds(at.x, at.y, kWidth, height);
    Place<TLabel>(this, "lblLookIn", 8, 8, 50, 13)->SetCaption(files ? "Look in:" : "Folder:");
    path_ = Place<TLabel>(this, "lblPath", 60, 8, 352, 13);
    path_->SetShowAccelChar(false);
    list_ = Place<TChooserList>(this, "lstEntries", 8, 28, 404, files ? 200 : 232);
    list_->SetAccessibleName(files ? "Files" : "Folders");
    list_->SetMultiSelect(files && request.selection == Selection::Multiple);
    list_->SetWantsReturn(!files);
    list_->OnDblClick = [this](TComponent*) { ListDblClick(); };
    list_->OnKeyDown = [this](TComponent*, int& key, Shift shift) { ListKeyDown(key, shift); };
    const int buttonsTop = files ? 282 : 268;
    ok_ = Place<TButton>(this, "btnOK", 256, buttonsTop, 75, 23);
    ok_->SetCaption("OK");
    ok_->SetDefault(true);
    ok_->OnClick = [this](TComponent*) { OkClick(); };
    auto* cancel = Place<TButton>(this, "btnCancel", 337, buttonsTop, 75, 23);
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    if (files) {
        auto* name = Place<TLabel>(this, "lblName", 8, 238, 60, 13);
        field_ = Place<TEdit>(this, "edtPath", 70, 234, 342, 21);
        name->SetCaption("File &name:");
        name->SetFocusControl(field_);
        field_->OnChange = [this](TComponent*) { fieldError_->SetCaption(""); };
        fieldError_ = Place<TLabel>(this, "lblPathError", 70, 259, 342, 13);
        fieldError_->SetShowAccelChar(false);
        fieldError_->Font().SetColor(clErrorText);
        if (!request.filters.empty()) {
            types_ = Place<TComboBox>(this, "cbTypes", 8, buttonsTop + 1, 240, 21);
            for (const ChooserFilter& filter : request.filters) types_->Items().Add(filter.name);
            types_->SetItemIndex(0);
            types_->OnChange = [this](TComponent*) { OpenFolder(folder_); };
        }
    } else {
        newFolder_ = Place<TButton>(this, "btnNewFolder", 8, buttonsTop, 90, 23);
        newFolder_->SetCaption("&New Folder");
        newFolder_->OnClick = [this](TComponent*) { NewFolderClick(); };
    }
    SetActiveControl(list_);
    OpenStart();
    list_->OnChange = [this](TComponent*) { UpdateOk(); };
    UpdateOk();
}

void TChooserForm::OpenStart() {
    const std::string start = StartFolder(request_);
    if (FilesWanted() || start == "/") {
        if (OpenFolder(start)) OpenFolder("/");
        return;
    }
    // The last folder is preselected: its parent is shown with it chosen, so OK confirms it.
    if (OpenFolder(ParentOf(start))) {
        OpenFolder("/");
        return;
    }
    SelectName(ExtractFileName(start.substr(0, start.size() - 1)));
}

void TChooserForm::SelectName(const std::string& name) {
    const std::vector<TChooserItem>& items = list_->Items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].name == name && name != "..") list_->SelectOnly(int(i));
}

std::error_code TChooserForm::OpenFolder(const std::string& folder) {
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) return error;
    std::vector<TChooserItem> folders, files;
    const std::vector<std::string> none;
    const std::vector<std::string>& patterns =
        types_ ? request_.filters[std::size_t(types_->ItemIndex())].patterns : none;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) return error;
        std::string name = it->path().filename().string();
        std::error_code kindError;
        if (it->is_directory(kindError)) {
            folders.push_back({std::move(name), true});
        } else if (FilesWanted()) {
            const bool matches =
                patterns.empty() || std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
                    return ::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
                });
            if (matches) files.push_back({std::move(name), false});
        }
    }
    auto byName = [](const TChooserItem& a, const TChooserItem& b) { return a.name < b.name; };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    folder_ = IncludeTrailingPathDelimiter(folder);
    std::vector<TChooserItem> items;
    items.reserve(folders.size() + files.size() + 1);
    if (folder_ != "/") items.push_back({"..", true});
    std::move(folders.begin(), folders.end(), std::back_inserter(items));
    std::move(files.begin(), files.end(), std::back_inserter(items));
    list_->SetItems(std::move(items));
    path_->SetCaption(folder_);
    UpdateOk();
    return {};
}

void TChooserForm::GoUp() {
    if (folder_ == "/") return;
    const std::string left = ExtractFileName(folder_.substr(0, folder_.size() - 1));
    if (OpenFolder(ParentOf(folder_))) {
        window::TheDesktop().Native().Beep();
        return;
    }
    SelectName(left);
}

bool TChooserForm::Enter(int index) {
    const TChooserItem& item = list_->Items()[std::size_t(index)];
    if (!item.folder) return false;
    if (item.name == "..") {
        GoUp();
        return true;
    }
    if (OpenFolder(folder_ + item.name + "/")) window::TheDesktop().Native().Beep();
    return true;
}

void TChooserForm::UpdateOk() {
    if (FilesWanted()) return;
    // The folder chooser confirms the folder chosen in the list, or the one shown when none is.
    const std::vector<int> chosen = list_->SelectedIndexes();
    ok_->SetEnabled(chosen.empty() || list_->Items()[std::size_t(chosen[0])].name != "..");
}

void TChooserForm::KeyDown(int& key, Shift shift) {
    TForm::KeyDown(key, shift);
    if (key == window::vk::kUp && shift == Shift::Alt) {
        GoUp();
        key = 0;
    }
}

void TChooserForm::ListKeyDown(int& key, Shift shift) {
    namespace vk = window::vk;
    if (shift != Shift::None) return;
    const std::vector<int> chosen = list_->SelectedIndexes();
    if (key == vk::kBack || (!FilesWanted() && key == vk::kLeft)) {
        GoUp();
    } else if (!FilesWanted() && (key == vk::kRight || key == vk::kReturn)) {
        // Return with nothing chosen confirms the folder shown, so the keyboard alone can pick it.
        if (!chosen.empty()) Enter(chosen[0]);
        else if (key == vk::kReturn) OkClick();
        else return;
    } else {
        return;
    }
    key = 0;
}

void TChooserForm::ListDblClick() {
    const int index = list_->ItemIndex();
    if (index < 0) return;
    if (!Enter(index)) OkClick();
}

bool TChooserForm::FollowPathField() {
    if (!field_ || field_->Text().empty()) return false;
    const std::string path = FullPath(field_->Text(), folder_);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!error && !fs::exists(status)) error = std::make_error_code(std::errc::no_such_file_or_directory);
    if (!error && fs::is_directory(status)) error = OpenFolder(path);
    if (error) {
        fieldError_->SetCaption(field_->Text() + ": " + error.message());
        return true;
    }
    fieldError_->SetCaption("");
    if (fs::is_directory(status)) {
        field_->SetEditText("");
        list_->SetFocus();
        return true;
    }
    answer_ = {path};
    SetModalResult(mrOk);
    return true;
}

void TChooserForm::OkClick() {
    if (FollowPathField()) return;
    const std::vector<int> chosen = list_->SelectedIndexes();
    const std::vector<TChooserItem>& items = list_->Items();
    if (!FilesWanted()) {
        if (chosen.size() == 1 && items[std::size_t(chosen[0])].name != "..") {
            answer_ = {folder_ + items[std::size_t(chosen[0])].name};
        } else {
            answer_ = {folder_ == "/" ? folder_ : folder_.substr(0, folder_.size() - 1)};
        }
        SetModalResult(mrOk);
        return;
    }
    // One folder chosen: OK opens it, as Enter does in the desktop's choosers.
    if (chosen.size() == 1 && Enter(chosen[0])) return;
    answer_.clear();
    for (int index : chosen)
        if (!items[std::size_t(index)].folder) answer_.push_back(folder_ + items[std::size_t(index)].name);
    if (answer_.empty()) {
        window::TheDesktop().Native().Beep();
        return;
    }
    SetModalResult(mrOk);
}

void TChooserForm::NewFolderClick() {
    const std::optional<std::string> name = AskNewFolderName(folder_);
    if (!name) return;
    if (const std::error_code error = MakeChooserFolder(folder_ + *name)) {
        ShowCannotMakeFolder(folder_ + *name, error);
        return;
    }
    OpenFolder(folder_);
    SelectName(*name);
    list_->SetFocus();
}

ChooserAnswer RunChooserWindow(const ChooserRequest& request, const ChooserWindowOptions& options) {
    const std::unique_ptr<TChooserForm> form(new TChooserForm(&Application(), request, options));
    if (form->ShowModal() != mrOk) return std::nullopt;
    return form->Answer();
}

}  // namespace plexon
