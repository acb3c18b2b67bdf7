// Screen readers: the accessibility plugin is loaded, and serves the windows' nodes over AT-SPI, only
// when an accessibility bus runs and NO_AT_BRIDGE is not 1. Otherwise nothing is loaded and nothing
// changes, so start-up stays as fast as before.
#pragma once

namespace plexon {

// Once, after the application is initialised; true when the plugin runs.
bool StartAccessibility();

}  // namespace plexon
