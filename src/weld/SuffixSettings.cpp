// Suffix letters to and from the "FileSuffix" section of the settings file.
#include "weld/SuffixSettings.h"

#include <filesystem>

#include "runtime/Exceptions.h"
#include "runtime/IniFile.h"

namespace plexon {
namespace {

constexpr std::string_view kSection = "FileSuffix";

}  // namespace

SuffixSettingsRead ReadSuffixSettings(const std::string& path) {
    const TIniText text = TIniFile(path).Read();
    const SuffixSettings defaults;
    SuffixSettingsRead read{{}, text.Refusal()};
    for (const SuffixedState& entry : kSuffixedStates)
        read.settings.*entry.setting = text.ReadString(kSection, entry.key, defaults.*entry.setting);
    return read;
}

SuffixSettings LoadSuffixSettings(const std::string& path) {
    SuffixSettingsRead read = ReadSuffixSettings(path);
    if (!read.refusal.empty()) throw EIniFileException(read.refusal, path, read.refusal);
    return read.settings;
}

void SaveSuffixSettings(const std::string& path, const SuffixSettings& settings) {
    TIniFile ini(path);
    // The per-user settings folder may not exist yet on the first save. When it cannot be made, the
    // write reports the failure in the documented way.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    std::array<TIniValue, kSuffixedStates.size()> values;
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = {kSuffixedStates[i].key, settings.*kSuffixedStates[i].setting};
    ini.WriteStrings(kSection, values);
}

}  // namespace plexon
