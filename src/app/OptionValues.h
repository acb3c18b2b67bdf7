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

// --suffix-hot, --suffix-disabled, --suffix-pressed and --config, which both commands take into
// fields of the same names: true when `name` is one of them.
template <class Options>
bool TakeLetterOption(std::string_view name, std::string_view value, Options& options) {
    if (name == "suffix-hot")
        options.suffixHot = SuffixLetter(value);
    else if (name == "suffix-disabled")
        options.suffixDisabled = SuffixLetter(value);
    else if (name == "suffix-pressed")
        options.suffixPressed = SuffixLetter(value);
    else if (name == "config")
        options.configFile = std::string(value);
    else
        return false;
    return true;
}

// The settings file's letters with those given on the command line in their place. A letter given
// must not be one the file gives another state; what the file holds on its own is taken as it is.
SuffixSettings WithGivenLetters(SuffixSettings fromFile, const std::optional<std::string>& hot,
                                const std::optional<std::string>& disabled,
                                const std::optional<std::string>& pressed);

}  // namespace plexon
