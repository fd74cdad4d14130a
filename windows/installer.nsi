; The installer of Calcolo Tolvemar CT for Windows, made by windows/package.sh:
;   makensis -DVERSION=2.0.0.9 -DVERSION_TEXT=2.00.0009 -DSTAGE=<folder> -DICON=<.ico>
;            -DOUTFILE=<setup.exe> installer.nsi
; It installs for all users into Program Files, adds the Start-menu entry and the uninstaller,
; and installs silently with /S. The user's register (%APPDATA%\Tolvemar) and settings
; (HKEY_CURRENT_USER\Software\Tolvemar) are never touched, by installing or by uninstalling.
; A 64-bit installer for a 64-bit program: 32-bit Windows refuses it by itself.
Target amd64-unicode
!include "MUI2.nsh"

!define PRODUCT "Calcolo Tolvemar CT"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CalcoloTolvemarCT"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tolvemar\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1040 "ProductName" "Tolvemar"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di ${PRODUCT}"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSION_TEXT}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSION_TEXT}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "Tolvemar"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tolvemar.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "${PRODUCT}"
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\tolvemar.exe" "" "$INSTDIR\tolvemar.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION_TEXT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tolvemar.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Tolvemar"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there: the program's folder and its entries. The register and the
; settings belong to the user and stay.
Section "Uninstall"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    RMDir /r "$INSTDIR\platforms"
    RMDir /r "$INSTDIR\styles"
    RMDir /r "$INSTDIR\sqldrivers"
    RMDir /r "$INSTDIR\imageformats"
    RMDir /r "$INSTDIR\translations"
    RMDir /r "$INSTDIR\fonts"
    RMDir /r "$INSTDIR\licenses"
    Delete "$INSTDIR\*.exe"
    Delete "$INSTDIR\*.dll"
    Delete "$INSTDIR\LICENSE.txt"
    RMDir "$INSTDIR"
    RMDir "$INSTDIR\.."
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
