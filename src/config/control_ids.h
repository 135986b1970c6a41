// Resource and control ids of the theme editor window, its five tab pages and menu, and of the
// small windows it opens; shared by the resource script, the windows, the control tables and
// the tests. Defines only, so the resource compiler reads it. Each dialog and each tab page has
// its own block of numbers; toolbar buttons have ids of their own because a toolbar reports its
// buttons to the page it sits on. A button that closes a dialog carries the dialog manager's
// id (1 OK, 2 Cancel), so Enter and Esc reach it.
#pragma once
// Templates, menu and button pictures
#define IDD_Form2 200
#define IDD_Form2_Images 201
#define IDD_Form2_ImageSettings 202
#define IDD_Form2_Background 203
#define IDD_Form2_Countdown 204
#define IDD_Form2_Music 205
#define IDR_Form2Menu 210
// Button picture strips: theme strip (New, Load, Delete, Mouse), lists (Add, Delete,
// DeleteAll, Up, Down) and captions (ClearCaption, Font, Enlarge), at 16, 24 and 32 pixels; the
// theme strip's larger buttons also at 36 and 48.
#define IDB_ThemeButtons16 220
#define IDB_ThemeButtons24 221
#define IDB_ThemeButtons32 222
#define IDB_ListButtons16 223
#define IDB_ListButtons24 224
#define IDB_ListButtons32 225
#define IDB_CaptionButtons16 226
#define IDB_CaptionButtons24 227
#define IDB_CaptionButtons32 228
#define IDB_ThemeButtons36 229
#define IDB_ThemeButtons48 230

// The window itself. Ok and Cancel carry the dialog manager's own ids, so Enter and Esc reach
// them from every page. The rest start above 1020: a combo box numbers its own inner edit 1001.
#define IDC_Ok 1
#define IDC_Cancel 2
#define IDC_Frame7 1021
#define IDC_Label1 1022
#define IDC_ToolbarNew 1023
#define IDC_ToolbarLoad 1024
#define IDC_ToolbarDelete 1025
#define IDC_ToolbarMouse 1026
#define IDC_LabelNew 1027
#define IDC_LabelLoad 1028
#define IDC_LabelDelete 1029
#define IDC_LabelMouse 1030
#define IDC_SSTab1 1031
#define IDC_StatusBar1 1032
#define IDC_photo 1033
#define IDC_photo_caption 1034
#define IDC_ToolbarNew_New 1050
#define IDC_ToolbarLoad_Load 1051
#define IDC_ToolbarDelete_Delete 1052
#define IDC_ToolbarMouse_Mouse 1053

// "Images"
#define IDC_Frame3 1101
#define IDC_List1 1102
#define IDC_toolbarImages 1103
#define IDC_Text3 1104
#define IDC_ImagePosition 1105
#define IDC_FolderCommand 1106
#define IDC_Random_select 1107
#define IDC_photoDisplay 1108
#define IDC_photo1 1109
#define IDC_p_caption 1110
#define IDC_toolbarCaptions 1111
#define IDC_Picture2 1112
#define IDC_Label4 1113
#define IDC_scrollOption 1114
#define IDC_middleOption 1115
#define IDC_scrollSlider 1116
#define IDC_Label16 1117
#define IDC_toolbarImages_Add 1150
#define IDC_toolbarImages_Delete 1151
#define IDC_toolbarImages_DeleteAll 1152
#define IDC_toolbarImages_Up 1153
#define IDC_toolbarImages_Down 1154
#define IDC_toolbarCaptions_ClearCaption 1160
#define IDC_toolbarCaptions_Font 1161
#define IDC_toolbarCaptions_Enlarge 1162

// "Image Settings"
#define IDC_Frame6 1201
#define IDC_Label13 1202
#define IDC_percentLabel 1203
#define IDC_Label12 1204
#define IDC_Label15 1205
#define IDC_PercentSlider 1206
#define IDC_Label14 1207
#define IDC_ChangeImage 1208
#define IDC_aChange 1209
#define IDC_nChange 1210
#define IDC_Text2 1211
#define IDC_changeVScroll1 1212
#define IDC_Label3 1213
#define IDC_placement 1214
#define IDC_pCenter 1215
#define IDC_pRandom 1216
#define IDC_floatSlider 1217
#define IDC_Label11 1218
#define IDC_Label7 1219
#define IDC_Frame4 1220
#define IDC_ListBoxTransitions 1221

// "Background"
#define IDC_backgroundDesktop 1301
#define IDC_backgroundColor 1302
#define IDC_backgroundCustomImage 1303
#define IDC_backgroundColorGradient 1304
#define IDC_frameBackgroundColor 1305
#define IDC_Picture1 1306
#define IDC_backColorClick 1307
#define IDC_frameCustomImage 1308
#define IDC_backgroundImageFile 1309
#define IDC_addBackImg 1310
#define IDC_removeBackImg 1311
#define IDC_CenterOption 1312
#define IDC_FullScreenOption 1313
#define IDC_TileOption 1314
#define IDC_Image1 1315
#define IDC_frameColorGradient 1316
#define IDC_redLabel 1317
#define IDC_redSlider 1318
#define IDC_redPicture 1319
#define IDC_greenLabel 1320
#define IDC_greenSlider 1321
#define IDC_greenPicture 1322
#define IDC_blueLabel 1323
#define IDC_blueSlider 1324
#define IDC_bluePicture 1325
#define IDC_GradientPicture 1326

// "Countdown"
#define IDC_Frame2 1401
#define IDC_noneOption 1402
#define IDC_timeOption 1403
#define IDC_yearOption 1404
#define IDC_monthLabel 1405
#define IDC_monthCombo 1406
#define IDC_dayLabel 1407
#define IDC_dayCombo 1408
#define IDC_yearLabel 1409
#define IDC_yearCombo 1410

// "Music"
#define IDC_FrameMedia 1501
#define IDC_multimediaList 1502
#define IDC_ToolbarMedia 1503
#define IDC_multimediaTotal 1504
#define IDC_MediaPosition 1505
#define IDC_randomMediaCheck 1506
#define IDC_playCommand 1507
#define IDC_closeCommand 1508
#define IDC_ProgressBar1 1509
#define IDC_mediaStatusLabel 1510
#define IDC_mediaLabel 1511
#define IDC_ToolbarMedia_Add 1550
#define IDC_ToolbarMedia_Delete 1551
#define IDC_ToolbarMedia_DeleteAll 1552
#define IDC_ToolbarMedia_Up 1553
#define IDC_ToolbarMedia_Down 1554

// Menus
#define IDM_File 4000
#define IDM_NewTheme 4001
#define IDM_LoadTheme 4002
#define IDM_DeleteTheme 4003
#define IDM_Exit 4004
#define IDM_Save 4005
#define IDM_Help 4010
#define IDM_OrvelleHelp 4011
#define IDM_AboutOrvelle 4012
#define IDM_Websites 4020
#define IDM_HomePage 4021
#define IDM_Free 4022

// The about box
#define IDD_frmAbout 300
#define IDC_frmAbout_cmdOK 1
#define IDC_frmAbout_picIcon 2001
#define IDC_frmAbout_lblTitle 2002
#define IDC_frmAbout_lblVersion 2003
#define IDC_frmAbout_Command1 2004

// The theme dialogs: new, load and delete
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

// The mouse sensitivity dialog
#define IDD_frmMouse 320
#define IDC_frmMouse_Ok 1
#define IDC_frmMouse_Cancel 2
#define IDC_frmMouse_Frame5 3001
#define IDC_frmMouse_MouseSensitiveSlider 3002
#define IDC_frmMouse_Label8 3003
#define IDC_frmMouse_Label9 3004
#define IDC_frmMouse_defaultMouseSensitivity 3005

// The folder import window
#define IDD_MultiFiles 330
#define IDC_MultiFiles_cmdQuit 2
#define IDC_MultiFiles_fraFileControls 2501
#define IDC_MultiFiles_drvDrives 2502
#define IDC_MultiFiles_dirDirectories 2503
#define IDC_MultiFiles_filFilenames 2504
#define IDC_MultiFiles_Command1 2505
#define IDC_MultiFiles_lblFolder 2506
