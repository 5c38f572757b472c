// Resource numbers of the program file: dialogs, icons and bitmaps. Control ids live in one
// header per window beside this one.
#pragma once

#define IDD_MAIN 102
#define IDD_SCRIPT 136
#define IDD_RECORD 137
#define IDD_PAUSE 138

// Icon order is the order of the ids: the file-type registration relies on index 1 being the
// script icon.
#define IDI_PROGRAM 128
#define IDI_SCRIPT_FILE 130
#define IDI_ARCHIVE 131

#define IDB_LOGO 129

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
