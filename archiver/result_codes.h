// The results of a library run: 0 is success, every failure has its own documented number.
#pragma once

namespace unlha {

enum ResultCode : int {
    kSuccess = 0,
    kBadCommandLine = 1,     // unknown command or switch, or no archive named
    kArchiveMissing = 2,     // the archive cannot be opened (or does not exist for l/v/t/e/x/f/d/s)
    kArchiveDamaged = 3,     // a broken header, or an entry whose data is damaged
    kPathRefused = 4,        // an entry's path or kind is unsafe to extract (nothing written for it)
    kFileFailed = 5,         // a file could not be read, created or written
    kNoFiles = 6,            // no file matched the names given to a, u or f
    kBusy = 7,               // another run of this library is in progress in this process
    kCancelled = 8,          // the user pressed Cancel; nothing was changed
    kStubMissing = 9,        // s: the self-extracting program is not built into this library
    kBadArguments = 10,      // a null command line or an output buffer that holds nothing
};

}  // namespace unlha
