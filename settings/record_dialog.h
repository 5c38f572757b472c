// "パラメータの記録": the user picks the slot that receives the main window's current values.
#pragma once

#include "engine/command_values.h"
#include "win/dialog.h"

namespace zavo {

class RecordDialog : public win::Dialog {
public:
    // Records the main window's values as they were when "&REC" was pressed.
    explicit RecordDialog(const CommandValues& values);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;  // "No. 1" carries the accept identity, so Enter records into slot 1

private:
    void RecordInto(int slot);

    CommandValues values_;
};

}  // namespace zavo
