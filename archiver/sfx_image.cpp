// Naming the self-extracting program and checking its stub.
#include "archiver/sfx_image.h"

#include "text/cp932.h"

namespace unlha {

std::string SfxOutputPath(const std::string& archivePath, const std::string& baseFolder) {
    const std::string folder = cp932::FolderPart(archivePath);
    std::string name = archivePath.substr(folder.size());
    const std::size_t dot = cp932::FindLastChar(name, '.');
    if (dot != std::string::npos) name.resize(dot);
    return (baseFolder.empty() ? folder : baseFolder) + name + ".EXE";
}

bool IsProgramImage(const std::uint8_t* bytes, std::size_t size) {
    if (size < 0x40 || bytes[0] != 'M' || bytes[1] != 'Z') return false;
    const std::uint32_t pe = bytes[0x3C] | (bytes[0x3D] << 8) | (bytes[0x3E] << 16) | (static_cast<std::uint32_t>(bytes[0x3F]) << 24);
    return pe <= size - 4 && bytes[pe] == 'P' && bytes[pe + 1] == 'E' && bytes[pe + 2] == 0 && bytes[pe + 3] == 0;
}

}  // namespace unlha
