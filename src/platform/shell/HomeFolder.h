// The user's home folder, as every part of the program reads it. Says nothing about whether it
// exists or can be written.
#pragma once

#include <optional>
#include <string>

namespace plexon {

// HOME when it is set and not empty, otherwise the account's home folder from the user database;
// none when neither names one. The text is given as it is written (it need not be absolute).
std::optional<std::string> HomeFolder();

}  // namespace plexon
