// Identifiers of the transfer dialog's resource and its controls.
#pragma once

#define IDD_TRANSFER 100
#define IDC_LABEL1 1001
#define IDC_DRIVE 1002
#define IDC_DIRPATH 1003
#define IDC_DIRLIST 1004
#define IDC_LABEL2 1005
#define IDC_NAME 1006
#define IDC_FRAME2 1007
#define IDC_VERSION5 1008
#define IDC_VERSION4 1009
#define IDC_EMBEDBEAM 1010
#define IDC_TRANSFER IDOK
#define IDC_CLOSE IDCANCEL
#define IDC_SAVEDOC 1011
#define IDC_LOG 1012
