// Whether assistive technology listens: the session bus has an owner for the accessibility bus's
// name. Asked once at start, through the D-Bus library loaded at run time, with NameHasOwner, which
// never starts the bus; no session bus (one is never launched for the question), no library or no
// answer within a second count as no.
#pragma once

namespace plexon {

bool AccessibilityBusRunning();

}  // namespace plexon
