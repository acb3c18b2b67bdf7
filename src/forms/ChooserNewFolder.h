// The folder chooser's New Folder: the dialog that asks for the name (and refuses one it cannot
// take before anything is made), making the folder, and the message when the system refuses.
#pragma once

#include <optional>
#include <string>
#include <system_error>

#include "framework/Form.h"

namespace plexon {

class TButton;
class TEdit;
class TLabel;

// Why `name` cannot be made in `folder` (ending in "/"): empty, holding "/", or taken; empty when
// it can be tried.
std::string NewFolderRefusal(const std::string& folder, const std::string& name);

class TNewFolderForm : public TForm {
  public:
    TNewFolderForm(TComponent* owner, std::string folder);

    TEdit& NameField() { return *name_; }
    // Why the name typed was refused; empty while none was.
    TLabel& Refusal() { return *refusal_; }
    TButton& OkButton() { return *ok_; }

  private:
    void OkClick();

    std::string folder_;
    TEdit* name_ = nullptr;
    TLabel* refusal_ = nullptr;
    TButton* ok_ = nullptr;
};

// Shows the dialog modally over the chooser; the name taken, or nothing on Cancel.
std::optional<std::string> AskNewFolderName(const std::string& folder);
// Makes the folder; the system's reason when it cannot.
std::error_code MakeChooserFolder(const std::string& path);
// "Cannot create the folder PATH: REASON." in an error message.
void ShowCannotMakeFolder(const std::string& path, const std::error_code& error);

}  // namespace plexon
