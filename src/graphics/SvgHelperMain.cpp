// The helper's loop: one request at a time, each parse and render under a CPU-time alarm, documents
// kept by number until the program frees them.
#include "graphics/SvgHelperMain.h"

#include <malloc.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <string_view>

#include "graphics/SanitizerBuild.h"
#include "graphics/SvgDocument.h"
#include "graphics/SvgImageLog.h"
#include "graphics/SvgLimits.h"
#include "graphics/SvgProtocol.h"
#include "platform/shell/ProcessLimits.h"
#include "runtime/Exceptions.h"
#include "runtime/ScopeExit.h"

namespace plexon {

namespace {

using namespace svgwire;

bool ReadAll(void* buffer, std::size_t bytes) {
    auto* at = static_cast<char*>(buffer);
    while (bytes > 0) {
        const ssize_t got = ::recv(kChannelFd, at, bytes, 0);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        at += got;
        bytes -= std::size_t(got);
    }
    return true;
}

bool WriteAll(const void* data, std::size_t bytes) {
    const auto* at = static_cast<const char*>(data);
    while (bytes > 0) {
        const ssize_t sent = ::send(kChannelFd, at, bytes, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        at += sent;
        bytes -= std::size_t(sent);
    }
    return true;
}

// One request and the descriptor that came with it (-1 when none); false once the program is gone.
bool ReceiveRequest(Request& request, int& fd) {
    fd = -1;
    iovec part{&request, sizeof request};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    ssize_t got;
    while ((got = ::recvmsg(kChannelFd, &message, MSG_CMSG_CLOEXEC)) < 0 && errno == EINTR) {
    }
    if (got <= 0) return false;
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c))
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_RIGHTS) std::memcpy(&fd, CMSG_DATA(c), sizeof fd);
    return ReadAll(reinterpret_cast<char*>(&request) + got, sizeof request - std::size_t(got));
}

// The libraries give up on a failed allocation by aborting (Rust's allocator, GLib's g_error); the
// program is told it was memory before the signal ends us.
void OnAbort(int signal) {
    if (errno == ENOMEM) {
        const Reply reply{Outcome::OutOfMemory};
        [[maybe_unused]] const ssize_t sent = ::send(kChannelFd, &reply, sizeof reply, MSG_NOSIGNAL);
    }
    ::raise(signal);
}

void CatchAborts() {
    struct sigaction action {};
    action.sa_handler = OnAbort;
    action.sa_flags = SA_RESETHAND | SA_NODEFER;
    for (const int signal : {SIGABRT, SIGTRAP}) ::sigaction(signal, &action, nullptr);
}

class Server {
  public:
    void Serve() {
        for (;;) {
            Request request;
            int fd = -1;
            if (!ReceiveRequest(request, fd)) return;
            const ScopeExit closeFd([fd] {
                if (fd >= 0) ::close(fd);
            });
            if (request.job == Job::Free) {
                documents_.erase(request.document);
                continue;
            }
            Reply reply{Outcome::Done};
            std::unique_ptr<CairoSurface> pixels;
            std::string refusal;
            alarm_.Arm(std::chrono::milliseconds(request.cpuMilliseconds));
            try {
                if (request.job == Job::Parse)
                    Parse(request, fd, reply);
                else
                    pixels = Render(request);
            } catch (const EOutOfResources&) {
                reply.outcome = Outcome::OutOfMemory;
            } catch (const std::bad_alloc&) {
                reply.outcome = Outcome::OutOfMemory;
            } catch (const Exception& e) {
                reply.outcome = Outcome::Refused;
                refusal = e.Message() + '\0' + e.FileReason();
            }
            alarm_.Disarm();
            if (const std::optional<std::string> failed = log_.TakeFailedImage();
                failed && reply.outcome == Outcome::Done) {
                reply = Reply{Outcome::Refused};
                pixels.reset();
                refusal = "Cannot render the SVG image: " + *failed + '\0' + "cannot render SVG: " + *failed;
            }
            if (!Answer(reply, refusal, pixels.get(), request.size)) return;
        }
    }

  private:
    void Parse(const Request& request, int fd, Reply& reply) {
        std::string path(request.pathBytes, '\0');
        if (!ReadAll(path.data(), path.size())) throw EInvalidGraphic("the program is gone");
        if (fd < 0) RefuseSvg(path, "no file came with the request");
        auto document = std::make_unique<SvgDocument>(path, fd);
        if (const std::optional<SvgSize> size = document->Size()) {
            reply.hasSize = 1;
            reply.width = size->width;
            reply.height = size->height;
        }
        reply.document = next_++;
        documents_[reply.document] = std::move(document);
    }

    std::unique_ptr<CairoSurface> Render(const Request& request) {
        const auto found = documents_.find(request.document);
        if (found == documents_.end()) throw EInvalidGraphic("no such document");
        return found->second->Render(request.size);
    }

    static bool Answer(Reply& reply, const std::string& refusal, CairoSurface* pixels, std::int32_t size) {
        const std::size_t rowBytes = std::size_t(size) * 4;
        reply.payloadBytes = pixels ? rowBytes * std::size_t(size) : refusal.size();
        if (!WriteAll(&reply, sizeof reply)) return false;
        if (!pixels) return WriteAll(refusal.data(), refusal.size());
        const std::uint8_t* rows = pixels->Straighten();
        const std::size_t stride = std::size_t(pixels->Stride());
        if (stride == rowBytes) return WriteAll(rows, rowBytes * std::size_t(size));
        for (std::int32_t y = 0; y < size; ++y)
            if (!WriteAll(rows + y * stride, rowBytes)) return false;
        return true;
    }

    std::map<std::uint32_t, std::unique_ptr<SvgDocument>> documents_;
    std::uint32_t next_ = 1;
    CpuTimeAlarm alarm_;
    SvgImageLog log_;
};

}  // namespace

bool IsSvgHelperCommand(int argc, char** argv) {
    return argc > 1 && std::string_view(argv[1]) == kHelperArgument;
}

int RunSvgHelper(int argc, char** argv) {
    if (argc != 3) return 2;
    DieWithParent(pid_t(std::strtol(argv[2], nullptr, 10)));
    KeepNoCoreFiles();
#if !PLEXON_ADDRESS_SANITIZER
    // The sanitizer reserves terabytes of address space for its shadow at start, so an address-space
    // limit cannot hold under it; the program gives a sanitized helper the sanitizer's own limits in
    // its environment instead (SvgHelpers.cpp).
    LimitAddressSpace(kSvgMemoryLimit);
#endif
    // The address-space limit counts what is reserved, not what is used: every malloc arena reserves
    // 64 MB and every thread of librsvg's filter pool (one per core by default) takes an arena and a
    // stack, so that on a machine of many cores a plain icon would go over it.
    ::mallopt(M_ARENA_MAX, 2);
    ::setenv("RAYON_NUM_THREADS", "2", 0);
    CatchAborts();
    Server().Serve();
    return 0;
}

}  // namespace plexon
