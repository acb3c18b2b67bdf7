// The chooser window of our own, for desktops without a chooser program: the folder's path, a list
// of its subfolders and (for files) its files matching the filter chosen in the type list, OK and
// Cancel. It does not
// create, rename or delete anything.
#pragma once

#include <string>
#include <vector>

#include "forms/ChooserList.h"
#include "framework/Form.h"
#include "platform/shell/Chooser.h"

namespace plexon {

class TButton;
class TComboBox;
class TLabel;

// Where the window goes: at the screen's centre; horizontally centred on the screen and at one third
// of its height (the file chooser); or centred over the active form, kept on the screen (the
// folder chooser).
enum class ChooserPlacement { ScreenCenter, ScreenThird, OverActiveForm };

struct ChooserWindowOptions {
    ChooserPlacement placement = ChooserPlacement::ScreenCenter;
    // Off: OK waits until the user chooses an entry.
    bool okStartsEnabled = true;
};

// The window's left and top for the placement, given its size.
gdi::POINT PlaceChooser(ChooserPlacement placement, int width, int height);

class TChooserForm : public TForm {
  public:
    TChooserForm(TComponent* owner, const ChooserRequest& request, const ChooserWindowOptions& options = {});

    // The folder shown, ending in "/".
    const std::string& Folder() const { return folder_; }
    // Shows the folder's entries; false (nothing changes) when it cannot be read.
    bool OpenFolder(const std::string& folder);
    TChooserList& List() { return *list_; }
    TLabel& PathLabel() { return *path_; }
    TButton& OkButton() { return *ok_; }
    // The filters' names, the request's first chosen; null for a folder chooser or without filters.
    TComboBox* TypeList() { return types_; }
    // The paths confirmed with OK.
    const std::vector<std::string>& Answer() const { return answer_; }

  private:
    struct Entry {
        std::string name;
        bool folder;
    };
    // Shows the folder the request starts in; a folder chooser shows the last folder chosen in its
    // parent, chosen in the list.
    void OpenStart();
    void OkClick();
    void ListDblClick();
    // Opens the entry when it is a folder; true when it was.
    bool Enter(const Entry& entry);

    ChooserRequest request_;
    std::string folder_;
    std::vector<Entry> entries_;
    std::vector<std::string> answer_;
    TLabel* path_ = nullptr;
    TChooserList* list_ = nullptr;
    TButton* ok_ = nullptr;
    TComboBox* types_ = nullptr;
};

// Shows the window modally; the chosen paths, or nothing on Cancel.
ChooserAnswer RunChooserWindow(const ChooserRequest& request, const ChooserWindowOptions& options = {});

}  // namespace plexon
