// Keeps the window program alive through X errors about windows that are already gone. SDL's event
// wait wakes itself with an event sent over a second X connection to its newest window; when that
// window is destroyed on the main connection first, the server answers BadWindow, and Xlib's default
// handler would end the process. Errors of any other kind still reach the handler that was there.
#pragma once

namespace plexon::window {

// True for the errors a destroyed or not yet mapped window causes: BadWindow and BadDrawable for any
// request, BadMatch only for the window requests that fail on an unmapped window (input focus,
// configure, attributes). Codes are those of the core X protocol.
bool IsGoneWindowError(int errorCode, int requestCode);

// Puts our Xlib error handler in front of the current one, when an X display is named and Xlib
// loads. Called before SDL's video starts: SDL then passes errors on to ours from its own handler,
// and puts ours back when it quits, before it closes its connections (an error still pending on them
// is reported right then). With PLEXON_DEBUG_X set each ignored error is one line on stderr.
void InstallXErrorHandler();

// Once SDL's video runs: ours stays only under the x11 driver (videoDriver may be null when SDL did
// not start); otherwise the handler before ours is put back, if ours is still the current one.
void KeepXErrorHandlerFor(const char* videoDriver);

}  // namespace plexon::window
