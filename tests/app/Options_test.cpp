// The shared option parser: spellings of short and long options, operands, "--", and its usage errors.
#include "app/Options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plexon {
namespace {

constexpr OptionSpec kTable[] = {{'o', "output", Takes::Value}, {'q', "quiet", Takes::Nothing}};

// Each option as "name=value" (or "name"), each operand as "+arg"; a usage error as "!message".
std::string Trace(std::vector<std::string> args) {
    std::string trace;
    try {
        ParseOptions(
            args, kTable,
            [&](const OptionSpec& option, std::optional<std::string_view> value) {
                trace += std::string(option.longName) + (value ? "=" + std::string(*value) : "") + " ";
            },
            [&](const std::string& operand) { trace += "+" + operand + " "; });
    } catch (const UsageError& e) {
        trace += "!" + e.Message();
    }
    return trace;
}

TEST(Options, SpellingsOperandsAndErrors) {
    const struct {
        std::vector<std::string> args;
        std::string trace;
    } cases[] = {
        {{"-o", "d", "a"}, "output=d +a "},
        {{"-qod", "-"}, "quiet output=d +- "},
        {{"--output=x=y", "--quiet"}, "output=x=y quiet "},
        {{"--output", "-q"}, "output=-q "},
        {{"--", "-q", "--output"}, "+-q +--output "},
        {{"a", "-x"}, "+a !unknown option -x"},
        {{"--outputs"}, "!unknown option --outputs"},
        {{"--quiet=1"}, "!--quiet takes no value"},
        {{"-q", "-o"}, "quiet !-o needs a value"},
    };
    for (const auto& c : cases) EXPECT_EQ(Trace(c.args), c.trace) << c.args[0];
}

}  // namespace
}  // namespace plexon
