// Resource and control numbers of setup.exe, shared by setup.rc and the
// dialog code (the resource compiler needs them as plain defines).
#pragma once

#define IDI_SETUP 103
#define IDI_UNINSTALL 106

#define IDD_INSTALL 102
#define IDD_COPY 104
#define IDD_UNINSTALL 105

// dialog 102, install
#define IDC_INSTALL_PICTURE 1004
#define IDC_MSG_A 1005
#define IDC_MSG_B 1006
#define IDC_MSG_C 1007
#define IDC_MSG_D 1008
#define IDC_MSG_E 1009
#define IDC_MSG_F 1010
#define IDC_MSG_G 1012
#define IDC_START_MENU 1011
#define IDC_START_UP 1013
#define IDC_DESKTOP 1026
#define IDC_SEND_TO 1027
#define IDC_FOLDER_LABEL 1017
#define IDC_FOLDER 1003
#define IDC_BROWSE 1014
#define IDC_DEFAULT_FOLDER 1016

// dialog 104, copy progress
#define IDC_COPY_FROM_LABEL 1018
#define IDC_COPY_TO_LABEL 1019
#define IDC_COPY_FROM 1003
#define IDC_COPY_TO 1012
#define IDC_COPY_DONE 1020

// dialog 105, uninstall
#define IDC_UNINSTALL_NAME 1022
#define IDC_UNINSTALL_STATE 1025
#define IDC_UNINSTALL_PROGRESS 1024
#define IDC_UNINSTALL_START 1023

// The main window's command that opens the install dialog.
#define IDM_OPEN_INSTALL_DIALOG 12

// The version shown in the dialogs and stored in the version resource.
#define SETUP_VERSION_LABEL "0.84"
