// Hostile archives, built byte by byte, one row per case of the catalogue: the one table that
// both extractions (the library's and the self-extracting program's) are tested against.
#pragma once

#include <string>
#include <vector>

namespace zavo::testing {

struct Hostile {
    const char* row;          // the catalogue row it stands for
    std::string members;      // archive bytes before the end marker
};

std::vector<Hostile> HostileArchives();

// What may appear below the destination after a hostile row and "good.txt": the good file, and
// what follows a refused link, written inside as a plain folder or file.
bool AllowedAfterHostile(const std::string& path);

}  // namespace zavo::testing
