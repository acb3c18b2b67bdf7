// librsvg's log through a pipe: RSVG_LOG makes it write a line for each image it cannot load.
#include "graphics/SvgImageLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace plexon {

namespace {

constexpr std::string_view kFailedImage = "could not load image ";

}  // namespace

SvgImageLog::SvgImageLog() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return;
    // Room for the lines of many images, so the library rarely waits on a pipe nobody reads meanwhile;
    // a document that fills it anyway is ended by the time limit.
    ::fcntl(fds[1], F_SETPIPE_SZ, 1 << 20);
    ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
    ::dup2(fds[1], STDOUT_FILENO);
    ::close(fds[1]);
    reader_ = fds[0];
    ::setenv("RSVG_LOG", "1", 1);
}

SvgImageLog::~SvgImageLog() {
    if (reader_ >= 0) ::close(reader_);
}

std::optional<std::string> SvgImageLog::TakeFailedImage() {
    if (reader_ < 0) return std::nullopt;
    char buffer[4096];
    for (ssize_t got; (got = ::read(reader_, buffer, sizeof buffer)) > 0;) pending_.append(buffer, std::size_t(got));
    std::optional<std::string> failed;
    std::size_t start = 0;
    for (std::size_t end; (end = pending_.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string_view line = std::string_view(pending_).substr(start, end - start);
        if (!failed && line.starts_with(kFailedImage))
            failed = "the image " + std::string(line.substr(kFailedImage.size()));
    }
    pending_.erase(0, start);
    if (failed) {
        // "could not load image "a.png": why" reads "the image "a.png" could not be loaded: why".
        const std::size_t colon = failed->find("\": ");
        if (colon != std::string::npos) failed->insert(colon + 1, " could not be loaded");
        else *failed += " could not be loaded";
    }
    return failed;
}

}  // namespace plexon
