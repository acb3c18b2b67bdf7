// The manifest of a run (--manifest FILE): a JSON file that lists every strip written, its slot size,
// the state of each slot, the source of each slot and which states were made from the Normal image,
// for build scripts that pack or check the strips.
// {"strips": [{"path": "out/Open.bmp", "size": 16, "states": ["normal", "hot"],
//              "sources": ["icons/Open.svg", null], "derived": []}]}
// Paths are relative to the manifest's folder, with "/"; a slot without a source is null.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "weld/StripPlan.h"
#include "weld/WeldRequest.h"

namespace plexon {

// A strip written, and the slot size it was written at.
struct ManifestStrip {
    const PlannedStrip* strip = nullptr;
    std::int32_t size = 0;
};

// The strips of the run's plan at its sizes (PlanAtSizes, size by size), without the icons whose base
// names are in `skipped`.
std::vector<ManifestStrip> ManifestStrips(const std::vector<PlannedStrip>& sized, const WeldRequest& request,
                                          const std::vector<std::string>& skipped = {});

// The first strip or source, as the caller spelled it, whose path in the manifest (relative to its
// folder, so the working folder's name may enter it) is not well-formed UTF-8, which JSON cannot
// carry; none when all are.
std::optional<std::string> FindNonUtf8Path(const std::string& manifestPath,
                                           const std::vector<ManifestStrip>& strips, const WeldRequest& request);

std::string ManifestText(const std::string& manifestPath, const std::vector<ManifestStrip>& strips,
                         const WeldRequest& request);

// Replaces the manifest whole; errors name it, with the system's reason.
void WriteManifest(const std::string& manifestPath, const std::vector<ManifestStrip>& strips,
                   const WeldRequest& request);

namespace msg {
inline constexpr std::string_view kNotUtf8 = "the name is not UTF-8, so the manifest cannot hold it";
}  // namespace msg

}  // namespace plexon
