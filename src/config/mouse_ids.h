// Resource and control ids of the mouse sensitivity dialog frmMouse; defines only, for the
// resource script too.
#pragma once

#define IDD_frmMouse 320
#define IDC_frmMouse_Ok 1
#define IDC_frmMouse_Cancel 2
#define IDC_frmMouse_Frame5 3001
#define IDC_frmMouse_MouseSensitiveSlider 3002
#define IDC_frmMouse_Label8 3003
#define IDC_frmMouse_Label9 3004
#define IDC_frmMouse_defaultMouseSensitivity 3005
