// The chooser window of our own, for desktops without a chooser program: the folder's path, a list
// of its subfolders and (for files) its files matching the filter chosen in the type list, a path
// field (files), OK and Cancel; the folder chooser also makes new folders. It does not rename or
// delete anything.
#pragma once

#include <string>
#include <system_error>
#include <vector>

#include "forms/ChooserList.h"
#include "framework/Form.h"
#include "platform/shell/Chooser.h"

namespace plexon {

class TButton;
class TComboBox;
class TEdit;
class TLabel;

// Where the window goes: at the screen's centre; horizontally centred on the screen and at one third
// of its height (the file chooser); or centred over the active form, kept on the screen (the
// folder chooser).
enum class ChooserPlacement { ScreenCenter, ScreenThird, OverActiveForm };

struct ChooserWindowOptions {
    ChooserPlacement placement = ChooserPlacement::ScreenCenter;
};

// The window's left and top for the placement, given its size.
gdi::POINT PlaceChooser(ChooserPlacement placement, int width, int height);

class TChooserForm : public TForm {
  public:
    TChooserForm(TComponent* owner, const ChooserRequest& request, const ChooserWindowOptions& options = {});

    // The folder shown, ending in "/".
    const std::string& Folder() const { return folder_; }
    // Shows the folder's entries; the reason it cannot be read (nothing changes then).
    std::error_code OpenFolder(const std::string& folder);
    // Shows the folder above, with the one left chosen in it.
    void GoUp();
    TChooserList& List() { return *list_; }
    TLabel& PathLabel() { return *path_; }
    TButton& OkButton() { return *ok_; }
    // The file chooser's path field and the line under it that says why a typed path failed;
    // null in the folder chooser.
    TEdit* PathField() { return field_; }
    TLabel* PathError() { return fieldError_; }
    // The folder chooser's button that makes a folder; null in the file chooser.
    TButton* NewFolderButton() { return newFolder_; }
    // The filters' names, the request's first chosen; null for a folder chooser or without filters.
    TComboBox* TypeList() { return types_; }
    // The paths confirmed with OK.
    const std::vector<std::string>& Answer() const { return answer_; }

    void KeyDown(int& key, Shift shift) override;

  private:
    bool FilesWanted() const { return request_.kind == ChooserKind::Files; }
    // Shows the folder the request starts in; a folder chooser shows the last folder chosen in its
    // parent, chosen in the list.
    void OpenStart();
    void SelectName(const std::string& name);
    void OkClick();
    void ListDblClick();
    void ListKeyDown(int& key, Shift shift);
    // Opens the entry when it is a folder; true when it was.
    bool Enter(int index);
    // Goes where the path field says, or takes the file it names; false when it is empty.
    bool FollowPathField();
    void NewFolderClick();
    void UpdateOk();

    ChooserRequest request_;
    std::string folder_;
    std::vector<std::string> answer_;
    TLabel* path_ = nullptr;
    TChooserList* list_ = nullptr;
    TEdit* field_ = nullptr;
    TLabel* fieldError_ = nullptr;
    TButton* ok_ = nullptr;
    TButton* newFolder_ = nullptr;
    TComboBox* types_ = nullptr;
};

// Shows the window modally; the chosen paths, or nothing on Cancel.
ChooserAnswer RunChooserWindow(const ChooserRequest& request, const ChooserWindowOptions& options = {});

}  // namespace plexon
