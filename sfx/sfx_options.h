// The self-extracting program's command line: -d "<destination>" and -y for unattended use.
#pragma once

#include <string>

namespace sfx {

struct Options {
    std::string destination;   // empty: the program's own folder
    bool unattended = false;   // -y: no windows, replace existing files, answer by exit code
    std::string error;         // the first thing not understood (the rest is still read, so
                               // -y keeps its windows shut even then)
};

// `arguments` is the command line after the program's name (code page 932). Switches start with
// '-' or '/', case does not matter; "-d" takes the next argument or the rest of its own
// ("-dC:\out"). Quoted arguments are taken whole.
Options ParseOptions(const std::string& arguments);

// The command line without the program's name at its front (quoted or not).
std::string ArgumentsAfterProgram(const std::string& commandLine);

}  // namespace sfx
