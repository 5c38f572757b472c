// The archiver command line: tokens (quoted arguments taken whole), the command letter, the
// switches and the positional arguments (archive, base folder, file names).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archiver/messages.h"

namespace unlha {

struct Token {
    std::string text;
    bool quoted = false;   // some part was in double quotes: never a switch, kept even when empty
};

// Splits at blanks and tabs outside double quotes; the quotes themselves are dropped.
std::vector<Token> Tokenize(std::string_view line);

struct Switches {
    bool recurse = false;          // -r1
    bool keepFolders = false;      // -x1
    bool allAttributes = false;    // -a1
    bool overwrite = false;        // -jyo
    bool ignoreTimes = false;      // -c
    std::string methodId = "-lh5-";  // -o5/-o6/-o7, -z for -lh0-
    int headerLevel = 2;           // -h0/-h1/-h2
    bool noWindows = false;        // -n
    std::optional<Language> language;  // -le English, -lj Japanese; else the user's
    int threads = 0;               // -t<n>: compressing threads, 0 for one per core
};

struct Command {
    char letter = 0;                   // lower case: a u f d e x l v t s
    Switches switches;
    std::string archivePath;
    std::string baseFolder;            // ends with '\' or ':' when given; empty when none
    std::vector<std::string> fileNames;  // never empty: "*.*" when none were given
};

struct ParseResult {
    bool ok = false;
    Command command;
    std::string error;   // what was not understood, when !ok
};

ParseResult ParseCommandLine(std::string_view line);

// Whether a line that may not parse still asks for no windows (-n alone as a switch), so that a
// script's mistyped switch does not stop it on a message box.
bool AsksNoWindows(std::string_view line);

// The language a line asks for with -le or -lj, read before it is parsed so that even the words
// that say it cannot be parsed are in that language.
std::optional<Language> AskedLanguage(std::string_view line);

// The archive path as the file is named: ".LZH" appended when its last part has no extension.
std::string WithDefaultExtension(const std::string& path);

}  // namespace unlha
