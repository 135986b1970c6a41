// Resource and control ids of the folder import window MultiFiles; defines only, for the resource
// script too. Cancel carries the dialog manager's id so Esc does the same.
#pragma once

#define IDD_MultiFiles 330

#define IDC_MultiFiles_cmdQuit 2
#define IDC_MultiFiles_fraFileControls 2501
#define IDC_MultiFiles_drvDrives 2502
#define IDC_MultiFiles_dirDirectories 2503
#define IDC_MultiFiles_filFilenames 2504
#define IDC_MultiFiles_Command1 2505
#define IDC_MultiFiles_lblFolder 2506
