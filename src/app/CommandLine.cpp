// Dispatch of the command line and the mapping of usage errors to their exit status.
#include "app/CommandLine.h"

#include "app/BatchOptions.h"
#include "app/WeldCommand.h"

namespace plexon {

int RunCommandLine(std::span<const std::string> args, std::string_view version, Console& console) {
    Command command;
    try {
        command = ParseCommandLine(args);
    } catch (const UsageError& e) {
        console.err << "plexon: " << e.Message() << "\nTry 'plexon --help' for more information.\n";
        return kExitUsage;
    }
    switch (command.kind) {
        case CommandKind::Help:
            console.out << UsageText();
            return kExitDone;
        case CommandKind::Version:
            console.out << "plexon (Tesvo Plexon) " << version << '\n';
            return kExitDone;
        case CommandKind::Weld:
            return RunWeldCommand(command.weld, console);
    }
    return kExitUsage;
}

}  // namespace plexon
