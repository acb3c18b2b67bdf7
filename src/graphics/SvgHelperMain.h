// The SVG helper process: `plexon --svg-helper PARENT_PID` parses and renders the documents the
// program sends over its socket (SvgProtocol.h), under limits it puts on itself first, until the
// program closes the socket. librsvg is loaded here, never in the program.
#pragma once

namespace plexon {

// True when the command line asks for the helper (checked before anything else starts).
bool IsSvgHelperCommand(int argc, char** argv);

// Serves until the socket closes; gives the exit status.
int RunSvgHelper(int argc, char** argv);

}  // namespace plexon
