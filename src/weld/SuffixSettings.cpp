// Suffix letters to and from the "FileSuffix" section of the settings file.
#include "weld/SuffixSettings.h"

#include <filesystem>

#include "runtime/IniFile.h"

namespace plexon {
namespace {

constexpr std::string_view kSection = "FileSuffix";

}  // namespace

SuffixSettings LoadSuffixSettings(const std::string& path) {
    const TIniFile ini(path);
    const SuffixSettings defaults;
    SuffixSettings settings;
    for (const SuffixedState& entry : kSuffixedStates)
        settings.*entry.setting = ini.ReadString(kSection, entry.key, defaults.*entry.setting);
    return settings;
}

void SaveSuffixSettings(const std::string& path, const SuffixSettings& settings) {
    TIniFile ini(path);
    // The per-user settings folder may not exist yet on the first save. When it cannot be made, the
    // first write reports the failure in the documented way.
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::create_directories(folder, ignored);
    for (const SuffixedState& entry : kSuffixedStates)
        ini.WriteString(kSection, entry.key, settings.*entry.setting);
}

}  // namespace plexon
