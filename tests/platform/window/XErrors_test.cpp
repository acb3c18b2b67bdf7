// Which X errors the window program lives through, and, on a private X server when Xvfb is there,
// that errors about a destroyed window do not reach the handler a program had before while every
// other error still does, with SDL's windows up and after SDL has quit.
#include "platform/window/XErrors.h"

#include <gtest/gtest.h>

#ifdef PLEXON_HAVE_X11
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/window/SdlBackend.h"
#include "platform/window/Window.h"

// Xlib's macros (None, Cursor) would clash with our names: it comes last.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#endif

#ifdef PLEXON_HAVE_X11
// SDL's x11 driver starts the system's message bus library, which keeps a buffer until the process
// ends; the leak checker is told so instead of being turned off.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}
#endif

namespace plexon::window {
namespace {

TEST(XErrors, OnlyErrorsAboutGoneWindowsAreIgnored) {
    struct Case {
        int error, request;
        bool ignored;
    } cases[] = {
        {3, 25, true},   // BadWindow, SendEvent: the wakeup sent to a window destroyed meanwhile
        {3, 131, true},  // BadWindow from an extension's request
        {9, 72, true},   // BadDrawable, PutImage
        {8, 42, true},   // BadMatch, SetInputFocus on an unmapped window
        {8, 12, true},   // BadMatch, ConfigureWindow
        {8, 2, true},    // BadMatch, ChangeWindowAttributes
        {8, 72, false},  // BadMatch, PutImage: a wrong image, not a gone window
        {4, 54, false},  // BadPixmap, FreePixmap
        {2, 25, false},  // BadValue, SendEvent
        {11, 1, false},  // BadAlloc
        {0, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsGoneWindowError(c.error, c.request), c.ignored) << c.error << " " << c.request;
}

#ifdef PLEXON_HAVE_X11

// An Xvfb of its own on a display it picks; empty when Xvfb cannot be started.
class PrivateXServer {
  public:
    PrivateXServer() {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_t child = ::fork();
        if (child == 0) {
            ::close(fds[0]);
            const int quiet = ::open("/dev/null", O_WRONLY);
            ::dup2(quiet, STDOUT_FILENO);
            ::dup2(quiet, STDERR_FILENO);
            const std::string fd = std::to_string(fds[1]);
            // -noreset: the server would otherwise reset when its last client leaves, refusing the
            // connection the test opens right after SDL closes its own.
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "320x240x24", "-nolisten",
                     "tcp", "-noreset", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        if (child < 0) {
            ::close(fds[0]);
            return;
        }
        pid_ = child;
        // The server writes its display number once it accepts connections.
        std::string number;
        pollfd wait{fds[0], POLLIN, 0};
        char c = 0;
        while (::poll(&wait, 1, 10000) == 1 && ::read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        ::close(fds[0]);
        if (!number.empty()) display_ = ":" + number;
    }
    ~PrivateXServer() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
    }
    const std::string& Display() const { return display_; }

  private:
    pid_t pid_ = -1;
    std::string display_;
};

std::vector<int> recorded;

// Stands for the handler a program had before the back end started.
int Record(::Display*, XErrorEvent* error) {
    recorded.push_back(error->error_code);
    return 0;
}

// A BadWindow for a SendEvent and a SetInputFocus to a window destroyed already, then a BadPixmap.
void ProvokeErrors(::Display* display) {
    const ::Window gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
    XDestroyWindow(display, gone);
    XEvent wakeup{};
    wakeup.xclient.type = ClientMessage;
    wakeup.xclient.window = gone;
    wakeup.xclient.format = 8;
    XSendEvent(display, gone, False, NoEventMask, &wakeup);
    XSetInputFocus(display, gone, RevertToNone, CurrentTime);
    XFreePixmap(display, gone);
    XSync(display, False);
}

// Sets a variable for one test and puts the old value back.
class Variable {
  public:
    Variable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~Variable() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(XErrors, TheRealWindowLivesThroughErrorsAboutGoneWindows) {
    PrivateXServer server;
    if (server.Display().empty()) GTEST_SKIP() << "no Xvfb";
    Variable display("DISPLAY", server.Display()), driver("SDL_VIDEODRIVER", "x11"),
        scale("PLEXON_SCALE", "1");
    const XErrorHandler before = XSetErrorHandler(&Record);
    recorded.clear();
    {
        Desktop desk(std::make_unique<SdlBackend>());
        HWND top = desk.CreateWindow({.bounds = {10, 10, 60, 40}, .caption = "X", .proc = [](Message&) {}});
        desk.Show(top, true);
        Message m;
        while (desk.GetMessage(m, Wait::No)) desk.DispatchMessage(m);
        // SDL's own connection, after its window surface came and went through SDL's temporary handlers.
        SDL_SysWMinfo info;
        SDL_VERSION(&info.version);
        ASSERT_TRUE(SDL_GetWindowWMInfo(static_cast<SDL_Window*>(top->native), &info)) << SDL_GetError();
        ASSERT_EQ(info.subsystem, SDL_SYSWM_X11);
        ProvokeErrors(info.info.x11.display);
        EXPECT_EQ(recorded, std::vector<int>{BadPixmap});
    }
    // SDL has quit and closed its connections; ours is what it put back.
    ::Display* own = XOpenDisplay(server.Display().c_str());
    ASSERT_NE(own, nullptr);
    ProvokeErrors(own);
    XCloseDisplay(own);
    EXPECT_EQ(recorded, (std::vector<int>{BadPixmap, BadPixmap}));
    XSetErrorHandler(before);
}

#endif

}  // namespace
}  // namespace plexon::window
