/* Resource and control ids of the self-extracting program (read by windres and C++). */
#pragma once

#define IDI_SFX 1
#define IDD_SFX 100
#define IDD_SFX_OVERWRITE 101

#define IDC_SFX_ENTRIES 1001
#define IDC_SFX_TOTAL 1002
#define IDC_SFX_DESTINATION 1003
#define IDC_SFX_BROWSE 1004
#define IDC_SFX_CURRENT 1005
#define IDC_SFX_PROGRESS 1006

#define IDC_OVERWRITE_TEXT 1101
#define IDC_OVERWRITE_ALL 1102
