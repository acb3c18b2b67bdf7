// Running a file or folder chooser modally over the application's windows, through the first
// back end that serves: the scripted chooser (PLEXON_CHOOSER_SCRIPT), the desktop's chooser
// program, or our own chooser window.
#pragma once

#include "forms/ChooserWindow.h"
#include "platform/shell/Chooser.h"

namespace plexon {

// The other windows take no input meanwhile and the active window and its focus come back after.
// While a chooser program runs our windows keep painting; closing the main window cancels it.
ChooserAnswer RunChooser(ChooserRequest request, const ChooserWindowOptions& window);

}  // namespace plexon
