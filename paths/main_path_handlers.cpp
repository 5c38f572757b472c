// The archive path list and the base path drop-down of the main window.
#include "app/main_dialog.h"

namespace zavo {

void MainDialog::RefillPathList() {}
void MainDialog::ApplyPathListSwitch() {}
void MainDialog::OnLzhPathChanged() {}
void MainDialog::CommitPathListEntry() {}
void MainDialog::OnEnablePathListClicked() {}
void MainDialog::OnBt9Clicked() {}
bool MainDialog::DrawBt9(const DRAWITEMSTRUCT&) { return false; }
void MainDialog::OnBasePathDropDown() {}
void MainDialog::OnBasePathCloseUp() {}
void MainDialog::LoadBt9Faces() {}

}  // namespace zavo
