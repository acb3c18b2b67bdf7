// What rendering one SVG document may take (CPU time, memory) and the texts of the refusals when it
// needs more, or when the renderer fails otherwise. The limits are enforced in the helper processes
// (SvgHelpers.h); this is only the rule and its words.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace plexon {

inline constexpr std::chrono::milliseconds kDefaultSvgTimeLimit{10'000};
inline constexpr std::uint64_t kSvgMemoryLimit = std::uint64_t(1) << 30;

// The CPU time each parse and each render may take, for the whole process (the batch's
// --svg-time-limit). A helper waiting without using CPU time is ended after three times as long.
void SetSvgTimeLimit(std::chrono::milliseconds limit);
std::chrono::milliseconds SvgTimeLimit();

namespace msg {
inline constexpr std::string_view kSvgTooSlow = "rendering took longer than %s s";
inline constexpr std::string_view kSvgTooLarge = "needs more than 1 GiB";
inline constexpr std::string_view kSvgCrashed = "the renderer crashed";
}  // namespace msg

// A time in seconds as a person writes it: "10", "0.5", "2.25".
std::string SecondsText(std::chrono::milliseconds time);

// Raises the error naming the file: EInvalidGraphic "Cannot render the SVG image PATH: REASON" with
// the file's reason "cannot render SVG: REASON" (the library's words).
[[noreturn]] void RefuseSvg(const std::string& path, const std::string& reason);
// Raises the error naming the file with one of the reasons above as its reason: EOutOfResources for
// kSvgTooLarge, EInvalidGraphic for the others.
[[noreturn]] void RefuseSvgOverLimit(const std::string& path, const std::string& reason);

}  // namespace plexon
