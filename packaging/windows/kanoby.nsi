; The Kanoby installer for 64-bit Windows: the program in Program Files, a
; Start-menu shortcut, and an uninstaller that Settings lists. No word.txt is
; put beside the program, so each user's word.txt and Roman.ini live in their
; own %APPDATA%\kanoby (the sample in data\ is copied there on first start);
; the uninstaller leaves them there.
;
; makensis -DVERSION=0.1 -DFILES=<folder of the program> -DOUTFILE=<setup.exe> kanoby.nsi

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kanoby"

Name "Kanoby"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Kanoby"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin

!define MUI_FINISHPAGE_RUN "$INSTDIR\kanoby.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"
!insertmacro MUI_LANGUAGE "English"

Section
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${FILES}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Kanoby.lnk" "$INSTDIR\kanoby.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Kanoby"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kanoby.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes: a folder the user chose may hold
; other files.
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Kanoby.lnk"
    Delete "$INSTDIR\kanoby.exe"
    Delete "$INSTDIR\*.dll"
    Delete "$INSTDIR\platforms\*.dll"
    Delete "$INSTDIR\styles\*.dll"
    Delete "$INSTDIR\data\word.txt"
    Delete "$INSTDIR\data\lists\*.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR\platforms"
    RMDir "$INSTDIR\styles"
    RMDir "$INSTDIR\data\lists"
    RMDir "$INSTDIR\data"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
