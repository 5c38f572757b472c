// Control ids of the script editor (dialog 136).
#pragma once

#define IDC_SCRIPT_RUN 1
#define IDC_SCRIPT_CLOSE 2
#define IDC_SCRIPT_PATH 1025
#define IDC_SCRIPT_PATH_LIST 1026
#define IDC_SCRIPT_SHOW 1027
#define IDC_SCRIPT_APPEND 1028
#define IDC_SCRIPT_CONTENTS 1029
#define IDC_SCRIPT_COMMENT 1030
#define IDC_SCRIPT_WRITE_ALL 1031
