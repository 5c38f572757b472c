// The script editor "Script File": picks a script file, shows its text, appends the main
// window's values as a new entry, writes the edited text back, and starts the script.
#pragma once

#include <string>

#include "engine/command_values.h"
#include "paths/path_picker.h"
#include "resources/script_dialog_ids.h"
#include "win/data_exchange.h"
#include "win/dialog.h"

namespace zavo {

class ScriptDialog : public win::Dialog {
public:
    // Opens with `lastScriptPath` in its path field and keeps it up to date with the file shown;
    // appends `values`, the main window's as they were when the editor opened.
    ScriptDialog(const CommandValues& values, std::string& lastScriptPath);

    // The path field: after "実行(&E)" the script run reads this file.
    const std::string& Path() const { return fields_.path; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    void OnCancel() override;

private:
    struct Fields {
        std::string path;
        std::string comment;
        std::string contents;
        std::string listSelection;
    };

    void Exchange(win::DataExchange& dx) override;

    void OnShowFile();
    void OnAppendEntry();
    void OnWriteAll();
    // Reads every field and drops one line feed behind the path.
    void PreparePath();
    // Puts the file's text into the pane, scrolled to its end; false when it cannot be opened.
    bool ShowFile();
    void ReportCannotOpen();

    CommandValues values_;
    std::string& lastScriptPath_;
    Fields fields_;
    paths::PathList pathList_{*this, IDC_SCRIPT_PATH, IDC_SCRIPT_PATH_LIST, fields_.path, fields_.listSelection,
                              nullptr, paths::kScriptEditorPathList};
};

}  // namespace zavo
