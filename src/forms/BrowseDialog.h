// The folder chooser component: only file-system folders can be confirmed; the last folder chosen
// is kept from run to run and preselected. It browses neither computers nor printers.
#pragma once

#include <string>

#include "framework/Component.h"
#include "runtime/EnumSet.h"

namespace plexon {

enum class TBrowseOption {
    doBrowseForComputer,
    doBrowseForPrinter,
    doDontGoBelowDomain,
    doReturnFileSysAncestors,
    doReturnFileSysDirs,
    doStatusText,
    doShowFiles,
    doAllowEdit,
    doShowPath,
    doEnableOK  // kept for callers; our chooser enables OK whenever a folder is shown selected
};
using enum TBrowseOption;
using TBrowseOptions = TEnumSet<TBrowseOption>;

// The root the chooser starts from: the whole name space, which here is the file system's root.
enum class TBrowseFolder { bfoDesktopExpanded };
using enum TBrowseFolder;
enum class TBrowsePosition { bpDefault, bpCenter };
using enum TBrowsePosition;

class TPxBrowseDlg : public TComponent {
  public:
    explicit TPxBrowseDlg(TComponent* owner) : TComponent(owner) {}

    TBrowseOptions Options() const { return options_; }
    void SetOptions(TBrowseOptions value) { options_ = value; }
    TBrowseFolder StartFolder() const { return startFolder_; }
    TBrowsePosition Position() const { return position_; }
    void SetPosition(TBrowsePosition value) { position_ = value; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    // The desktop choosers have no status line; the text is kept for callers that set it.
    const std::string& StatusText() const { return statusText_; }
    void SetStatusText(const std::string& value) { statusText_ = value; }
    const std::string& SelectedFolder() const { return selectedFolder_; }
    void SetSelectedFolder(const std::string& value) { selectedFolder_ = value; }
    // The last folder's name as the chooser showed it.
    const std::string& DisplayName() const { return displayName_; }

    // True with the chosen folder's path in SelectedFolder; false on cancel, which keeps it.
    bool Execute();

  private:
    TBrowseOptions options_{doReturnFileSysDirs, doShowPath};
    TBrowseFolder startFolder_ = bfoDesktopExpanded;
    TBrowsePosition position_ = bpCenter;
    std::string caption_, statusText_, selectedFolder_, displayName_;
};

}  // namespace plexon
