// The batch weld: settings, file list, checks, the run, and what the console shows of it.
#include "app/WeldCommand.h"

#include <exception>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/ProgressBar.h"
#include "app/SourceList.h"
#include "framework/Application.h"
#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "weld/CompletionText.h"
#include "weld/SettingsLocation.h"
#include "weld/SourceImage.h"
#include "weld/SourceNaming.h"
#include "weld/SourceSelection.h"
#include "weld/StartCheck.h"
#include "weld/StripPlan.h"
#include "weld/SuffixSettings.h"
#include "weld/WeldRun.h"

namespace plexon {

namespace {

constexpr std::string_view kOverwritesSource = "The strip %s would overwrite the source file %s.";
constexpr std::string_view kSizeWarning =
    "plexon: %s: warning: the image is %s, the slots are %s; it is %s to fit\n";
constexpr std::string_view kSizeRefusal = "plexon: %s: the image is %s, the slots are %s\n";
constexpr std::string_view kStrictRefusal =
    "plexon: --strict: %s not of the slot size; nothing was written\n";
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

std::string SizeText(int32_t width, int32_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

// What the slot makes of an image of another size.
std::string_view Fitting(int32_t width, int32_t height, int32_t slot) {
    const bool larger = width > slot || height > slot, smaller = width < slot || height < slot;
    return larger && smaller ? "cut and padded" : larger ? "cut" : "padded";
}

// The used-state sources that are not slot-sized squares, each reported; true when there were none.
bool CheckSizesBeforehand(const WeldRequest& request, std::ostream& err) {
    const StateFlags used = UsedStates(request.StateCount, request.Slots);
    std::size_t mismatches = 0;
    for (const std::string& file : request.FileList) {
        if (!used[std::size_t(IndexOf(StateOfStem(ExtractStem(file), request.Suffixes)))]) continue;
        const ImageExtent size = MeasureSource(file, request.Sources);
        if (size.width == request.ImageSize && size.height == request.ImageSize) continue;
        ++mismatches;
        err << Format(kSizeRefusal, {file, SizeText(size.width, size.height),
                                     SizeText(request.ImageSize, request.ImageSize)});
    }
    if (mismatches == 0) return true;
    err << Format(kStrictRefusal, {mismatches == 1 ? std::string("1 source is")
                                                   : std::to_string(mismatches) + " sources are"});
    return false;
}

int Weld(const BatchOptions& options, Console& console) {
    WeldRequest request;
    request.Suffixes = ReadSettings(options);
    request.FileList = ExpandSources(options.sources, request.Suffixes);
    request.OutputFolder = IncludeTrailingPathDelimiter(options.outputFolder);
    request.StateCount = options.stateCount;
    request.Slots = options.slotStates;
    request.Format = options.format;
    request.Sources = SourceFormats::BmpAndPng;

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
    // The width of the first file, whatever its state, as the main window measures it.
    request.ImageSize = MeasureSource(request.FileList.front(), request.Sources).width;
    if (options.sizeCheck == SizeCheck::Strict && !CheckSizesBeforehand(request, console.err))
        return kExitFailed;
    for (const PlannedStrip& strip : strips)
        if (strip.returns) console.err << Format(kBaseNameReturns, {strip.baseName, strip.outputPath});

    const bool quiet = options.verbosity == Verbosity::Quiet;
    const int32_t slot = request.ImageSize;
    WeldRun run(std::move(request));
    run.SetSizeNotice([&console, slot](const std::string& path, int32_t width, int32_t height) {
        console.err << Format(kSizeWarning, {path, SizeText(width, height), SizeText(slot, slot),
                                             Fitting(width, height, slot)});
    });
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
