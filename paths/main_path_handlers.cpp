// The archive path list, its switch, the "BT9" button and the base path drop-down of the main window.
#include "app/main_dialog.h"

#include "paths/base_path_list.h"
#include "paths/path_picker.h"
#include "resources/main_dialog_ids.h"
#include "win/controls.h"

namespace zavo {
namespace {

paths::PathListBinding MainPathList(MainDialog& dialog, std::string& lzhPath, std::string& selection,
                                    const bool& enabled) {
    return {dialog.Handle(), IDC_LZH_PATH, IDC_PATH_LIST, &lzhPath, &selection, &enabled,
            [&dialog](win::Direction d) { dialog.UpdateFields(d); }, paths::kMainWindowPathList};
}

}  // namespace

void MainDialog::RefillPathList() {
    paths::RefillPathList(MainPathList(*this, fields_.values.lzhPath, fields_.pathListSelection, fields_.enablePathList));
}

void MainDialog::CommitPathListEntry() {
    paths::CommitPathListEntry(
        MainPathList(*this, fields_.values.lzhPath, fields_.pathListSelection, fields_.enablePathList));
}

void MainDialog::OnLzhPathChanged() { RefillPathList(); }

void MainDialog::ApplyPathListSwitch() {
    UpdateFields(win::Direction::ToFields);
    win::ListBox list(Handle(), IDC_PATH_LIST);
    win::Control bt9(Handle(), IDC_BT9);
    if (fields_.enablePathList) {
        RefillPathList();
        bt9.Enable(false);
        bt9.Show(false);
        list.Show(true);
    } else {
        list.Reset();
        list.Show(false);
        bt9.Show(true);
        bt9.Enable(true);
    }
    UpdateFields(win::Direction::ToControls);
}

void MainDialog::OnEnablePathListClicked() { ApplyPathListSwitch(); }

void MainDialog::OnBt9Clicked() {
    win::Control(Handle(), IDC_BT9).Enable(false);
    fields_.enablePathList = true;
    UpdateFields(win::Direction::ToControls);
    ApplyPathListSwitch();
}

void MainDialog::OnBasePathDropDown() {
    paths::FillBasePathList(Handle(), IDC_BASE_PATH, fields_.values.basePath,
                            [this](win::Direction d) { UpdateFields(d); });
}

void MainDialog::OnBasePathCloseUp() { paths::PutComboCaretAtEnd(Handle(), IDC_BASE_PATH); }

void MainDialog::LoadBt9Faces() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const char* names[3] = {"BT9U", "BT9D", "BT9X"};
    for (int i = 0; i < 3; ++i) bt9Faces_[i].Reset(LoadBitmapA(instance, names[i]));
    BITMAP size{};
    if (!bt9Faces_[0] || !GetObjectA(bt9Faces_[0].Get(), sizeof size, &size)) return;
    // The button takes the size of its faces.
    SetWindowPos(Item(IDC_BT9), nullptr, 0, 0, size.bmWidth, size.bmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool MainDialog::DrawBt9(const DRAWITEMSTRUCT& item) {
    int face = (item.itemState & ODS_DISABLED) ? 2 : (item.itemState & ODS_SELECTED) ? 1 : 0;
    if (!bt9Faces_[face]) return false;
    HDC source = CreateCompatibleDC(item.hDC);
    if (!source) return false;
    HGDIOBJ previous = SelectObject(source, bt9Faces_[face].Get());
    const RECT& r = item.rcItem;
    BitBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source, 0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    return true;
}

}  // namespace zavo
