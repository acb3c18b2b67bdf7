// Choosing the chooser back end and keeping the application modal around a chooser program.
#include "forms/ChooserRun.h"

#include "framework/Application.h"
#include "framework/ModalScope.h"

namespace plexon {

ChooserAnswer RunChooser(ChooserRequest request, const ChooserWindowOptions& window) {
    if (const auto script = ChooserScriptPath()) return NextScriptedAnswer(*script, request);
    const auto program = FindDesktopChooser();
    if (!program) return RunChooserWindow(request, window);
    const TModalScope modal;
    request.keepWaiting = [] {
        Application().ProcessMessages();
        return !Application().Terminated();
    };
    return RunDesktopChooser(*program, request);
}

}  // namespace plexon
