// The built-in chooser window. Entries are listed folders first, each group in byte order; the
// filter's patterns match without regard to case, as names on the program's home platform do.
#include "forms/ChooserWindow.h"

#include <fnmatch.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/ComboBox.h"
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
    const bool files = request.kind == ChooserKind::Files;
    SetBorderStyle(bsDialog);
    SetCaption(!request.title.empty() ? request.title : files ? "Open" : "Browse for Folder");
    constexpr int kWidth = 420, kHeight = 300;
    const gdi::POINT at = PlaceChooser(options.placement, kWidth, kHeight);
    SetBounds(at.x, at.y, kWidth, kHeight);
    Place<TLabel>(this, "lblLookIn", 8, 8, 50, 13)->SetCaption(files ? "Look in:" : "Folder:");
    path_ = Place<TLabel>(this, "lblPath", 60, 8, 352, 13);
    path_->SetShowAccelChar(false);
    list_ = Place<TChooserList>(this, "lstEntries", 8, 28, 404, 232);
    list_->SetMultiSelect(files && request.selection == Selection::Multiple);
    list_->OnDblClick = [this](TComponent*) { ListDblClick(); };
    ok_ = Place<TButton>(this, "btnOK", 256, 268, 75, 23);
    ok_->SetCaption("OK");
    ok_->SetDefault(true);
    ok_->OnClick = [this](TComponent*) { OkClick(); };
    ok_->SetEnabled(options.okStartsEnabled);
    auto* cancel = Place<TButton>(this, "btnCancel", 337, 268, 75, 23);
    cancel->SetCaption("Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    if (files && !request.filters.empty()) {
        types_ = Place<TComboBox>(this, "cbTypes", 8, 269, 240, 21);
        for (const ChooserFilter& filter : request.filters) types_->Items().Add(filter.name);
        types_->SetItemIndex(0);
        types_->OnChange = [this](TComponent*) { OpenFolder(folder_); };
    }
    SetActiveControl(list_);
    OpenStart();
    list_->OnChange = [this](TComponent*) { ok_->SetEnabled(true); };
}

void TChooserForm::OpenStart() {
    const std::string start = StartFolder(request_);
    if (request_.kind == ChooserKind::Files || start == "/") {
        if (!OpenFolder(start)) OpenFolder("/");
        return;
    }
    // The last folder is preselected: its parent is shown with it chosen, so OK confirms it.
    const std::string last = start.substr(0, start.size() - 1);
    if (!OpenFolder(ParentOf(start))) {
        OpenFolder("/");
        return;
    }
    const std::string name = ExtractFileName(last);
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].folder && entries_[i].name == name) list_->SelectOnly(int(i));
}

bool TChooserForm::OpenFolder(const std::string& folder) {
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) return false;
    std::vector<Entry> folders, files;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) return false;
        const std::string name = it->path().filename().string();
        std::error_code kindError;
        if (it->is_directory(kindError)) {
            folders.push_back({name, true});
        } else if (request_.kind == ChooserKind::Files) {
            const std::vector<std::string> none;
            const std::vector<std::string>& patterns =
                types_ ? request_.filters[std::size_t(types_->ItemIndex())].patterns : none;
            const bool matches =
                std::any_of(patterns.begin(), patterns.end(), [&](const std::string& pattern) {
                    return ::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
                });
            if (matches || patterns.empty()) files.push_back({name, false});
        }
    }
    auto byName = [](const Entry& a, const Entry& b) { return a.name < b.name; };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    entries_.clear();
    folder_ = IncludeTrailingPathDelimiter(folder);
    if (folder_ != "/") entries_.push_back({"..", true});
    entries_.insert(entries_.end(), folders.begin(), folders.end());
    entries_.insert(entries_.end(), files.begin(), files.end());
    std::vector<std::string> lines;
    for (const Entry& entry : entries_) lines.push_back(entry.folder ? "[" + entry.name + "]" : entry.name);
    list_->SetItems(std::move(lines));
    path_->SetCaption(folder_);
    return true;
}

bool TChooserForm::Enter(const Entry& entry) {
    if (!entry.folder) return false;
    const std::string target = entry.name == ".." ? ParentOf(folder_) : folder_ + entry.name + "/";
    if (!OpenFolder(target)) window::TheDesktop().Native().Beep();
    return true;
}

void TChooserForm::ListDblClick() {
    const int index = list_->ItemIndex();
    if (index < 0) return;
    if (!Enter(entries_[std::size_t(index)])) OkClick();
}

void TChooserForm::OkClick() {
    const std::vector<int> chosen = list_->SelectedIndexes();
    if (request_.kind == ChooserKind::Folder) {
        if (chosen.size() == 1 && entries_[std::size_t(chosen[0])].name != "..") {
            answer_ = {folder_ + entries_[std::size_t(chosen[0])].name};
        } else {
            answer_ = {folder_ == "/" ? folder_ : folder_.substr(0, folder_.size() - 1)};
        }
        SetModalResult(mrOk);
        return;
    }
    // One folder chosen: OK opens it, as Enter does in the desktop's choosers.
    if (chosen.size() == 1 && Enter(entries_[std::size_t(chosen[0])])) return;
    answer_.clear();
    for (int index : chosen)
        if (!entries_[std::size_t(index)].folder)
            answer_.push_back(folder_ + entries_[std::size_t(index)].name);
    if (answer_.empty()) {
        window::TheDesktop().Native().Beep();
        return;
    }
    SetModalResult(mrOk);
}

ChooserAnswer RunChooserWindow(const ChooserRequest& request, const ChooserWindowOptions& options) {
    const std::unique_ptr<TChooserForm> form(new TChooserForm(&Application(), request, options));
    if (form->ShowModal() != mrOk) return std::nullopt;
    return form->Answer();
}

}  // namespace plexon
