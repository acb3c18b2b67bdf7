// The one option parser every command uses: a table of options per command, GNU-style short and
// long spellings, "--" ends them. It knows no option's meaning; the command applies each one.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "runtime/Exceptions.h"

namespace plexon {

// A command line the program cannot act on; the message says why, without the program name.
class UsageError : public Exception {
  public:
    using Exception::Exception;
};

enum class Takes { Value, Nothing };

struct OptionSpec {
    char shortName;  // 0 for none
    std::string_view longName;
    Takes takes;
};

using ApplyOption = std::function<void(const OptionSpec&, std::optional<std::string_view> value)>;
using TakeOperand = std::function<void(const std::string&)>;

// Hands each option of `table` found in args to `apply` (value only for Takes::Value) and every
// other argument to `operand`, in order. Throws UsageError for an unknown option or a missing or
// unwanted value. Short options may be bundled (-qn4) and take their value attached (-oDIR) or
// separate (-o DIR); long ones as --name=VALUE or --name VALUE.
void ParseOptions(std::span<const std::string> args, std::span<const OptionSpec> table,
                  const ApplyOption& apply, const TakeOperand& operand);

}  // namespace plexon
