// The silent abort.
#include <string>

#include "framework/FrameworkErrors.h"

namespace plexon {

void Abort() {
    throw EAbort(std::string(msg::kOperationAborted));
}

}  // namespace plexon
