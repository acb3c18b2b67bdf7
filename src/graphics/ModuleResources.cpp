// The resource table: upper-cased names keyed with their type.
#include "graphics/ModuleResources.h"

#include <cctype>

namespace plexon {

namespace {

std::string Key(std::string_view name) {
    std::string key(name);
    for (char& c : key) c = char(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

}  // namespace

void TResourceModule::Add(std::string_view name, ResourceType type, std::span<const std::uint8_t> bytes) {
    entries_[{int(type), Key(name)}] = bytes;
}

std::optional<std::span<const std::uint8_t>> TResourceModule::Find(std::string_view name,
                                                                   ResourceType type) const {
    const auto it = entries_.find({int(type), Key(name)});
    if (it == entries_.end()) return std::nullopt;
    return it->second;
}

TResourceModule& ProgramResources() {
    static TResourceModule module;
    return module;
}

}  // namespace plexon
