// The main window: one archiver command's values, the eight command buttons, the path helpers,
// the recall slots, the script runs and the file-type registration. The handlers of each
// feature live beside that feature (engine/, paths/, settings/, script/, shell/).
#pragma once

#include <windows.h>

#include <string>

#include "app/command_line.h"
#include "app/program_state.h"
#include "engine/archiver_engine.h"
#include "engine/command_values.h"
#include "script/script_table.h"
#include "win/data_exchange.h"
#include "win/dialog.h"
#include "win/unique_handle.h"

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

// How a run of the script table ended.
enum class TableRunEnd { Completed, Stopped, Exited };

class MainDialog : public win::Dialog {
public:
    MainDialog(ArchiverEngine& engine, ProgramState& state, std::string_view commandLine);

    const MainFields& Fields() const { return fields_; }

    // Shared operations of the features.
    bool RunArchiverCommand();
    void EnableCommandButtons(bool on);
    // The busy check before a library call; may end the process with exit status 1.
    void RunBusyProtocol(const std::string& firstWarning);
    void RefillPathList();
    void ApplyPathListSwitch();
    void ScrollOutputToEnd();

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;
    INT_PTR OnMessage(UINT message, WPARAM w, LPARAM l, bool& handled) override;

private:
    void Exchange(win::DataExchange& dx) override;
    void OnPaint();
    void OnClear();

    // engine/command_run.cpp
    void OnCommandButton(const char* prefix);
    bool ConfirmWarning(const std::string& text);

    // paths/main_path_handlers.cpp
    void OnLzhPathChanged();
    void CommitPathListEntry();
    void OnEnablePathListClicked();
    void OnBt9Clicked();
    bool DrawBt9(const DRAWITEMSTRUCT& item);
    void OnBasePathDropDown();
    void OnBasePathCloseUp();
    void LoadBt9Faces();

    // settings/recall_handlers.cpp
    void OnRecall(int slot);
    void OnRecord();

    // script/script_run.cpp
    void OnScript();
    TableRunEnd RunTable();
    bool RunOperationLine(const std::string& line);  // false: the run must end (exit)
    void ReadStartupScript();
    void RunStartupScript();

    // shell/associate_handler.cpp
    void OnAssociate();

    ArchiverEngine& engine_;
    ProgramState& state_;
    MainFields fields_;
    HICON icon_ = nullptr;
    win::UniqueGdiObject bt9Faces_[3];   // up, down, disabled
};

}  // namespace zavo
