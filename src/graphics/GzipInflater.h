// A gzip stream inflated as it arrives, never past a bound: how an .svgz reaches the SVG parser, so
// that a small file cannot unpack into gigabytes.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace plexon {

// True when the bytes start as a gzip stream does (1F 8B), whatever the file is called.
bool IsGzipStart(std::span<const std::uint8_t> head);

class GzipInflater {
  public:
    using Sink = std::function<void(std::span<const std::uint8_t>)>;
    // Output goes to sink piece by piece; more than limit bytes of it in all is refused.
    GzipInflater(std::int64_t limit, Sink sink);
    ~GzipInflater();
    GzipInflater(const GzipInflater&) = delete;
    GzipInflater& operator=(const GzipInflater&) = delete;

    // Each gives "" while all is well, otherwise the reason the stream is refused. Bytes after the
    // end of the stream are ignored.
    std::string Feed(std::span<const std::uint8_t> input);
    // After the last input: a stream that has not ended is cut short.
    std::string Finish() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace plexon
