// The process-wide SVG time limit and the refusals that name a file.
#include "graphics/SvgLimits.h"

#include <atomic>

#include "runtime/Exceptions.h"

namespace plexon {

namespace {

std::atomic<std::int64_t> timeLimit{kDefaultSvgTimeLimit.count()};

}  // namespace

void SetSvgTimeLimit(std::chrono::milliseconds limit) {
    timeLimit.store(limit.count());
}

std::chrono::milliseconds SvgTimeLimit() {
    return std::chrono::milliseconds(timeLimit.load());
}

std::string SecondsText(std::chrono::milliseconds time) {
    std::string text = std::to_string(time.count() / 1000);
    if (const std::int64_t rest = time.count() % 1000) {
        std::string fraction = std::to_string(1000 + rest).substr(1);
        while (fraction.back() == '0') fraction.pop_back();
        text += "." + fraction;
    }
    return text;
}

void RefuseSvg(const std::string& path, const std::string& reason) {
    throw EInvalidGraphic("Cannot render the SVG image " + path + ": " + reason, path,
                          "cannot render SVG: " + reason);
}

void RefuseSvgOverLimit(const std::string& path, const std::string& reason) {
    std::string message = "Cannot render the SVG image " + path + ": " + reason;
    if (reason == msg::kSvgTooLarge) throw EOutOfResources(std::move(message), path, reason);
    throw EInvalidGraphic(std::move(message), path, reason);
}

}  // namespace plexon
