// The error display's text rule.
#include "app/ErrorText.h"

namespace plexon {

std::string ErrorDisplayText(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.'))
        text += '.';
    return text;
}

}  // namespace plexon
