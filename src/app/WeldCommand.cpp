// The batch weld: settings, file list, checks, the run, and what the console shows of it.
#include "app/WeldCommand.h"

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/ProgressBar.h"
#include "app/SourceList.h"
#include "framework/Application.h"
#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "weld/CompletionText.h"
#include "weld/SettingsLocation.h"
#include "weld/SourceSelection.h"
#include "weld/StartCheck.h"
#include "weld/StripPlan.h"
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

int Weld(const BatchOptions& options, Console& console) {
    WeldRequest request;
    request.Suffixes = ReadSettings(options);
    request.FileList = ExpandSources(options.sources, request.Suffixes);
    request.OutputFolder = IncludeTrailingPathDelimiter(options.outputFolder);
    request.StateCount = options.stateCount;
    request.Slots = options.slotStates;

    if (std::optional<StartRefusal> refusal =
            CheckStart({SourceFolderOf(request.FileList), request.FileList.size(), request.OutputFolder})) {
        console.err << RefusalText(*refusal) << '\n';
        return kExitFailed;
    }
    std::vector<PlannedStrip> strips = PlanStrips(request);
    if (std::optional<SourceOverwrite> clash = FindSourceOverwrite(strips, request.FileList)) {
        console.err << Format(kOverwritesSource, {clash->outputPath, clash->sourcePath}) << '\n';
        return kExitFailed;
    }
    request.ImageSize = SlotSizeOf(request.FileList.front());
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
