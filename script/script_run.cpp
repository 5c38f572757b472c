// The script runs of the main window.
#include "app/main_dialog.h"

namespace zavo {

void MainDialog::OnScript() {}
TableRunEnd MainDialog::RunTable() { return TableRunEnd::Completed; }
bool MainDialog::RunOperationLine(const std::string&) { return true; }
void MainDialog::ReadStartupScript() {}
void MainDialog::RunStartupScript() { fields_.startupScript = false; }

}  // namespace zavo
