// The registration of the script file type, with its report to the user.
#include "shell/associate.h"

#include <string>

#include "settings/registry_key.h"
#include "shell/file_type_entries.h"
#include "win/message_box.h"
#include "win/module_path.h"

namespace zavo {

void AssociateScriptFiles(HWND owner) {
    std::string failedKeys;
    for (const FileTypeEntry& entry : ScriptFileTypeEntries(win::ProgramPath())) {
        win::UniqueKey key;
        bool written = registry::CreateKey(HKEY_CLASSES_ROOT, entry.keyPath, key) == ERROR_SUCCESS &&
                       registry::SetString(key.Get(), "", entry.value) == ERROR_SUCCESS;
        if (!written) failedKeys += "\nHKEY_CLASSES_ROOT\\" + entry.keyPath;
    }
    if (failedKeys.empty()) {
        win::ShowMessage(owner, "関連付けを行ないました。", "ZAVO", MB_OK);
    } else {
        win::ShowMessage(owner, "関連付けに失敗しました。次のキーに書き込めませんでした:" + failedKeys, "ZAVO",
                         MB_OK | MB_ICONEXCLAMATION);
    }
}

}  // namespace zavo
