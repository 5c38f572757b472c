// Making the destination and the entries' folders below it, with the failures worded for the user.
#include "sfx/output_folders.h"

#include "archiver/make_folders.h"
#include "archiver/system_text.h"
#include "text/cp932.h"

namespace sfx {

std::string SystemMessage(unsigned long error) {
    const std::string message = unlha::SystemErrorText(error, unlha::Language::Japanese);
    return message.empty() ? "エラー " + std::to_string(error) : message;
}

bool MakeDestination(const std::string& destination, std::string& why) {
    unlha::FolderStop stop;
    if (unlha::MakeDestinationFolders(cp932::WithFolderSeparator(destination), stop)) return true;
    why = stop.error ? "フォルダ " + stop.path + " を作れません: " + SystemMessage(stop.error)
                     : stop.path + " はフォルダではありません。";
    return false;
}

std::string FolderFailure(const unlha::FolderStop& stop) {
    return stop.error ? "フォルダ " + stop.path + " を作れません: " + SystemMessage(stop.error)
                      : stop.path + " はフォルダではなく、ファイルかリンクです。";
}

}  // namespace sfx
