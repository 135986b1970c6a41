// Resource and control ids of the three theme dialogs (new name, load, delete); defines only, for
// the resource script too. The button that closes a dialog without acting carries the dialog
// manager's Cancel id so Esc does the same.
#pragma once

#define IDD_frmNewName 310
#define IDD_frmExistingNames 311
#define IDD_frmDelete 312

#define IDC_frmNewName_CommandOk 1
#define IDC_frmNewName_CommandCancel 2
#define IDC_frmNewName_Frame1 2101
#define IDC_frmNewName_txtNewName 2102
#define IDC_frmNewName_Label1 2103

#define IDC_frmExistingNames_CommandOk 1
#define IDC_frmExistingNames_CommandCancel 2
#define IDC_frmExistingNames_Frame1 2201
#define IDC_frmExistingNames_listExistingSavers 2202

#define IDC_frmDelete_CommandOk 2
#define IDC_frmDelete_Frame1 2301
#define IDC_frmDelete_listExistingSavers 2302
#define IDC_frmDelete_CommandDelete 2303
