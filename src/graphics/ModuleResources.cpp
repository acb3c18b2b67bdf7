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

constexpr std::size_t kFileHeaderSize = 14;

bool IsBmpFile(const EmbeddedFile& file) {
    const std::string name = Key(file.name);
    return name.size() > 4 && name.ends_with(".BMP") && file.bytes.size() > kFileHeaderSize &&
           file.bytes[0] == 'B' && file.bytes[1] == 'M';
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
    static TResourceModule module = [] {
        TResourceModule embedded;
        for (const EmbeddedFile& file : EmbeddedFiles()) {
            embedded.Add(file.name, ResourceType::RawData, file.bytes);
            if (IsBmpFile(file))
                embedded.Add(file.name, ResourceType::Bitmap, file.bytes.subspan(kFileHeaderSize));
        }
        return embedded;
    }();
    return module;
}

}  // namespace plexon
