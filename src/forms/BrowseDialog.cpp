// The folder chooser run.
#include "forms/BrowseDialog.h"

#include "forms/ChooserRun.h"
#include "platform/shell/FileAttributes.h"
#include "runtime/PathText.h"

namespace plexon {

bool TPxBrowseDlg::Execute() {
    const ChooserRequest request{.kind = ChooserKind::Folder,
                                 .selection = Selection::Single,
                                 .title = caption_,
                                 .initialFolder = selectedFolder_};
    const ChooserAnswer answer =
        RunChooser(request, {.placement = position_ == bpCenter ? ChooserPlacement::OverActiveForm
                                                                : ChooserPlacement::ScreenCenter});
    // Only file-system folders can be confirmed: anything else counts as no folder returned.
    if (!answer || !DirectoryExists(answer->front())) return false;
    selectedFolder_ = answer->front();
    const std::string trimmed = selectedFolder_.size() > 1 && selectedFolder_.back() == '/'
                                    ? selectedFolder_.substr(0, selectedFolder_.size() - 1)
                                    : selectedFolder_;
    displayName_ = trimmed == "/" ? trimmed : ExtractFileName(trimmed);
    return true;
}

}  // namespace plexon
