// Reading the option values weld and split share.
#include "app/OptionValues.h"

#include "weld/SuffixLetters.h"

namespace plexon {

int ParseStateCount(std::string_view text) {
    if (text == "2" || text == "3" || text == "4") return text[0] - '0';
    throw UsageError(Format("the state count must be 2, 3 or 4, not \"%s\"", {text}));
}

SlotStates ParseOrder(std::string_view list, std::size_t& count) {
    const NamedSlotStates named = SlotStatesNamed(list);
    if (named.unknown) throw UsageError(Format("unknown state \"%s\" in --order", {*named.unknown}));
    if (named.tooMany) throw UsageError("--order names more than 4 states");
    count = named.count;
    return named.states;
}

std::string SuffixLetter(std::string_view text) {
    if (!IsSuffixLetter(text)) throw UsageError(std::string(msg::kSuffixLetters));
    return std::string(text);
}

SuffixSettings WithGivenLetters(SuffixSettings settings, const std::optional<std::string>& hot,
                                const std::optional<std::string>& disabled,
                                const std::optional<std::string>& pressed) {
    if (hot) settings.SuffixHot = *hot;
    if (disabled) settings.SuffixDisabled = *disabled;
    if (pressed) settings.SuffixPressed = *pressed;
    const std::optional<std::string>* given[] = {&hot, &disabled, &pressed};
    for (std::size_t i = 0; i < kSuffixedStates.size(); ++i)
        for (std::size_t j = 0; j < kSuffixedStates.size(); ++j)
            if (i != j && *given[i] && **given[i] == settings.*kSuffixedStates[j].setting)
                throw UsageError(std::string(msg::kSuffixLetters));
    return settings;
}

}  // namespace plexon
