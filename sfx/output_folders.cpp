// Making the destination and the entries' folders below it, with the failures worded for the user.
#include "sfx/output_folders.h"

#include "archiver/make_folders.h"
#include "text/cp932.h"

namespace sfx {

std::string WithTrailingSeparator(const std::string& destination) {
    if (destination.empty() || cp932::EndsWithChar(destination, '\\') || cp932::EndsWithChar(destination, ':'))
        return destination;
    return destination + "\\";
}

std::string SystemMessage(unsigned long error) {
    const std::string message = unlha::SystemErrorText(error);
    return message.empty() ? "エラー " + std::to_string(error) : message;
}

bool MakeDestination(const std::string& destination, std::string& why) {
    unlha::FolderStop stop;
    if (unlha::MakeDestinationFolders(WithTrailingSeparator(destination), stop)) return true;
    why = stop.error ? "フォルダ " + stop.path + " を作れません: " + SystemMessage(stop.error)
                     : stop.path + " はフォルダではありません。";
    return false;
}

bool MakeFoldersBelow(const std::string& base, const std::vector<std::wstring>& folders, std::string& why) {
    unlha::FolderStop stop;
    if (unlha::MakeEntryFolders(base, folders, stop)) return true;
    why = stop.error ? "フォルダ " + stop.path + " を作れません: " + SystemMessage(stop.error)
                     : stop.path + " はフォルダではなく、ファイルかリンクです。";
    return false;
}

}  // namespace sfx
