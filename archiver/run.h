// One library run: the parsed command, the text it returns, its progress and its result.
#pragma once

#include <string>
#include <vector>

#include "archiver/command_line.h"
#include "archiver/messages.h"
#include "archiver/output_text.h"
#include "archiver/progress.h"
#include "archiver/result_codes.h"

namespace unlha {

struct Run {
    Run(const Command& c, Progress& p) : command(c), progress(p) {}

    const Command& command;
    Progress& progress;
    OutputText out;
    int result = kSuccess;
    std::string reason;                 // the first failure
    std::vector<std::string> problems;  // every failure, for the message box
    std::string summary;                // the last line, for the message box too

    // Records a failure; the first one decides the result, except that a cancel always wins.
    void Fail(int code, const std::string& why) {
        problems.push_back(why);
        if (result == kSuccess || (code == kCancelled && result != kCancelled)) {
            result = code;
            reason = why;
        }
    }

    // A failure that also gets a line of its own in the output.
    void Failure(int code, const std::string& why) {
        out.Line(why);
        Fail(code, why);
    }

    // The line that ends the output and the message box.
    void Summary(const std::string& line) {
        out.Line(line);
        summary = line;
    }
};

// The commands, one file each.
void RunList(Run& run);      // l, v
void RunTest(Run& run);      // t
void RunExtract(Run& run);   // e, x
void RunUpdate(Run& run);    // a, u, f, d
void RunMakeSfx(Run& run);   // s

// "the system cannot find the file specified" and the like, for output lines, in the run's
// language where the system has it.
std::string SystemMessage(unsigned long error);

// Why `path` cannot be created or written, in the user's terms: its folder is missing, it is
// read-only, the disk is full; the system's words follow.
std::string WriteProblem(const std::string& path, unsigned long error);

// "X is a folder, not an archive: name the archive file, for example X\ARCHIVE.LZH".
std::string ArchiveIsFolderProblem(const std::string& path);

// `folder` as a full path ("" is the current folder), for summaries that name it.
std::string FullFolder(const std::string& folder);

}  // namespace unlha
