// Starting SVG helpers, one request and its reply at a time, and what a helper's end means: SIGXCPU
// or our wall-clock deadline is the time limit, an allocation that failed is the memory limit,
// anything else a crash.
#include "graphics/SvgHelpers.h"

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "graphics/SanitizerBuild.h"
#include "graphics/SvgLimits.h"
#include "platform/shell/ExecutablePath.h"
#include "platform/shell/Interruption.h"
#include "platform/shell/Spawn.h"
#include "runtime/Exceptions.h"

namespace plexon {

namespace {

using Clock = std::chrono::steady_clock;
using namespace svgwire;

// A waiting helper uses no CPU time (a FIFO it opened, say); it is ended after this many limits.
constexpr int kWallClockLimits = 3;
// A refusal's text is a line or two; more is not a helper speaking.
constexpr std::uint64_t kMaxRefusalBytes = 64 << 10;

std::mutex programMutex;
std::string helperProgram;  // empty: our own executable

HelperSetup Setup(const std::string& path) {
    std::string program;
    {
        const std::lock_guard lock(programMutex);
        program = helperProgram;
    }
    if (program.empty()) program = ExecutablePath().value_or("");
    if (program.empty()) RefuseSvg(path, "cannot find the program's own file to start the renderer");
    // It dies with this thread; it tells whether we went before it could ask for that.
    HelperSetup setup{{program, kHelperArgument, std::to_string(::getpid())}};
#if PLEXON_ADDRESS_SANITIZER
    // No address-space limit holds under the sanitizer (SvgHelperMain.cpp): its allocator refuses
    // single blocks over the limit and, once the resident size passes it, all further ones, which
    // the libraries then meet as a failed allocation, as they would meet RLIMIT_AS. Its reports reach
    // our standard error.
    const char* given = std::getenv("ASAN_OPTIONS");
    const std::string mb = std::to_string(kSvgMemoryLimit >> 20);
    setup.environment = EnvironmentWith(
        "ASAN_OPTIONS", std::string(given ? given : "") + (given && *given ? ":" : "") +
                            "max_allocation_size_mb=" + mb + ":soft_rss_limit_mb=" + mb +
                            ":allocator_may_return_null=1");
    setup.errorFd = STDERR_FILENO;
#endif
    return setup;
}

class Pool {
  public:
    std::shared_ptr<SvgHelper> Take(const std::string& path) {
        const std::lock_guard lock(mutex_);
        std::erase_if(helpers_, [](const std::shared_ptr<SvgHelper>& helper) { return !helper->Alive(); });
        for (const std::shared_ptr<SvgHelper>& helper : helpers_)
            if (!helper->Busy()) return helper;
        if (helpers_.size() < MaxHelpers()) return helpers_.emplace_back(std::make_shared<SvgHelper>(path));
        return helpers_.front();
    }

  private:
    static std::size_t MaxHelpers() { return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 4); }

    std::mutex mutex_;
    std::vector<std::shared_ptr<SvgHelper>> helpers_;
};

Pool& ThePool() {
    static Pool pool;
    return pool;
}

}  // namespace

void SetSvgHelperProgram(std::string path) {
    const std::lock_guard lock(programMutex);
    helperProgram = std::move(path);
}

std::shared_ptr<SvgHelper> TakeSvgHelper(const std::string& path) {
    return ThePool().Take(path);
}

// A request under way: the helper locked and marked busy, the wall-clock deadline set.
class SvgHelper::Turn {
  public:
    Turn(SvgHelper& helper, const std::string& path)
        : lock_(helper.mutex_), helper_(helper), deadline_(Clock::now() + kWallClockLimits * SvgTimeLimit()) {
        if (!helper_.process_) RefuseSvgOverLimit(path, std::string(msg::kSvgCrashed));
        helper_.busy_ = true;
    }
    ~Turn() { helper_.busy_ = false; }
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;
    Deadline deadline() const { return deadline_; }

  private:
    std::lock_guard<std::mutex> lock_;
    SvgHelper& helper_;
    Deadline deadline_;
};

SvgHelper::SvgHelper(const std::string& path) {
    try {
        process_ = std::make_unique<HelperProcess>(Setup(path));
    } catch (const EOSError& e) {
        RefuseSvg(path, e.Message());
    }
}

SvgHelper::~SvgHelper() = default;

ParsedSvg SvgHelper::Parse(const std::string& path, int fd) {
    const Turn turn(*this, path);
    Send({Job::Parse, 0, 0, std::uint32_t(SvgTimeLimit().count()), std::uint32_t(path.size())}, path, fd);
    const Reply reply = Answer(turn.deadline(), path);
    ParsedSvg parsed{reply.document, std::nullopt};
    if (reply.hasSize) parsed.size = SvgSize{reply.width, reply.height};
    return parsed;
}

RgbaImage SvgHelper::Render(std::uint32_t document, std::int32_t size, const std::string& path) {
    const Turn turn(*this, path);
    Send({Job::Render, document, size, std::uint32_t(SvgTimeLimit().count())}, path, -1);
    const Reply reply = Answer(turn.deadline(), path);
    // The pixels arrive straight into the image we give back.
    RgbaImage image(size, size, kTransparent);
    if (reply.payloadBytes != image.Bytes().size()) Gone(path);
    Receive(image.Row(0), image.Bytes().size(), turn.deadline(), path);
    return image;
}

void SvgHelper::Free(std::uint32_t document) noexcept {
    const std::lock_guard lock(mutex_);
    if (!process_) return;
    const Request request{Job::Free, document};
    // A helper that cannot take it is ended by the next request that needs it.
    [[maybe_unused]] const ssize_t sent =
        ::send(process_->Socket(), &request, sizeof request, MSG_NOSIGNAL | MSG_DONTWAIT);
}

void SvgHelper::Send(const Request& request, const std::string& path, int fd) {
    iovec parts[] = {{const_cast<Request*>(&request), sizeof request},
                     {const_cast<char*>(path.data()), request.job == Job::Parse ? path.size() : 0}};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    msghdr message{};
    message.msg_iov = parts;
    message.msg_iovlen = 2;
    if (fd >= 0) {
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        cmsghdr* c = CMSG_FIRSTHDR(&message);
        c->cmsg_level = SOL_SOCKET;
        c->cmsg_type = SCM_RIGHTS;
        c->cmsg_len = CMSG_LEN(sizeof(int));
        std::memcpy(CMSG_DATA(c), &fd, sizeof fd);
    }
    const std::size_t total = parts[0].iov_len + parts[1].iov_len;
    ssize_t sent;
    while ((sent = ::sendmsg(process_->Socket(), &message, MSG_NOSIGNAL)) < 0 && errno == EINTR) {
    }
    // A request is far smaller than the socket's buffer: it goes whole or the helper is gone.
    if (sent != ssize_t(total)) Gone(path);
}

svgwire::Reply SvgHelper::Answer(Deadline deadline, const std::string& path) {
    Reply reply;
    Receive(&reply, sizeof reply, deadline, path);
    switch (reply.outcome) {
        case Outcome::Done:
            return reply;
        case Outcome::OutOfMemory:
            process_->Kill();
            process_.reset();
            alive_ = false;
            RefuseSvgOverLimit(path, std::string(msg::kSvgTooLarge));
        case Outcome::Refused: {
            if (reply.payloadBytes > kMaxRefusalBytes) Gone(path);
            std::string text(reply.payloadBytes, '\0');
            Receive(text.data(), text.size(), deadline, path);
            const std::size_t nul = std::min(text.find('\0'), text.size());
            throw EInvalidGraphic(text.substr(0, nul), path, text.substr(std::min(nul + 1, text.size())));
        }
    }
    Gone(path);
}

void SvgHelper::Receive(void* buffer, std::size_t bytes, Deadline deadline, const std::string& path) {
    auto* at = static_cast<char*>(buffer);
    while (bytes > 0) {
        const int interrupt = InterruptDescriptor();
        pollfd fds[] = {{process_->Socket(), POLLIN, 0}, {interrupt, POLLIN, 0}};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const int ready = ::poll(fds, interrupt >= 0 ? 2 : 1, int(std::clamp<std::int64_t>(left, 0, 1 << 30)));
        if (ready < 0 && errno == EINTR) continue;
        if (fds[1].revents & POLLIN) {
            process_->Kill();
            process_.reset();
            alive_ = false;
            throw Interrupted();
        }
        if (ready == 0) {
            process_->Kill();
            process_.reset();
            alive_ = false;
            RefuseSvgOverLimit(path, Format(msg::kSvgTooSlow, {SecondsText(SvgTimeLimit())}));
        }
        const ssize_t got = ::recv(process_->Socket(), at, bytes, MSG_DONTWAIT);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (got <= 0) Gone(path);
        at += got;
        bytes -= std::size_t(got);
    }
}

void SvgHelper::Gone(const std::string& path) {
    // The socket closed or spoke nonsense: the helper has ended, or is ended now.
    const int status = process_->Reap();
    process_.reset();
    alive_ = false;
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGXCPU)
        RefuseSvgOverLimit(path, Format(msg::kSvgTooSlow, {SecondsText(SvgTimeLimit())}));
    RefuseSvgOverLimit(path, std::string(msg::kSvgCrashed));
}

}  // namespace plexon
