// Creating the base folder, in the library's words.
#include "archiver/base_folder.h"

#include "archiver/make_folders.h"
#include "archiver/run.h"

namespace unlha {

bool MakeBaseFolder(const std::string& base, std::string& why) {
    FolderStop stop;
    if (MakeDestinationFolders(base, stop)) return true;
    why = stop.error ? Say(M::CannotCreateFolder, stop.path, SystemMessage(stop.error)) : Say(M::FileNotFolder, stop.path);
    return false;
}

}  // namespace unlha
