// "パラメータの記録": the user picks the slot that receives the main window's current values.
#pragma once

#include "app/program_state.h"
#include "win/dialog.h"

namespace zavo {

class RecordDialog : public win::Dialog {
public:
    // The values come from the transfer area, which "&REC" fills just before.
    explicit RecordDialog(const TransferArea& transfer);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnOK() override;  // "No. 1" carries the accept identity, so Enter records into slot 1

private:
    void RecordInto(int slot);

    const TransferArea& transfer_;
};

}  // namespace zavo
