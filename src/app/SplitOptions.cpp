// Command line parsing for `plexon split`: its table of options and what each one sets.
#include "app/SplitOptions.h"

#include "app/OptionValues.h"
#include "runtime/PathText.h"

namespace plexon {

namespace {

constexpr OptionSpec kOptions[] = {
    {'o', "output", Takes::Value},        {'n', "states", Takes::Value},
    {0, "order", Takes::Value},           {0, "suffix-hot", Takes::Value},
    {0, "suffix-disabled", Takes::Value}, {0, "suffix-pressed", Takes::Value},
    {0, "config", Takes::Value},          {'q', "quiet", Takes::Nothing},
    {'h', "help", Takes::Nothing},
};

// Each slot becomes the file of its state, so no state may fill two.
void CheckDifferent(const SlotStates& states, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (states[i] == states[j])
                throw UsageError(Format("--order names %s twice; each state is one file",
                                        {LowerCase(std::string(DisplayText(states[i])))}));
}

}  // namespace

std::optional<SplitOptions> ParseSplitOptions(std::span<const std::string> args) {
    SplitOptions options;
    bool help = false;
    ParseOptions(
        args, kOptions,
        [&](const OptionSpec& option, std::optional<std::string_view> value) {
            const std::string_view name = option.longName;
            if (TakeLetterOption(name, value.value_or(""), options)) return;
            if (name == "output") {
                if (value->empty()) throw UsageError("the output folder is empty");
                options.outputFolder = *value;
            } else if (name == "states") {
                options.stateCount = ParseStateCount(*value);
            } else if (name == "order") {
                options.slotStates = ParseOrder(*value, options.orderCount);
                CheckDifferent(options.slotStates, options.orderCount);
            } else if (name == "quiet") {
                options.quiet = true;
            } else if (name == "help") {
                help = true;
            }
        },
        [&](const std::string& strip) { options.strips.push_back(strip); });
    if (help) return std::nullopt;
    if (options.outputFolder.empty()) throw UsageError("the output folder is missing (-o DIR)");
    if (options.strips.empty()) throw UsageError("no strips given");
    if (options.stateCount && options.orderCount < std::size_t(*options.stateCount))
        throw UsageError("--order names fewer states than the state count");
    return options;
}

}  // namespace plexon
