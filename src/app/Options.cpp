// The shared option parser: walks the arguments once against a command's table of options.
#include "app/Options.h"

#include <cstddef>

namespace plexon {

namespace {

class Parser {
  public:
    Parser(std::span<const std::string> args, std::span<const OptionSpec> table, const ApplyOption& apply)
        : args_(args), table_(table), apply_(apply) {}

    void Run(const TakeOperand& operand) {
        bool optionsEnded = false;
        for (index_ = 0; index_ < args_.size(); ++index_) {
            const std::string& arg = args_[index_];
            if (optionsEnded || arg == "-" || arg.size() < 2 || arg[0] != '-') {
                operand(arg);
            } else if (arg == "--") {
                optionsEnded = true;
            } else if (arg[1] == '-') {
                ParseLong(std::string_view(arg).substr(2));
            } else {
                ParseShort(arg);
            }
        }
    }

  private:
    const OptionSpec* FindLong(std::string_view name) const {
        for (const OptionSpec& option : table_)
            if (option.longName == name) return &option;
        return nullptr;
    }

    const OptionSpec* FindShort(char name) const {
        for (const OptionSpec& option : table_)
            if (option.shortName != 0 && option.shortName == name) return &option;
        return nullptr;
    }

    void ParseLong(std::string_view body) {
        std::size_t equals = body.find('=');
        std::string_view name = body.substr(0, equals);
        const OptionSpec* option = FindLong(name);
        if (!option) throw UsageError(Format("unknown option --%s", {name}));
        std::optional<std::string_view> value;
        if (equals != std::string_view::npos) {
            if (option->takes == Takes::Nothing) throw UsageError(Format("--%s takes no value", {name}));
            value = body.substr(equals + 1);
        } else if (option->takes == Takes::Value) {
            value = NextArgument(std::string("--") + std::string(name));
        }
        apply_(*option, value);
    }

    void ParseShort(std::string_view arg) {
        for (std::size_t i = 1; i < arg.size(); ++i) {
            const OptionSpec* option = FindShort(arg[i]);
            if (!option) throw UsageError(Format("unknown option -%s", {arg.substr(i, 1)}));
            if (option->takes == Takes::Nothing) {
                apply_(*option, std::nullopt);
                continue;
            }
            std::string_view rest = arg.substr(i + 1);
            apply_(*option, rest.empty() ? NextArgument(std::string("-") + arg[i]) : rest);
            return;
        }
    }

    std::string_view NextArgument(const std::string& option) {
        if (index_ + 1 >= args_.size()) throw UsageError(Format("%s needs a value", {option}));
        return args_[++index_];
    }

    std::span<const std::string> args_;
    std::span<const OptionSpec> table_;
    const ApplyOption& apply_;
    std::size_t index_ = 0;
};

}  // namespace

void ParseOptions(std::span<const std::string> args, std::span<const OptionSpec> table,
                  const ApplyOption& apply, const TakeOperand& operand) {
    Parser(args, table, apply).Run(operand);
}

}  // namespace plexon
