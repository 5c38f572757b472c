// "関連付け": the script file type's registration.
#include "app/main_dialog.h"

namespace zavo {

void MainDialog::OnAssociate() {}

}  // namespace zavo
