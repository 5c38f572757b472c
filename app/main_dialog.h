// The main window: one archiver command's values, the eight command buttons, the path helpers,
// the recall slots, the script runs and the file-type registration. The features live in their
// folders (engine/, paths/, settings/, script/, shell/); the window holds the values and wires
// its controls to them.
#pragma once

#include <windows.h>

#include <string>

#include "app/command_line.h"
#include "app/program_state.h"
#include "engine/archiver_engine.h"
#include "engine/command_values.h"
#include "paths/path_picker.h"
#include "resources/main_dialog_ids.h"
#include "script/script_runner.h"
#include "script/script_table.h"
#include "win/bitmap_button.h"
#include "win/data_exchange.h"
#include "win/dialog.h"

namespace zavo {

// Every value of the window.
struct MainFields {
    std::string outputText;
    // The command's values, the command itself not bound to a control; the window starts with
    // "*.*" and every box but "recursive" ticked.
    CommandValues values{"", "", "", "*.*", {false, true, true, true}, ""};
    std::string pathListSelection;
    bool enablePathList = false;

    // Not bound to a control.
    ScriptTable scriptTable;
    bool startupScript = false;
    std::string scriptArgument;
    bool firstPaint = true;
};

class MainDialog : public win::Dialog, private ScriptHost {
public:
    MainDialog(ArchiverEngine& engine, ProgramState& state, std::string_view commandLine);

    const MainFields& Fields() const { return fields_; }

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    INT_PTR OnMessage(UINT message, WPARAM w, LPARAM l, bool& handled) override;

private:
    void Exchange(win::DataExchange& dx) override;
    void OnPaint();
    void OnClear();
    void ScrollOutputToEnd();
    void EnableCommandButtons(bool on);
    // Shows the path list or, with its switch off, the picture button in its place.
    void ApplyPathListSwitch();
    void OnShowPathListClicked();
    void OnRecall(int slot);
    void OnRecord();

    // main_command_run.cpp
    void OnCommandButton(const char* prefix);
    bool RunArchiverCommand();

    // main_script_run.cpp
    void OnScript();
    void ReadStartupScript();
    void RunStartupScript();
    TableRunEnd RunTable();
    HWND Owner() const override { return Handle(); }
    bool RunEntry(const CommandValues& row) override;
    void ShowOperation(const std::string& line, bool succeeded) override;
    void Close() override { OnCancel(); }

    ArchiverEngine& engine_;
    ProgramState& state_;
    MainFields fields_;
    paths::PathList pathList_{*this, IDC_LZH_PATH, IDC_PATH_LIST, fields_.values.lzhPath, fields_.pathListSelection,
                              &fields_.enablePathList, paths::kMainWindowPathList};
    HICON icon_ = nullptr;
    win::BitmapButton showPathList_;
};

}  // namespace zavo
