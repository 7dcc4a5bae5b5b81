#pragma once
// Resource and control numbers shared by tzk.rc and the program.
#define IDI_TZK 101
#define IDS_CAPTION 1
#define IDD_SCORE_LIST 141
#define IDD_SCORE_ENTRY 142
#define IDC_ENTRY_NAME 1003
#define IDC_ENTRY_SCORE 1004
#define IDC_ENTRY_RANK 1005
#define IDC_LIST_NAME_FIRST 1004
#define IDC_LIST_SCORE_FIRST 1014
