// Prints the X server's current cursor image (size, hot spot and a checksum of its pixels), so that
// the real-window smoke test can tell the hand cursor from the arrow. Nothing else.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdint>
#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 2;
    int event = 0, error = 0;
    if (!XFixesQueryExtension(display, &event, &error)) return 2;
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image) return 2;
    std::uint64_t sum = 1469598103934665603ull;
    for (int i = 0; i < image->width * image->height; ++i)
        sum = (sum ^ std::uint64_t(image->pixels[i])) * 1099511628211ull;
    std::printf("%dx%d+%d+%d %016llx\n", image->width, image->height, image->xhot, image->yhot,
                static_cast<unsigned long long>(sum));
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
