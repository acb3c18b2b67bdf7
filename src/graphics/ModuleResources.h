// Resources embedded in the program: a table of named byte blocks by type, filled at start-up by
// registrations that the build generates (or that code writes by hand). Nothing is loaded from disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace plexon {

// The resource types the program uses, numbered as the platform numbers them.
enum class ResourceType : int { Bitmap = 2, RawData = 10 };

// The resources of one module; names compare without regard to ASCII case, as resource names do.
class TResourceModule {
  public:
    // The bytes must outlive the module (static data of the program).
    void Add(std::string_view name, ResourceType type, std::span<const std::uint8_t> bytes);
    std::optional<std::span<const std::uint8_t>> Find(std::string_view name, ResourceType type) const;

  private:
    std::map<std::pair<int, std::string>, std::span<const std::uint8_t>> entries_;
};

// The program's own module: what `HInstance` names.
TResourceModule& ProgramResources();

// A static object of this type adds one resource to the program's module before main() runs. It
// must sit in a file that is linked for other reasons too (an executable's source, or beside code
// it uses): a static library drops object files that nothing refers to.
struct ResourceRegistration {
    ResourceRegistration(std::string_view name, ResourceType type, const std::uint8_t* data,
                         std::size_t size) {
        ProgramResources().Add(name, type, {data, size});
    }
};

}  // namespace plexon
