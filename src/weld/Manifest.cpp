// Writing the manifest's JSON by hand: a fixed shape, strings escaped as JSON requires.
#include "weld/Manifest.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "runtime/ReplacingFile.h"
#include "runtime/Utf8.h"
#include "weld/DerivedStates.h"

namespace plexon {

namespace {

namespace fs = std::filesystem;

void AppendString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

// The path relative to the manifest's folder, with "/" (lexically: links are not followed).
std::string RelativePath(const fs::path& folder, const std::string& path) {
    return fs::absolute(path).lexically_normal().lexically_relative(folder).generic_string();
}

fs::path ManifestFolder(const std::string& manifestPath) {
    return fs::absolute(manifestPath).lexically_normal().parent_path();
}

std::string StateName(ImageState state) {
    std::string name(DisplayText(state));
    std::transform(name.begin(), name.end(), name.begin(), [](char c) { return char(c | 0x20); });
    return name;
}

}  // namespace

std::vector<ManifestStrip> ManifestStrips(const std::vector<PlannedStrip>& sized, const WeldRequest& request,
                                          const std::vector<std::string>& skipped) {
    std::vector<ManifestStrip> strips;
    const std::size_t perSize = request.Sizes.empty() ? sized.size() : sized.size() / request.Sizes.size();
    for (std::size_t i = 0; i < sized.size(); ++i) {
        if (std::find(skipped.begin(), skipped.end(), sized[i].baseName) != skipped.end()) continue;
        strips.push_back({&sized[i], request.Sizes.empty() ? request.ImageSize : request.Sizes[i / perSize]});
    }
    return strips;
}

std::optional<std::string> FindNonUtf8Path(const std::string& manifestPath,
                                           const std::vector<ManifestStrip>& strips, const WeldRequest& request) {
    const fs::path folder = ManifestFolder(manifestPath);
    const auto bad = [&folder](const std::string& path) {
        const std::string relative = RelativePath(folder, path);
        return utf8::WellFormed(relative) != relative;
    };
    for (const ManifestStrip& entry : strips) {
        if (bad(entry.strip->outputPath)) return entry.strip->outputPath;
        for (const std::size_t file : entry.strip->files)
            if (bad(request.FileList[file])) return request.FileList[file];
    }
    return std::nullopt;
}

std::string ManifestText(const std::string& manifestPath, const std::vector<ManifestStrip>& strips,
                         const WeldRequest& request) {
    const fs::path folder = ManifestFolder(manifestPath);
    std::string out = "{\"strips\": [";
    for (std::size_t i = 0; i < strips.size(); ++i) {
        const PlannedStrip& strip = *strips[i].strip;
        const StateFlags derived = DerivedStates(request, strip);
        out += i ? ",\n  {\"path\": " : "\n  {\"path\": ";
        AppendString(out, RelativePath(folder, strip.outputPath));
        out += ", \"size\": " + std::to_string(strips[i].size) + ", \"states\": [";
        std::string sources, made;
        StateFlags listed{};
        for (int slot = 0; slot < request.StateCount; ++slot) {
            const ImageState state = request.Slots[std::size_t(slot)];
            const auto index = std::size_t(IndexOf(state));
            if (slot) {
                out += ", ";
                sources += ", ";
            }
            AppendString(out, StateName(state));
            // A derived slot's pixels come from the Normal image.
            const std::size_t file = derived[index] ? strip.sources[std::size_t(IndexOf(ImageState::Normal))]
                                                    : strip.sources[index];
            if (file == kNoSource)
                sources += "null";
            else
                AppendString(sources, RelativePath(folder, request.FileList[file]));
            if (derived[index] && !std::exchange(listed[index], true)) {
                if (!made.empty()) made += ", ";
                AppendString(made, StateName(state));
            }
        }
        out += "], \"sources\": [" + sources + "], \"derived\": [" + made + "]}";
    }
    out += strips.empty() ? "]}\n" : "\n]}\n";
    return out;
}

void WriteManifest(const std::string& manifestPath, const std::vector<ManifestStrip>& strips,
                   const WeldRequest& request) {
    const std::string text = ManifestText(manifestPath, strips, request);
    const FolderHandleScope folders;
    ReplaceFileContent(manifestPath, text.data(), text.size());
}

}  // namespace plexon
