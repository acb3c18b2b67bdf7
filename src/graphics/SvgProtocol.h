// What the program and its SVG helper processes say over the helper's socket: fixed-size headers in
// the machine's own layout (both ends are this program), each followed by the bytes it announces.
// One reply per Parse and per Render, in order; Free has none.
#pragma once

#include <cstdint>

namespace plexon::svgwire {

// `plexon --svg-helper PARENT_PID` serves on descriptor kChannelFd; never shown in the help.
inline constexpr const char* kHelperArgument = "--svg-helper";
inline constexpr int kChannelFd = 3;

enum class Job : std::uint32_t { Parse = 1, Render = 2, Free = 3 };

struct Request {
    Job job{};
    std::uint32_t document = 0;         // Render, Free: what Parse answered
    std::int32_t size = 0;              // Render: the square's side in pixels
    std::uint32_t cpuMilliseconds = 0;  // Parse, Render: the job's CPU time
    std::uint32_t pathBytes = 0;        // Parse: the path follows; the file's descriptor rides along
};

enum class Outcome : std::uint32_t {
    Done = 1,         // Parse: document and size; Render: size * size * 4 bytes of straight RGBA
    Refused = 2,      // the error's message, a NUL, its file reason
    OutOfMemory = 3,  // sent as the helper dies of an allocation that failed; nothing follows
};

struct Reply {
    Outcome outcome{};
    std::uint32_t document = 0;
    std::uint32_t hasSize = 0;  // Parse: 1 when width and height are the document's own size
    std::uint32_t reserved = 0;
    double width = 0, height = 0;
    std::uint64_t payloadBytes = 0;
};

}  // namespace plexon::svgwire
