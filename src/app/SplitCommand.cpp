// The batch split: every strip is read and checked before any file is written, then each is read
// again and its slots written into the locked output folder.
#include "app/SplitCommand.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/OptionValues.h"
#include "platform/shell/FileAttributes.h"
#include "runtime/Exceptions.h"
#include "runtime/PathText.h"
#include "weld/OutputFolder.h"
#include "weld/Settings.h"
#include "weld/SettingsLocation.h"
#include "weld/SourceNaming.h"
#include "weld/StripCut.h"
#include "weld/SuffixLetters.h"
#include "weld/WriteTargets.h"

namespace plexon {

namespace {

// A strip that passed the checks: its slot count and the stem its files share.
struct PlannedSplit {
    std::string strip;
    int slots = 0;
    std::string baseName;
    StripFormat format = StripFormat::Bmp;
    std::vector<std::string> files;  // of each slot, in the output folder
};

std::string Plural(std::size_t count, std::string_view one) {
    return std::to_string(count) + " " + std::string(one) + (count == 1 ? "" : "s");
}

// The number of slots the strip is cut into, or the reason it cannot be.
int SlotsOf(const StripCut& cut, const SplitOptions& options, std::string& refusal) {
    const std::int32_t width = cut.Width(), height = cut.Height();
    const int slots = options.stateCount ? *options.stateCount : height > 0 ? int(width / height) : 0;
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (height <= 0 || !IsValidStateCount(slots) || std::int64_t(slots) * height != width) {
        refusal = Format("the strip is %s, not %s squares of its height",
                         {size, options.stateCount ? std::to_string(*options.stateCount) : "2, 3 or 4"});
    } else if (options.orderCount < std::size_t(slots)) {
        refusal = Format("the strip is %s, %s; --order names %s",
                         {size, Plural(std::size_t(slots), "slot"), Plural(options.orderCount, "state")});
    }
    return slots;
}

// The file of each slot of the strip, in the output folder (ending in "/").
std::vector<std::string> SlotFiles(const PlannedSplit& split, const SplitOptions& options,
                                   const SuffixSettings& letters, const std::string& output) {
    std::vector<std::string> files;
    for (int slot = 0; slot < split.slots; ++slot)
        files.push_back(output + StemOfState(split.baseName, options.slotStates[std::size_t(slot)], letters) +
                        std::string(StripExtension(split.format)));
    return files;
}

// Reads the strips, refusing the first that cannot be split as asked or whose files would land in
// its own folder; then the files of all of them go through the one target check: each a regular file
// or nothing, never a strip being split (through links too), never a file of another strip. None
// when something is refused.
std::optional<std::vector<PlannedSplit>> PlanSplits(const SplitOptions& options,
                                                    const SuffixSettings& letters, Console& console,
                                                    std::string& context) {
    const std::string output = IncludeTrailingPathDelimiter(options.outputFolder);
    const std::optional<FileIdentity> outputIdentity = IdentityOf(output);
    std::vector<PlannedSplit> plan;
    plan.reserve(options.strips.size());
    std::vector<std::string> targets;
    std::vector<std::size_t> ownerOf;  // the plan index of each target's strip
    for (const std::string& strip : options.strips) {
        context = strip;
        const StripCut cut(strip);
        std::string refusal;
        const int slots = SlotsOf(cut, options, refusal);
        const std::string stem = ExtractStem(strip);
        const std::string folder = ExtractFilePath(strip);
        if (refusal.empty() && StateOfStem(stem, letters) != ImageState::Normal)
            refusal = "the name ends in a state suffix, so its Normal file would weld as another state";
        if (!refusal.empty()) {
            console.err << ErrorLine(strip, refusal);
            return std::nullopt;
        }
        if (outputIdentity && IdentityOf(folder.empty() ? "./" : folder) == outputIdentity) {
            console.err << ErrorLine(options.outputFolder,
                                     "the strip " + strip + " is in this folder; its files would replace it");
            return std::nullopt;
        }
        plan.push_back({strip, slots, stem, cut.Format(), {}});
        plan.back().files = SlotFiles(plan.back(), options, letters, output);
        targets.insert(targets.end(), plan.back().files.begin(), plan.back().files.end());
        ownerOf.resize(targets.size(), plan.size() - 1);
    }
    context.clear();
    const std::vector<TargetClash> clashes = FindTargetClashes(targets, options.strips);
    if (clashes.empty()) return plan;
    const TargetClash& clash = clashes.front();
    const std::string& target = targets[clash.target];
    switch (clash.kind) {
        case TargetClash::Kind::NotRegular:
            console.err << "plexon: " << target << ": " << msg::kNotRegularTarget << "; nothing was written\n";
            break;
        case TargetClash::Kind::OnInput:
            console.err << "plexon: " << target << ": it is the strip " << options.strips[clash.other]
                        << ", which a file split from " << plan[ownerOf[clash.target]].strip
                        << " would replace; nothing was written\n";
            break;
        case TargetClash::Kind::OnTarget:
            console.err << ErrorLine(plan[ownerOf[clash.target]].strip,
                                     "its files would have the names of those of " +
                                         plan[ownerOf[clash.other]].strip);
            break;
    }
    return std::nullopt;
}

int Split(SplitOptions options, Console& console, std::string& context) {
    context = options.configFile ? *options.configFile : SettingsFilePath(CurrentSettingsEnvironment());
    const SuffixSettings letters = WithGivenLetters(LoadSettings(context).suffixes, options.suffixHot,
                                                    options.suffixDisabled, options.suffixPressed);
    // Files named with other letters would not weld back into their strip.
    if (!AreSuffixLetters(letters)) {
        console.err << ErrorLine(context, msg::kSuffixLetters);
        return kExitFailed;
    }
    context.clear();
    const std::string& folder = options.outputFolder;
    if (PathExists(folder) && !DirectoryExists(folder)) {
        console.err << ErrorLine(folder, "not a folder");
        return kExitFailed;
    }
    const std::optional<std::vector<PlannedSplit>> plan = PlanSplits(options, letters, console, context);
    if (!plan) return kExitFailed;

    context = folder;
    const std::string output = IncludeTrailingPathDelimiter(folder);
    if (!PathExists(folder)) MakeOutputFolder(folder);
    // No weld and no other split writes into the folder meanwhile.
    const std::optional<FolderLock> lock = TakeOutputFolder(output);
    if (!lock) {
        console.err << ErrorLine(folder, msg::kFolderBusyReason);
        return kExitFailed;
    }
    std::size_t files = 0;
    for (const PlannedSplit& split : *plan) {
        context = split.strip;
        // Read again rather than held: a run may take many strips. One changed since is refused still.
        StripCut cut(split.strip);
        std::string refusal;
        if (SlotsOf(cut, options, refusal) != split.slots || !refusal.empty())
            throw EInvalidGraphic("the strip changed while it was being split");
        if (cut.Format() != split.format) throw EInvalidGraphic("the strip changed while it was being split");
        for (int slot = 0; slot < split.slots; ++slot) {
            cut.WriteSlot(slot, split.files[std::size_t(slot)]);
            ++files;
        }
    }
    if (!options.quiet)
        console.out << Plural(plan->size(), "strip") << " split into " << Plural(files, "file") << ".\n";
    return kExitDone;
}

}  // namespace

int RunSplitCommand(SplitOptions options, Console& console) {
    std::string context;
    try {
        return Split(std::move(options), console, context);
    } catch (...) {
        return ReportCurrentError(console, context);
    }
}

}  // namespace plexon
