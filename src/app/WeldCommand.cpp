// The batch weld: settings, file list, checks, the run, and what the console shows of it.
#include "app/WeldCommand.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/OptionValues.h"
#include "app/ProgressBar.h"
#include "app/WatchSession.h"
#include "platform/shell/FileAttributes.h"
#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "runtime/ReplacingFile.h"
#include "weld/CompletionText.h"
#include "weld/Manifest.h"
#include "weld/OutputFolder.h"
#include "weld/RunReport.h"
#include "weld/Settings.h"
#include "weld/SettingsLocation.h"
#include "weld/SourceImage.h"
#include "weld/SourceList.h"
#include "weld/SourceNaming.h"
#include "weld/SourceSelection.h"
#include "weld/StartCheck.h"
#include "weld/StripPlan.h"
#include "weld/SuffixLetters.h"
#include "weld/SuffixSettings.h"
#include "weld/WeldRun.h"

namespace plexon {

namespace {

constexpr std::string_view kSizeWarning =
    "plexon: %s: warning: the image is %s, the slots are %s; it is %s to fit\n";
constexpr std::string_view kSizeRefusal = "plexon: %s: the image is %s, the slots are %s\n";
constexpr std::string_view kStrictRefusal =
    "plexon: --strict: %s not of the slot size; nothing was written\n";
constexpr std::string_view kExistingStrip =
    "plexon: %s: the strip exists already%s; with --no-clobber nothing was written\n";
constexpr std::string_view kScaledUp = "plexon: %s: warning: the image is %s; it was scaled up to %s\n";
constexpr std::string_view kShortSource =
    "plexon: %s: warning: the file is shorter than its header says; its missing pixels are black\n";

// The file or folder the command is working on, named by its error messages.
struct Context {
    std::string path;
};

constexpr std::string_view kUnknownFormat = "plexon: %s: warning: unknown StripFormat \"%s\"; using bmp\n";

// The letters, and the strip format unless --format gave one: of the main window's choices the batch
// takes only the format.
SuffixSettings ReadSettings(BatchOptions& options, Context& context, std::ostream& err) {
    context.path = options.configFile ? *options.configFile : SettingsFilePath(CurrentSettingsEnvironment());
    const SettingsRead read = LoadSettings(context.path);
    if (!options.format) {
        options.format = read.choices.format;
        if (!read.unknownFormat.empty()) err << Format(kUnknownFormat, {context.path, read.unknownFormat});
    }
    if (!options.derive) options.derive = read.choices.deriveMissing;
    SuffixSettings letters =
        WithGivenLetters(read.suffixes, options.suffixHot, options.suffixDisabled, options.suffixPressed);
    // Letters from the file are used as read, but never silently: a letter given here is the user's own.
    const auto given = [&options](ImageState state) {
        return state == ImageState::Hot ? options.suffixHot.has_value()
               : state == ImageState::Disabled ? options.suffixDisabled.has_value()
                                               : options.suffixPressed.has_value();
    };
    for (const SuffixNote& note : SuffixLetterNotes(letters))
        if (!given(note.state)) err << "plexon: warning: " << context.path << ": " << note.text << '\n';
    return letters;
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
bool CheckSizesBeforehand(const WeldRequest& request, std::ostream& err, Context& context) {
    const StateFlags used = UsedStates(request.StateCount, request.Slots);
    std::size_t mismatches = 0;
    for (const std::string& file : request.FileList) {
        if (!used[std::size_t(IndexOf(StateOfStem(ExtractStem(file), request.Suffixes)))]) continue;
        // An SVG is drawn into the slot whatever its own size.
        if (ReadsAsSvg(file, request.Sources)) continue;
        context.path = file;
        const ImageExtent size = MeasureSource(file, request.Sources);
        if (size.width == request.ImageSize && size.height == request.ImageSize) continue;
        ++mismatches;
        err << Format(kSizeRefusal, {file, SizeText(size.width, size.height),
                                     SizeText(request.ImageSize, request.ImageSize)});
    }
    context.path.clear();
    if (mismatches == 0) return true;
    err << Format(kStrictRefusal, {mismatches == 1 ? std::string("1 source is")
                                                   : std::to_string(mismatches) + " sources are"});
    return false;
}

// A folder is expanded on its own, so that one that cannot be listed is the one named; which sources
// are folders is found for all at once.
std::vector<std::string> ExpandEach(std::vector<std::string> sources, const SuffixSettings& settings,
                                    Context& context) {
    constexpr SourceFormats kFormats = SourceFormats::All;
    const std::vector<PathFacts> facts = LookUpPaths(sources);
    std::vector<std::string> files;
    files.reserve(sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
        if (!facts[i].exists)
            throw EFOpenError(Format(msg::kFOpen, {sources[i]}), sources[i], std::strerror(ENOENT));
        if (!facts[i].folder) {
            files.push_back(std::move(sources[i]));
            continue;
        }
        context.path = sources[i];
        std::vector<std::string> listed = ExpandSources(std::span(sources).subspan(i, 1), settings, kFormats);
        files.insert(files.end(), std::make_move_iterator(listed.begin()),
                     std::make_move_iterator(listed.end()));
    }
    return files;
}

// The manifest is written last: what would stop it in its folder, or in JSON, is found before the
// first strip. Whether it would replace a file of the run is the target check's (CheckRequest).
bool CheckManifest(const std::string& manifest, const std::vector<PlannedStrip>& written,
                   const WeldRequest& request, std::ostream& err) {
    const std::string folder = ExtractFilePath(manifest).empty() ? "./" : ExtractFilePath(manifest);
    // The output folder and its size folders are made before the first strip, so the manifest may go
    // into them; another missing folder is not made.
    const auto madeByRun = [&] {
        const auto normal = [](const std::string& path) {
            return std::filesystem::absolute(IncludeTrailingPathDelimiter(path)).lexically_normal();
        };
        if (normal(folder) == normal(request.OutputFolder)) return true;
        for (const int32_t size : request.Sizes)
            if (normal(folder) == normal(request.OutputFolder + SizeFolderName(size))) return true;
        return false;
    };
    std::string reason;
    std::optional<std::string> bad;
    if (!DirectoryExists(folder)) {
        if (!madeByRun()) reason = "cannot create: its folder does not exist";
    } else if (!IsWritableFolder(folder)) {
        reason = FileReason("cannot create", EACCES);
    } else if ((bad = FindNonUtf8Path(manifest, ManifestStrips(written, request), request))) {
        reason = msg::kNotUtf8;
    }
    if (reason.empty()) return true;
    err << "plexon: " << (bad ? *bad : manifest) << ": " << reason << "; nothing was written\n";
    return false;
}

// Takes the folder's lock, or says another weld holds it; the folder exists.
bool LockFolder(std::vector<FolderLock>& locks, const std::string& folder, Console& console) {
    std::optional<FolderLock> lock = TakeOutputFolder(IncludeTrailingPathDelimiter(folder));
    if (!lock) {
        console.err << "plexon: " << folder << ": " << msg::kFolderBusyReason << '\n';
        return false;
    }
    locks.push_back(std::move(*lock));
    return true;
}

// The folders the strips go into: the output folder, and with sizes each size folder in it.
std::vector<std::string> StripFolders(const WeldRequest& request, const std::string& given) {
    std::vector<std::string> folders{given};
    for (const int32_t size : request.Sizes) folders.push_back(request.OutputFolder + SizeFolderName(size));
    return folders;
}

int Weld(BatchOptions options, Console& console, Context& context) {
    SetSvgTimeLimit(options.svgTimeLimit);
    WeldRequest request;
    request.Suffixes = ReadSettings(options, context, console.err);
    const std::vector<std::string> given = options.watch ? options.sources : std::vector<std::string>();
    request.FileList = ExpandEach(std::move(options.sources), request.Suffixes, context);
    request.OutputFolder = IncludeTrailingPathDelimiter(options.outputFolder);
    request.StateCount = options.stateCount;
    request.Slots = options.slotStates;
    request.Format = *options.format;
    request.Sources = SourceFormats::All;
    request.Sizes = std::move(options.sizes);
    request.DeriveMissing = *options.derive;
    context.path.clear();

    // A missing output folder is made, with its parents, once every other check has passed.
    const bool makeOutput = !PathExists(options.outputFolder);
    if (!makeOutput && !DirectoryExists(options.outputFolder)) {
        console.err << "plexon: " << options.outputFolder << ": not a folder\n";
        return kExitFailed;
    }
    const std::string sourceFolder = SourceFolderOf(request.FileList);
    std::optional<StartRefusal> refusal =
        CheckStart({sourceFolder, request.FileList.size(), request.OutputFolder});
    if (makeOutput && refusal == StartRefusal::NoOutputFolder) refusal.reset();
    if (refusal) {
        // The refusal names the folder it is about.
        const std::string& about = *refusal == StartRefusal::NoImages ? sourceFolder : options.outputFolder;
        console.err << ErrorLine(about, RefusalText(*refusal));
        return kExitFailed;
    }
    // From the plan to the last strip no other weld writes into the folders of its strips (a folder
    // still to be made is taken once it is): not the output folder, nor a size folder of it.
    const std::vector<std::string> stripFolders = StripFolders(request, options.outputFolder);
    std::vector<FolderLock> locks;
    for (const std::string& folder : stripFolders) {
        context.path = folder;
        if (DirectoryExists(folder)) {
            if (!LockFolder(locks, folder, console)) return kExitFailed;
        } else if (PathExists(folder)) {
            console.err << "plexon: " << folder << ": not a folder\n";
            return kExitFailed;
        }
    }
    // The width of the first file, whatever its state, as the main window measures it; with sizes the
    // largest size, for the memory checks.
    context.path = request.FileList.front();
    request.ImageSize = request.Sizes.empty() ? SlotSizeOf(request.FileList.front(), request.Sources)
                                              : *std::max_element(request.Sizes.begin(), request.Sizes.end());
    context.path.clear();
    // The same checks as the main window's, before anything is written; with sizes on the strips of
    // every size.
    std::vector<PlannedStrip> strips = PlanStrips(request);
    // Without sizes the plan itself is written; no copy of it is made.
    const std::vector<PlannedStrip> sized =
        request.Sizes.empty() ? std::vector<PlannedStrip>() : PlanAtSizes(strips, request);
    const std::vector<PlannedStrip>& written = request.Sizes.empty() ? strips : sized;
    if (std::optional<RequestRefusal> refusal = CheckRequest(request, written, options.manifest)) {
        if (refusal->reason.empty())
            console.err << ErrorLine(refusal->path, refusal->text);
        else
            console.err << "plexon: " << refusal->path << ": " << refusal->reason << "; nothing was written\n";
        return kExitFailed;
    }
    if (options.existingStrips == ExistingStrips::Refuse) {
        if (const std::vector<const PlannedStrip*> existing = FindExistingStrips(written);
            !existing.empty()) {
            const std::string more =
                existing.size() > 1 ? " (and " + std::to_string(existing.size() - 1) + " more)" : "";
            console.err << Format(kExistingStrip, {existing.front()->outputPath, more});
            return kExitFailed;
        }
    }
    if (options.sizeCheck == SizeCheck::Strict && !CheckSizesBeforehand(request, console.err, context))
        return kExitFailed;
    if (options.manifest && !CheckManifest(*options.manifest, written, request, console.err))
        return kExitFailed;
    // The folders still missing are made and taken, the output folder first.
    for (const std::string& folder : stripFolders) {
        if (DirectoryExists(folder)) continue;
        context.path = folder;
        MakeOutputFolder(IncludeTrailingPathDelimiter(folder));
        if (!LockFolder(locks, folder, console)) return kExitFailed;
    }
    for (const std::string& warning : PlanWarnings(request, strips))
        console.err << "plexon: warning: " << warning << '\n';

    const bool quiet = options.verbosity == Verbosity::Quiet;
    const int32_t slot = request.ImageSize;
    WeldRun run(std::move(request), std::move(strips));
    run.SetSizeNotice([&console, slot](const std::string& path, int32_t width, int32_t height) {
        console.err << Format(kSizeWarning, {path, SizeText(width, height), SizeText(slot, slot),
                                             Fitting(width, height, slot)});
    });
    run.SetScaleNotice([&console](const std::string& path, int32_t width, int32_t height, int32_t size) {
        console.err << Format(kScaledUp, {path, SizeText(width, height), SizeText(size, size)});
    });
    run.SetShortNotice([&console](const std::string& path) { console.err << Format(kShortSource, {path}); });
    std::vector<std::string> skipped, skippedIcons;
    // A watch session goes on past what cannot be read, from its first weld on.
    if (options.keepGoing || options.watch)
        run.SetSkipNotice([&](const PlannedStrip& strip, const std::string& path, const Exception& error) {
            skippedIcons.push_back(strip.baseName);
            skipped.push_back(
                strip.baseName + ": " + ExtractFileName(path) + ": " +
                (error.FilePath().empty() ? ErrorDisplayText(error.Message()) : error.FileReason()));
        });
    uint32_t elapsed = 0;
    try {
        if (!quiet && console.progress == ProgressDisplay::Bar) {
            TerminalProgressBar bar(console.err);
            elapsed = run.Execute([&bar](int position) { bar.Show(position); });
        } else {
            elapsed = run.Execute({});
        }
    } catch (...) {
        context.path = run.CurrentPath();
        throw;
    }
    if (options.manifest) {
        context.path = *options.manifest;
        WriteManifest(*options.manifest, ManifestStrips(run.WrittenStrips(), run.Request(), skippedIcons),
                      run.Request());
    }
    if (options.watch) {
        for (const std::string& line : skipped) console.err << "plexon: skipped " << line << '\n';
        if (!quiet) console.out << CompletionText(elapsed) << std::endl;
        return WatchSources({given, run.Request(), options.manifest, skippedIcons, quiet}, console);
    }
    if (!skipped.empty()) {
        std::string list;
        for (const std::string& item : skipped) list += (list.empty() ? "" : "; ") + item;
        console.err << "plexon: " << skipped.size() << (skipped.size() == 1 ? " icon" : " icons")
                    << " skipped (" << list
                    << (skipped.size() == 1 ? "); its earlier strip, if any, was left as it was\n"
                                            : "); their earlier strips, if any, were left as they were\n");
        return kExitFailed;
    }
    if (!quiet) console.out << CompletionText(elapsed) << '\n';
    return kExitDone;
}

}  // namespace

int RunWeldCommand(BatchOptions options, Console& console) {
    Context context;
    try {
        return Weld(std::move(options), console, context);
    } catch (...) {
        return ReportCurrentError(console, context.path);
    }
}

}  // namespace plexon
