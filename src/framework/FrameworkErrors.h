// The framework's own exception classes and message texts, beside the runtime's.
#pragma once

#include <string_view>

#include "runtime/Exceptions.h"

namespace plexon {

class EComponentError : public Exception {
  public:
    using Exception::Exception;
};
class EStringListError : public Exception {
  public:
    using Exception::Exception;
};
// The masked edit's refusal of an incomplete field.
class EDBEditError : public Exception {
  public:
    using Exception::Exception;
};

// Ends the current command without any message: the error display shows nothing for it.
[[noreturn]] void Abort();

namespace msg {
inline constexpr std::string_view kDuplicateName = "A component named %s already exists";
inline constexpr std::string_view kInvalidEditInput = "Invalid input value.  Use escape key to abandon changes";
inline constexpr std::string_view kVisibleModal = "Cannot make a visible window modal";
inline constexpr std::string_view kCannotFocus = "Cannot focus a disabled or invisible window";
inline constexpr std::string_view kListIndex = "List index out of bounds (%s)";
inline constexpr std::string_view kClipboardOpen = "Cannot open clipboard";
inline constexpr std::string_view kOperationAborted = "Operation aborted";
}  // namespace msg

}  // namespace plexon
