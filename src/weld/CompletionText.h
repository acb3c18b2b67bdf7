// The closing message of a weld run, from its elapsed time.
#pragma once

#include <cstdint>
#include <string>

namespace plexon {

// "Your new images were created in 1 second." up to 1.5 s (never "0 seconds"), otherwise the
// rounded count of seconds, "... in 3 seconds."
std::string CompletionText(uint32_t elapsedMilliseconds);

}  // namespace plexon
