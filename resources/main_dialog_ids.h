// Control ids of the main window (dialog 102).
#pragma once

#define IDC_OUTPUT_LOG 1000
#define IDC_LZH_PATH 1001
#define IDC_CLEAR 1007
#define IDC_ADD 1008
#define IDC_TEST 1009
#define IDC_UPDATE 1010
#define IDC_FILE_NAME 1011
#define IDC_RECURSIVE 1012
#define IDC_FOLDER_NAME 1013
#define IDC_FRESHEN 1014
#define IDC_OTHER_OPTION 1015
#define IDC_LIST 1016
#define IDC_DELETE 1017
#define IDC_MAKE_SELF 1018
#define IDC_PATH_LIST 1019
#define IDC_ENABLE_PATH_LIST 1021
#define IDC_SHOW_PATH_LIST 1022
#define IDC_SCRIPT 1023
#define IDC_NEWER_YES 1032
#define IDC_BASE_PATH 1033
#define IDC_ALL_ATTRIB 1034
#define IDC_RECALL_1 1035
#define IDC_RECALL_2 1036
#define IDC_RECALL_3 1037
#define IDC_RECORD 1038
#define IDC_ASSOCIATE 1039
// "&Extract" carries the accept identity and "Close" the cancel identity.
#define IDC_EXTRACT 1
#define IDC_CLOSE 2
