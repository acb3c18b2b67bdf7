// The batch weld: settings, file list, checks, the run, and what the console shows of it.
#include "app/WeldCommand.h"

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/ProgressBar.h"
#include "app/SourceList.h"
#include "app/StripPlan.h"
#include "framework/Application.h"
#include "graphics/Bitmap.h"
#include "runtime/Exceptions.h"
#include "weld/CompletionText.h"
#include "weld/SettingsLocation.h"
#include "weld/StartCheck.h"
#include "weld/SuffixSettings.h"
#include "weld/WeldRun.h"

namespace plexon {

namespace {

constexpr std::string_view kOverwritesSource = "The strip %s would overwrite the source file %s.";
constexpr std::string_view kBaseNameReturns =
    "plexon: warning: the icon \"%s\" comes back after another icon; its strip replaces the earlier %s\n";

SuffixSettings ReadSettings(const BatchOptions& options) {
    SuffixSettings settings = LoadSuffixSettings(
        options.configFile ? *options.configFile : SettingsFilePath(CurrentSettingsEnvironment()));
    if (options.suffixHot) settings.SuffixHot = *options.suffixHot;
    if (options.suffixDisabled) settings.SuffixDisabled = *options.suffixDisabled;
    if (options.suffixPressed) settings.SuffixPressed = *options.suffixPressed;
    return settings;
}

// Folder texts end in "/", as the main window keeps them.
std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::string AsFolder(const std::string& folder) {
    return folder.ends_with('/') ? folder : folder + '/';
}

// The width of the first file, loaded whatever its state, as the main window measures it.
int32_t MeasureImageSize(const std::string& firstFile) {
    TBitmap first;
    first.LoadFile(firstFile);
    return first.Width();
}

int Weld(const BatchOptions& options, Console& console) {
    WeldRequest request;
    request.Suffixes = ReadSettings(options);
    request.FileList = ExpandSources(options.sources, request.Suffixes);
    request.OutputFolder = AsFolder(options.outputFolder);
    request.StateCount = options.stateCount;
    request.Slots = options.slotStates;

    std::string sourceFolder = request.FileList.empty() ? std::string() : FolderOf(request.FileList.front());
    if (std::optional<StartRefusal> refusal =
            CheckStart({sourceFolder, request.FileList.size(), request.OutputFolder})) {
        console.err << RefusalText(*refusal) << '\n';
        return kExitFailed;
    }
    std::vector<PlannedStrip> strips = PlanStrips(request.FileList, request.Suffixes, request.OutputFolder);
    if (std::optional<SourceOverwrite> clash = FindSourceOverwrite(strips, request.FileList)) {
        console.err << Format(kOverwritesSource, {clash->outputPath, clash->sourcePath}) << '\n';
        return kExitFailed;
    }
    request.ImageSize = MeasureImageSize(request.FileList.front());
    for (const PlannedStrip& strip : strips)
        if (strip.returns) console.err << Format(kBaseNameReturns, {strip.baseName, strip.outputPath});

    const bool quiet = options.verbosity == Verbosity::Quiet;
    WeldRun run(std::move(request));
    uint32_t elapsed = 0;
    if (!quiet && console.progress == ProgressDisplay::Bar) {
        TerminalProgressBar bar(console.err);
        elapsed = run.Execute([&bar](int position) { bar.Show(position); });
    } else {
        elapsed = run.Execute({});
    }
    if (!quiet) console.out << CompletionText(elapsed) << '\n';
    return kExitDone;
}

}  // namespace

int RunWeldCommand(const BatchOptions& options, Console& console) {
    try {
        return Weld(options, console);
    } catch (const Exception& e) {
        console.err << TApplication::ErrorDisplayText(e.Message()) << '\n';
    } catch (const std::exception& e) {
        console.err << TApplication::ErrorDisplayText(e.what()) << '\n';
    }
    return kExitFailed;
}

}  // namespace plexon
