// Dispatch of the command line and the mapping of usage errors to their exit status.
#include "app/CommandLine.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "app/BatchOptions.h"
#include "app/SplitCommand.h"
#include "app/WeldCommand.h"
#include "runtime/PathText.h"

namespace plexon {

void ReportUsageError(Console& console, std::string_view command, const UsageError& error) {
    console.err << "plexon" << (command.empty() ? "" : " ") << command << ": " << error.Message()
                << "\nTry 'plexon --help' for more information.\n";
}

std::string ErrorLine(const std::string& path, std::string_view message) {
    return "plexon: " + (path.empty() ? std::string() : path + ": ") +
           ErrorDisplayText(std::string(message)) + "\n";
}

int ReportCurrentError(Console& console, const std::string& path) {
    try {
        throw;
    } catch (const UsageError& e) {
        ReportUsageError(console, {}, e);
        return kExitUsage;
    } catch (const Exception& e) {
        if (!e.FilePath().empty())
            console.err << "plexon: " << e.FilePath() << ": " << e.FileReason() << '\n';
        else
            console.err << ErrorLine(path, e.Message());
    } catch (const std::exception& e) {
        console.err << ErrorLine(path, e.what());
    }
    return kExitFailed;
}

namespace {

// What the window would have opened had it existed; it is no command that went wrong.
bool LooksLikePath(std::string_view arg) {
    return !arg.starts_with('-') &&
           (arg.find('/') != std::string_view::npos || EndsWithIgnoringCase(arg, ".bmp") ||
            EndsWithIgnoringCase(arg, ".png") || EndsWithIgnoringCase(arg, ".svg"));
}

}  // namespace

int RunCommandLine(std::span<const std::string> args, std::string_view version, Console& console) {
    if (!args.empty() && LooksLikePath(args[0])) {
        console.err << "plexon: " << args[0] << ": " << std::strerror(ENOENT) << '\n';
        return kExitFailed;
    }
    Command command;
    try {
        command = ParseCommandLine(args);
    } catch (const UsageError& e) {
        ReportUsageError(console, {}, e);
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
            return RunWeldCommand(std::move(command.weld), console);
        case CommandKind::Split:
            return RunSplitCommand(std::move(command.split), console);
    }
    return kExitUsage;
}

}  // namespace plexon
