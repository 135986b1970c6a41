// Resource and control ids of the about box frmAbout; defines only, for the resource script too.
#pragma once

#define IDD_frmAbout 300
#define IDC_frmAbout_cmdOK 1
#define IDC_frmAbout_picIcon 2001
#define IDC_frmAbout_lblTitle 2002
#define IDC_frmAbout_lblVersion 2003
#define IDC_frmAbout_Command1 2004
