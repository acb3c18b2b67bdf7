// Opening a link target (a web address, a "mailto:" address) with the desktop's default application.
// The opener is started and left to itself: nothing waits for it and no failure is reported.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace plexon {

// Hands the target to the opener, detached and with none of our descriptors; returns at once. False
// when there is no opener to hand it to (then the caller says so: kNoOpener).
bool OpenLink(const std::string& target);

// Replaces the opener (tests record the target instead); an empty function restores the desktop's.
void SetLinkOpener(std::function<bool(const std::string&)> opener);

namespace msg {
inline constexpr std::string_view kNoOpener = "Cannot open %s: no program to open it was found.";
}  // namespace msg

}  // namespace plexon
