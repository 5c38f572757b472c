// Control ids of the pause dialog (dialog 138): "続行" is OK, "中止" is Cancel.
#pragma once

#define IDC_PAUSE_CONTINUE 1
#define IDC_PAUSE_STOP 2
