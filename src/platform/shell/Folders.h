// The user's home folder and the working folder, as every part of the program reads them. Says
// nothing about whether they can be written.
#pragma once

#include <optional>
#include <string>

namespace plexon {

// HOME when it is set and not empty, otherwise the account's home folder from the user database;
// none when neither names one. The text is given as it is written (it need not be absolute).
std::optional<std::string> HomeFolder();

// The process's working folder, or none when the system cannot give it (removed, too deep).
std::optional<std::string> WorkingFolder();

}  // namespace plexon
