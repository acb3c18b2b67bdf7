// Opening a link target (a web address, a "mailto:" address) with the desktop's default application.
// The opener is started and left to itself: nothing waits for it and no failure is reported.
#pragma once

#include <functional>
#include <string>

namespace plexon {

// Hands the target to the opener; returns at once.
void OpenLink(const std::string& target);

// Replaces the opener (tests record the target instead); an empty function restores the desktop's.
void SetLinkOpener(std::function<void(const std::string&)> opener);

}  // namespace plexon
