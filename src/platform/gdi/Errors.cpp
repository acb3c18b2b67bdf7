// The calling thread's last error and the texts of the codes the services set.
#include "platform/gdi/Objects.h"
#include "platform/gdi/Raster.h"

namespace plexon::gdi {

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

DWORD GetLastError() {
    return lastError;
}
void SetLastError(DWORD code) {
    lastError = code;
}

std::string SystemErrorText(DWORD code) {
    switch (code) {
        case ERROR_SUCCESS:
            return "The operation completed successfully.";
        case ERROR_INVALID_HANDLE:
            return "The handle is invalid.";
        case ERROR_NOT_ENOUGH_MEMORY:
            return "Not enough memory resources are available to process this command.";
        case ERROR_INVALID_PARAMETER:
            return "The parameter is incorrect.";
        case ERROR_BUSY:
            return "The requested resource is in use.";
        case ERROR_INVALID_BITMAP:
            return "The bitmap is invalid.";
        default:
            return "";
    }
}

namespace detail {
void SetError(DWORD code) {
    lastError = code;
}
}  // namespace detail

}  // namespace plexon::gdi
