// A system error in the system's own words, for one line of text: the library's output and the
// self-extracting program's window alike.
#pragma once

#include <string>

#include "archiver/messages.h"

namespace unlha {

// The system's sentence for `error` in `language` (Windows without that language's messages gives
// its own), without its full stop and line end; empty when the system has no words for it.
std::string SystemErrorText(unsigned long error, Language language);

}  // namespace unlha
