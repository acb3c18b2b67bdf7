// The option values the batch commands share (weld and split): state count, slot order and suffix
// letters, read from their text, and the letters given joined with the settings file's. A bad value
// raises UsageError.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "app/Options.h"
#include "weld/Slots.h"
#include "weld/SuffixSettings.h"

namespace plexon {

// "2", "3" or "4".
int ParseStateCount(std::string_view text);

// The states of --order; `count` receives how many were named.
SlotStates ParseOrder(std::string_view list, std::size_t& count);

// One suffix letter as --suffix-* takes it.
std::string SuffixLetter(std::string_view text);

// The settings file's letters with those given on the command line in their place. A letter given
// must not be one the file gives another state; what the file holds on its own is taken as it is.
SuffixSettings WithGivenLetters(SuffixSettings fromFile, const std::optional<std::string>& hot,
                                const std::optional<std::string>& disabled,
                                const std::optional<std::string>& pressed);

}  // namespace plexon
