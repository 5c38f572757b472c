// The self-extracting program's exit codes, for scripts that run it with -y.
#pragma once

namespace sfx {

constexpr int kExitOk = 0;
constexpr int kExitEntryProblems = 1;   // some entry was refused or failed, or the archive is damaged
constexpr int kExitNoArchive = 2;       // the program cannot read itself or carries no archive
constexpr int kExitCommandLine = 3;     // the command line was not understood
constexpr int kExitCancelled = 4;       // cancelled, or the window closed without extracting
constexpr int kExitDestination = 5;     // the destination folder cannot be made

}  // namespace sfx
