// Where the self-extracting program's own image ends in its file: the archive starts behind it.
#pragma once

#include <cstdint>

#include "codec/io.h"

namespace sfx {

// The end of the Windows program at the start of `file`: past its headers, the raw data of every
// section and a COFF symbol table if one was left in. 0 when the file does not start with a
// program image we can read (no "MZ", no PE header, a section table cut short).
std::uint64_t ProgramImageEnd(lzh::RandomAccessSource& file);

}  // namespace sfx
