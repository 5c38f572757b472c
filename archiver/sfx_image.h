// The self-extracting program's file: where it goes and what may serve as its program part.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace unlha {

// Named after the archive with ".EXE"; in the base folder when one is given, else beside the
// archive.
std::string SfxOutputPath(const std::string& archivePath, const std::string& baseFolder);

// True when `bytes` start like a Windows program ("MZ" and a PE header where it points).
bool IsProgramImage(const std::uint8_t* bytes, std::size_t size);

}  // namespace unlha
