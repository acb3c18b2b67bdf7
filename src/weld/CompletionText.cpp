// Completion text of a weld run.
#include "weld/CompletionText.h"

#include "weld/Rounding.h"

namespace plexon {

std::string CompletionText(uint32_t elapsedMilliseconds) {
    const int64_t seconds = RoundHalfEven(elapsedMilliseconds, 1000);
    if (seconds <= 1) return "Your new images were created in 1 second.";
    return "Your new images were created in " + std::to_string(seconds) + " seconds.";
}

}  // namespace plexon
