// The question about an existing file.
#include "sfx/overwrite_dialog.h"

#include "sfx/sfx_ids.h"
#include "win/window_text.h"

namespace sfx {

OverwriteDialog::OverwriteDialog(std::string path) : win::Dialog(IDD_SFX_OVERWRITE), path_(std::move(path)) {}

OverwriteAnswer OverwriteDialog::Ask(HWND owner) {
    switch (RunModal(owner)) {
    case IDYES: return OverwriteAnswer::Yes;
    case IDNO: return OverwriteAnswer::No;
    case IDC_OVERWRITE_ALL: return OverwriteAnswer::YesToAll;
    default: return OverwriteAnswer::Cancel;
    }
}

bool OverwriteDialog::OnInit() {
    win::SetText(Item(IDC_OVERWRITE_TEXT), "次のファイルはすでにあります。置き換えますか?\n\n" + path_);
    MessageBeep(MB_ICONQUESTION);
    return true;
}

bool OverwriteDialog::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED || (id != IDYES && id != IDNO && id != IDC_OVERWRITE_ALL)) return false;
    End(id);
    return true;
}

}  // namespace sfx
