// Resource and control ids of the theme editor window, its five tab pages and menu, and of the
// small windows it opens; shared by the resource script, the windows, the control tables and
// the tests. Defines only, so the resource compiler reads it.
//
// A name tells the kind, then the dialog or page, then the purpose:
//   IDD  dialog template (the window, a tab page, a small dialog)
//   IDR  other resource: the menu, a strip of button pictures
//   IDM  menu item
//   IDB  push button or toolbar button
//   IDX  check box
//   IDO  option button
//   IDE  edit box, typed into
//   IDT  static text: a label, or a read-only box used as one
//   IDG  group box (frame)
//   IDL  list box
//   IDK  slider (track bar) or scroll bar
//   IDP  picture: a colour swatch, a drawn surface, an icon
//   IDC  other control: drop-down box, tab strip, toolbar, status bar, progress bar
// The dialogs and pages: EDITOR (the window itself), IMAGES, SETTINGS (Image Settings),
// BACKGROUND, COUNTDOWN, MUSIC; NEW_THEME, LOAD_THEME, DELETE_THEME, MOUSE, ABOUT, IMPORT (the
// folder import). The names in the form's original design stand in the control tables.
//
// Each dialog and each tab page has its own block of numbers; toolbar buttons have ids of their
// own because a toolbar reports its buttons to the page it sits on. A button that closes a
// dialog carries the dialog manager's id (1 OK, 2 Cancel), so Enter and Esc reach it.
#pragma once

// Templates, menu and button pictures
#define IDD_EDITOR 200
#define IDD_EDITOR_IMAGES 201
#define IDD_EDITOR_SETTINGS 202
#define IDD_EDITOR_BACKGROUND 203
#define IDD_EDITOR_COUNTDOWN 204
#define IDD_EDITOR_MUSIC 205
#define IDR_EDITOR_MENU 210
// Button picture strips: theme strip (New, Load, Delete, Mouse), lists (Add, Delete,
// DeleteAll, Up, Down) and captions (ClearCaption, Font, Enlarge), at 16, 24 and 32 pixels; the
// theme strip's larger buttons also at 36 and 48.
#define IDR_THEME_BUTTONS_16 220
#define IDR_THEME_BUTTONS_24 221
#define IDR_THEME_BUTTONS_32 222
#define IDR_LIST_BUTTONS_16 223
#define IDR_LIST_BUTTONS_24 224
#define IDR_LIST_BUTTONS_32 225
#define IDR_CAPTION_BUTTONS_16 226
#define IDR_CAPTION_BUTTONS_24 227
#define IDR_CAPTION_BUTTONS_32 228
#define IDR_THEME_BUTTONS_36 229
#define IDR_THEME_BUTTONS_48 230

// The window itself. OK and Cancel carry the dialog manager's own ids, so Enter and Esc reach
// them from every page. The rest start above 1020: a combo box numbers its own inner edit 1001.
#define IDB_EDITOR_OK 1
#define IDB_EDITOR_CANCEL 2
#define IDG_EDITOR_THEMES 1021
#define IDT_EDITOR_HEADING 1022
#define IDC_EDITOR_NEW_TOOLBAR 1023
#define IDC_EDITOR_LOAD_TOOLBAR 1024
#define IDC_EDITOR_DELETE_TOOLBAR 1025
#define IDC_EDITOR_MOUSE_TOOLBAR 1026
#define IDT_EDITOR_NEW 1027
#define IDT_EDITOR_LOAD 1028
#define IDT_EDITOR_DELETE 1029
#define IDT_EDITOR_MOUSE 1030
#define IDC_EDITOR_TABS 1031
#define IDC_EDITOR_STATUS 1032
#define IDP_EDITOR_SCRATCH 1033
#define IDL_EDITOR_CAPTIONS 1034
#define IDB_EDITOR_NEW 1050
#define IDB_EDITOR_LOAD 1051
#define IDB_EDITOR_DELETE 1052
#define IDB_EDITOR_MOUSE 1053

// "Images"
#define IDG_IMAGES_PICTURES 1101
#define IDL_IMAGES_PICTURES 1102
#define IDC_IMAGES_TOOLBAR 1103
#define IDT_IMAGES_TOTAL 1104
#define IDT_IMAGES_POSITION 1105
#define IDB_IMAGES_ADD_FOLDER 1106
#define IDG_IMAGES_CAPTION 1108
#define IDP_IMAGES_PREVIEW 1109
#define IDE_IMAGES_CAPTION 1110
#define IDC_IMAGES_CAPTION_TOOLBAR 1111
#define IDP_IMAGES_FONT_COLOUR 1112
#define IDT_IMAGES_FONT_COLOUR 1113
#define IDO_IMAGES_SCROLLING 1114
#define IDO_IMAGES_CENTRED 1115
#define IDK_IMAGES_SCROLL_SPEED 1116
#define IDT_IMAGES_SCROLL_SPEED 1117
#define IDB_IMAGES_FOLDER_ENTRY 1118
#define IDT_IMAGES_CAPTION_SOURCE 1119
#define IDC_IMAGES_CAPTION_SOURCE 1120
#define IDB_IMAGES_ADD 1150
#define IDB_IMAGES_DELETE 1151
#define IDB_IMAGES_DELETE_ALL 1152
#define IDB_IMAGES_UP 1153
#define IDB_IMAGES_DOWN 1154
#define IDB_IMAGES_CLEAR_CAPTION 1160
#define IDB_IMAGES_FONT 1161
#define IDB_IMAGES_ENLARGE 1162

// "Image Settings"
#define IDG_SETTINGS_SIZE 1201
#define IDT_SETTINGS_LESS_THAN 1202
#define IDT_SETTINGS_PERCENT 1203
#define IDT_SETTINGS_OF_SCREEN 1204
#define IDT_SETTINGS_SIZE_MIN 1205
#define IDK_SETTINGS_SIZE 1206
#define IDT_SETTINGS_SIZE_MAX 1207
#define IDG_SETTINGS_CHANGE 1208
#define IDO_SETTINGS_AFTER 1209
#define IDO_SETTINGS_NEVER 1210
#define IDE_SETTINGS_INTERVAL 1211
#define IDK_SETTINGS_INTERVAL 1212
#define IDT_SETTINGS_SECONDS 1213
#define IDG_SETTINGS_MOVEMENT 1214
#define IDO_SETTINGS_CENTRED 1215
#define IDO_SETTINGS_FLOATING 1216
#define IDK_SETTINGS_FLOAT_SPEED 1217
#define IDT_SETTINGS_SLOW 1218
#define IDT_SETTINGS_FAST 1219
#define IDG_SETTINGS_TRANSITIONS 1220
#define IDL_SETTINGS_TRANSITIONS 1221
#define IDG_SETTINGS_ORDER 1222
#define IDX_SETTINGS_RANDOM 1223
#define IDX_SETTINGS_NO_REPEATS 1224
#define IDX_SETTINGS_RESUME 1225
#define IDX_SETTINGS_BROWSE_KEYS 1226
#define IDT_SETTINGS_PICTURES_ON 1227
#define IDC_SETTINGS_PICTURES_ON 1228
#define IDT_SETTINGS_PICTURES_ON_HINT 1229

// "Background"
#define IDO_BACKGROUND_DESKTOP 1301
#define IDO_BACKGROUND_COLOUR 1302
#define IDO_BACKGROUND_PICTURE 1303
#define IDO_BACKGROUND_GRADIENT 1304
#define IDG_BACKGROUND_COLOUR 1305
#define IDP_BACKGROUND_COLOUR 1306
#define IDB_BACKGROUND_CHOOSE_COLOUR 1307
#define IDG_BACKGROUND_PICTURE 1308
#define IDE_BACKGROUND_PICTURE_FILE 1309
#define IDB_BACKGROUND_ADD_PICTURE 1310
#define IDB_BACKGROUND_REMOVE_PICTURE 1311
#define IDO_BACKGROUND_CENTRED 1312
#define IDO_BACKGROUND_FULL_SCREEN 1313
#define IDO_BACKGROUND_TILED 1314
#define IDP_BACKGROUND_THUMBNAIL 1315
#define IDG_BACKGROUND_GRADIENT 1316
#define IDT_BACKGROUND_RED 1317
#define IDK_BACKGROUND_RED 1318
#define IDP_BACKGROUND_RED 1319
#define IDT_BACKGROUND_GREEN 1320
#define IDK_BACKGROUND_GREEN 1321
#define IDP_BACKGROUND_GREEN 1322
#define IDT_BACKGROUND_BLUE 1323
#define IDK_BACKGROUND_BLUE 1324
#define IDP_BACKGROUND_BLUE 1325
#define IDP_BACKGROUND_GRADIENT 1326

// "Countdown"
#define IDG_COUNTDOWN_CLOCK 1401
#define IDO_COUNTDOWN_NOTHING 1402
#define IDO_COUNTDOWN_TIME 1403
#define IDO_COUNTDOWN_TO_DATE 1404
#define IDT_COUNTDOWN_MONTH 1405
#define IDC_COUNTDOWN_MONTH 1406
#define IDT_COUNTDOWN_DAY 1407
#define IDC_COUNTDOWN_DAY 1408
#define IDT_COUNTDOWN_YEAR 1409
#define IDC_COUNTDOWN_YEAR 1410

// "Music"
#define IDG_MUSIC 1501
#define IDL_MUSIC_FILES 1502
#define IDC_MUSIC_TOOLBAR 1503
#define IDT_MUSIC_TOTAL 1504
#define IDT_MUSIC_POSITION 1505
#define IDX_MUSIC_RANDOM 1506
#define IDB_MUSIC_PLAY 1507
#define IDB_MUSIC_STOP 1508
#define IDC_MUSIC_PROGRESS 1509
#define IDT_MUSIC_STATUS 1510
#define IDT_MUSIC_NO_SOUND 1511
#define IDB_MUSIC_ADD 1550
#define IDB_MUSIC_DELETE 1551
#define IDB_MUSIC_DELETE_ALL 1552
#define IDB_MUSIC_UP 1553
#define IDB_MUSIC_DOWN 1554

// Menus
#define IDM_FILE_NEW 4001
#define IDM_FILE_LOAD 4002
#define IDM_FILE_DELETE 4003
#define IDM_FILE_EXIT 4004
#define IDM_FILE_SAVE 4005
#define IDM_HELP_CONTENTS 4011
#define IDM_HELP_ABOUT 4012
#define IDM_WEB_HOME 4021
#define IDM_WEB_FREE 4022

// The about box
#define IDD_ABOUT 300
#define IDB_ABOUT_OK 1
#define IDP_ABOUT_ICON 2001
#define IDT_ABOUT_TITLE 2002
#define IDT_ABOUT_VERSION 2003
#define IDB_ABOUT_DOWNLOADS 2004

// The theme dialogs: new, load and delete
#define IDD_NEW_THEME 310
#define IDD_LOAD_THEME 311
#define IDD_DELETE_THEME 312
#define IDB_NEW_THEME_OK 1
#define IDB_NEW_THEME_CANCEL 2
#define IDG_NEW_THEME 2101
#define IDE_NEW_THEME_NAME 2102
#define IDT_NEW_THEME_RULES 2103
#define IDB_LOAD_THEME_OK 1
#define IDB_LOAD_THEME_CANCEL 2
#define IDG_LOAD_THEME 2201
#define IDL_LOAD_THEME_NAMES 2202
#define IDB_DELETE_THEME_CLOSE 2
#define IDG_DELETE_THEME 2301
#define IDL_DELETE_THEME_NAMES 2302
#define IDB_DELETE_THEME_DELETE 2303

// The mouse sensitivity dialog
#define IDD_MOUSE 320
#define IDB_MOUSE_OK 1
#define IDB_MOUSE_CANCEL 2
#define IDG_MOUSE 3001
#define IDK_MOUSE_SENSITIVITY 3002
#define IDT_MOUSE_SLOW 3003
#define IDT_MOUSE_QUICK 3004
#define IDB_MOUSE_DEFAULT 3005

// The folder import window
#define IDD_IMPORT 330
#define IDB_IMPORT_CANCEL 2
#define IDG_IMPORT 2501
#define IDC_IMPORT_DRIVES 2502
#define IDL_IMPORT_FOLDERS 2503
#define IDL_IMPORT_FILES 2504
#define IDB_IMPORT_LOAD 2505
#define IDT_IMPORT_FOLDER 2506
