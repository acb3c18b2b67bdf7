// The application's message box: a modal dialog sized to its text, with an icon and one OK button
// (default and cancel at once). The application's error display uses it.
#pragma once

#include <string>

#include "framework/Form.h"

namespace plexon {

enum class TMessageBoxIcon { None, Stop };

struct MessageBoxOptions {
    std::string text;
    std::string caption;
    TMessageBoxIcon icon = TMessageBoxIcon::None;
};

// Shows the box modally (the other windows are disabled meanwhile) and returns mrOk.
TModalResult RunMessageBox(const MessageBoxOptions& options);

}  // namespace plexon
