// The settings file's sections to and from their values.
#include "weld/Settings.h"

#include <filesystem>
#include <vector>

#include "runtime/Exceptions.h"
#include "runtime/IniFile.h"

namespace plexon {
namespace {

constexpr std::string_view kSuffixSection = "FileSuffix", kWindowSection = "Window", kWeldSection = "Weld";

// Four state names, or nothing: half an order would leave slots to guess.
std::optional<SlotStates> OrderNamed(std::string_view list) {
    const NamedSlotStates named = SlotStatesNamed(list);
    if (named.unknown || named.tooMany || named.count != named.states.size()) return std::nullopt;
    return named.states;
}

std::string OrderText(const SlotStates& order) {
    std::string text;
    for (const ImageState state : order) text += (text.empty() ? "" : ",") + std::string(DisplayText(state));
    return text;
}

}  // namespace

SettingsRead ReadSettings(const std::string& path) {
    const TIniText text = TIniFile(path).Read();
    SettingsRead read;
    read.refusal = text.Refusal();
    const SuffixSettings defaults;
    for (const SuffixedState& entry : kSuffixedStates)
        read.suffixes.*entry.setting = text.ReadString(kSuffixSection, entry.key, defaults.*entry.setting);
    WindowChoices& choices = read.choices;
    choices.sourceFolder = text.ReadString(kWindowSection, "SourceFolder", "");
    choices.outputFolder = text.ReadString(kWindowSection, "OutputFolder", "");
    const std::string count = text.ReadString(kWeldSection, "StateCount", "");
    if (count.size() == 1 && IsValidStateCount(count[0] - '0')) choices.stateCount = count[0] - '0';
    choices.order = OrderNamed(text.ReadString(kWeldSection, "Order", "")).value_or(kDefaultSlotStates);
    const std::string format = text.ReadString(kWeldSection, "StripFormat", "");
    if (const std::optional<StripFormat> named = StripFormatNamed(format))
        choices.format = *named;
    else if (!format.empty())
        read.unknownFormat = format;
    choices.deriveMissing = text.ReadString(kWeldSection, "DeriveMissing", "") == "1";
    const std::string svgSize = text.ReadString(kWeldSection, "SvgSize", "");
    for (const int size : kSvgSizes)
        if (svgSize == std::to_string(size)) choices.svgSize = size;
    return read;
}

SettingsRead LoadSettings(const std::string& path) {
    SettingsRead read = ReadSettings(path);
    if (!read.refusal.empty()) throw EIniFileException(read.refusal, path, read.refusal);
    return read;
}

void SaveSettings(const std::string& path, const SuffixSettings& suffixes, const WindowChoices& choices) {
    // The per-user settings folder may not exist yet on the first save. When it cannot be made, the
    // write reports the failure in the documented way.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    const std::string count = std::to_string(choices.stateCount), order = OrderText(choices.order);
    // A line break cannot stand in a value: such a folder is forgotten rather than failing the save.
    const auto storable = [](const std::string& folder) {
        return folder.find_first_of("\r\n") == std::string::npos ? std::string_view(folder) : "";
    };
    std::vector<TIniEntry> entries;
    for (const SuffixedState& entry : kSuffixedStates)
        entries.push_back({kSuffixSection, entry.key, suffixes.*entry.setting});
    entries.push_back({kWindowSection, "SourceFolder", storable(choices.sourceFolder)});
    entries.push_back({kWindowSection, "OutputFolder", storable(choices.outputFolder)});
    entries.push_back({kWeldSection, "StateCount", count});
    entries.push_back({kWeldSection, "Order", order});
    entries.push_back({kWeldSection, "StripFormat", StripFormatName(choices.format)});
    entries.push_back({kWeldSection, "DeriveMissing", choices.deriveMissing ? "1" : "0"});
    const std::string svgSize = std::to_string(choices.svgSize);
    entries.push_back({kWeldSection, "SvgSize", svgSize});
    TIniFile(path).WriteEntries(entries);
}

}  // namespace plexon
