// The root of a Windows path: the drive, share or device part that folder making never creates.
#pragma once

#include <cstddef>
#include <string_view>

namespace unlha {

// Bytes of `path` that make its root, with the '\' that ends it when there is one: "C:\", "C:",
// "\", "\\server\share\", "\\?\C:\", "\\?\UNC\server\share\", "\\.\device\". 0 when it is
// relative. Walks characters, so a 0x5C trail byte in a server or share name ends nothing.
std::size_t RootLength(std::string_view path);

}  // namespace unlha
