; The Windows installer of Orvelle Screen Saver: one per-user setup program carrying the 64-bit
; and the 32-bit orvelle.scr. Built by scripts/make-installer.sh, which passes:
;   PROGRAM64  the staged 64-bit program folder (also the source of the bundled files)
;   PROGRAM32  the staged 32-bit program folder (not for an amd64-only build)
;   FILES      the generated list of the bundled files (macros BundledFiles and
;              RemoveBundledFiles); the settings files are not in it
;   OUTFILE    the setup program to write
;   TARGET     optional: amd64-unicode builds a 64-bit setup program (the tests use it, since
;              their Wine runs 64-bit programs only); the default runs on every Windows.
;
; The settings files live beside the program, so it goes where the user may write:
; %LOCALAPPDATA%\Programs, no administrator rights asked.

Unicode true
!ifdef TARGET
  Target ${TARGET}
!endif
!ifndef PROGRAM64 | FILES | OUTFILE
  !error "Build with scripts/make-installer.sh (PROGRAM64, FILES and OUTFILE are needed)"
!endif
!if ${NSIS_PTR_SIZE} <= 4
  !ifndef PROGRAM32
    !error "A 32-bit setup program needs PROGRAM32"
  !endif
!endif

!define PRODUCT "Orvelle Screen Saver"
!define VERSION "4.1"
!define PUBLISHER "Orvelle"
!define HOMEPAGE "https://orvelle.example.org/"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define DESKTOP_KEY "Control Panel\Desktop"
!define ICON "${__FILEDIR__}/../resources/orvelle.ico"

!include LogicLib.nsh
!include x64.nsh
!include MUI2.nsh
!include "${FILES}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the last installation went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}.0.0"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open the Screen Saver Settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "!${PRODUCT}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  ; The program for this Windows: 64-bit where Windows is 64-bit.
  !if ${NSIS_PTR_SIZE} > 4
    File "${PROGRAM64}/orvelle.scr"
  !else
    ${If} ${RunningX64}
      File "${PROGRAM64}/orvelle.scr"
    ${Else}
      File "${PROGRAM32}/orvelle.scr"
    ${EndIf}
  !endif
  !insertmacro BundledFiles
  ; The user's settings and themes: written only where there are none yet, so an upgrade
  ; keeps every edit.
  SetOverwrite off
  File "${PROGRAM64}/orvellemain.ini"
  SetOutPath "$INSTDIR\orvellesaver"
  File "${PROGRAM64}/orvellesaver/*.ini"
  SetOverwrite on
  SetOutPath "$INSTDIR"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\orvelle.scr,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Make Orvelle the current screen saver" SecCurrent
  ; Windows starts the saver by this path plus a switch, unquoted: the short form keeps the
  ; spaces of the folder out of it where the volume has short names.
  GetFullPathName /SHORT $0 "$INSTDIR\orvelle.scr"
  ${If} $0 == ""
    StrCpy $0 "$INSTDIR\orvelle.scr"
  ${EndIf}
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; SPI_SETSCREENSAVEACTIVE, saved and announced, so the change counts without a new logon.
  System::Call "user32::SystemParametersInfoW(i 17, i 1, p 0, i 3)"
SectionEnd

Function OpenScreenSaverSettings
  Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
FunctionEnd

Section "Uninstall"
  ; Windows stops using the saver once it is gone, unless another was chosen since.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $1 "$INSTDIR\orvelle.scr"
  ${If} $0 != ""
    ${If} $0 == "$INSTDIR\orvelle.scr"
    ${OrIf} $0 == $1
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
  ${EndIf}

  Delete "$INSTDIR\orvelle.scr"
  !insertmacro RemoveBundledFiles
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
    "Remove your themes and settings too?$\n$\nThe themes in $INSTDIR\orvellesaver and the file orvellemain.ini hold every change you made. Choose No to keep them for a later installation." \
    /SD IDNO IDNO keep
    Delete "$INSTDIR\orvellesaver\*.ini"
    RMDir "$INSTDIR\orvellesaver"
    Delete "$INSTDIR\orvellemain.ini"
  keep:
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
