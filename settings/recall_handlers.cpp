// The recall buttons and "&REC" of the main window.
#include "app/main_dialog.h"

namespace zavo {

void MainDialog::OnRecall(int) {}
void MainDialog::OnRecord() {}

}  // namespace zavo
