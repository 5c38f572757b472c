// "関連付け": registers the script file type for the running copy of the program.
#include "app/main_dialog.h"
#include "settings/registry_key.h"
#include "shell/file_type_entries.h"
#include "win/message_box.h"

namespace zavo {
namespace {

// The running program's own file. The buffer grows until the whole path fits, so a deep folder
// never registers a cut-off path.
std::string ProgramPath() {
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return buffer.substr(0, length);
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

void MainDialog::OnAssociate() {
    std::string failedKeys;
    for (const FileTypeEntry& entry : ScriptFileTypeEntries(ProgramPath())) {
        win::UniqueKey key;
        bool written = registry::CreateKey(HKEY_CLASSES_ROOT, entry.keyPath, key) == ERROR_SUCCESS &&
                       registry::SetString(key.Get(), "", entry.value) == ERROR_SUCCESS;
        if (!written) failedKeys += "\nHKEY_CLASSES_ROOT\\" + entry.keyPath;
    }
    if (failedKeys.empty()) {
        win::ShowMessage(Handle(), "関連付けを行ないました。", "ZAVO", MB_OK);
    } else {
        win::ShowMessage(Handle(), "関連付けに失敗しました。次のキーに書き込めませんでした:" + failedKeys, "ZAVO",
                         MB_OK | MB_ICONEXCLAMATION);
    }
}

}  // namespace zavo
