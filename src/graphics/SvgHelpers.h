// The program's side of its SVG helper processes: a small pool of them, started when the first SVG
// needs one and kept for the next, each holding the documents parsed in it. Every parse and render is
// one round trip under the limits of SvgLimits.h; a helper that goes over one, crashes or aborts is
// ended and the next request starts another. While a request waits, the interrupt descriptor
// (platform/shell/Interruption.h) ends the helper and raises Interrupted.
#pragma once

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "graphics/RgbaImage.h"
#include "graphics/SvgImage.h"
#include "graphics/SvgProtocol.h"
#include "platform/shell/HelperProcess.h"

namespace plexon {

// The program run as helper; our own executable unless set (a test program sets the real one).
void SetSvgHelperProgram(std::string path);

struct ParsedSvg {
    std::uint32_t document = 0;
    std::optional<SvgSize> size;
};

class SvgHelper {
  public:
    explicit SvgHelper(const std::string& path);  // starts it; errors name path
    ~SvgHelper();

    // False once the helper has been ended; its documents went with it.
    bool Alive() const { return alive_; }
    // The file, open, is handed over; references resolve against path.
    ParsedSvg Parse(const std::string& path, int fd);
    RgbaImage Render(std::uint32_t document, std::int32_t size, const std::string& path);
    void Free(std::uint32_t document) noexcept;

    // True while a request is under way.
    bool Busy() const { return busy_; }

  private:
    using Deadline = std::chrono::steady_clock::time_point;
    class Turn;

    void Send(const svgwire::Request& request, const std::string& path, int fd);
    svgwire::Reply Answer(Deadline deadline, const std::string& path);
    void Receive(void* buffer, std::size_t bytes, Deadline deadline, const std::string& path);
    [[noreturn]] void Gone(const std::string& path);

    std::mutex mutex_;  // one request at a time
    std::atomic<bool> busy_{false}, alive_{true};
    std::unique_ptr<HelperProcess> process_;
};

// A live helper from the pool, started when there is none free.
std::shared_ptr<SvgHelper> TakeSvgHelper(const std::string& path);

}  // namespace plexon
