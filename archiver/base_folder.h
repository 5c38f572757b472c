// The base folder of e, x and s: created when it does not exist yet, as a person naming a new
// destination expects.
#pragma once

#include <string>

namespace unlha {

// Creates every missing folder of `base` (empty, or ending in '\\' or ':'); false with the
// reason when one cannot be made.
bool MakeBaseFolder(const std::string& base, std::string& why);

}  // namespace unlha
