// One library run: the parsed command, the text it returns, its progress and its result.
#pragma once

#include <string>

#include "archiver/command_line.h"
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
    std::string reason;   // the first failure, for the message box

    // Records a failure; the first one decides the result, except that a cancel always wins.
    void Fail(int code, const std::string& why) {
        if (result == kSuccess || (code == kCancelled && result != kCancelled)) {
            result = code;
            reason = why;
        }
    }
};

// The commands, one file each.
void RunList(Run& run);      // l, v
void RunTest(Run& run);      // t
void RunExtract(Run& run);   // e, x
void RunUpdate(Run& run);    // a, u, f, d
void RunMakeSfx(Run& run);   // s

// "the system cannot find the file specified" and the like, for output lines.
std::string SystemMessage(unsigned long error);

}  // namespace unlha
