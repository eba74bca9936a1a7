; The Windows installer, made by scripts/windows.sh with Debian's makensis:
;   makensis -DVERSION=1.0 -DROOT=<installed layout> -DUNINSTALL_LIST=<file> -DOUTFILE=<setup.exe> marbelo.nsi
; UNINSTALL_LIST holds a Delete line per installed file and an RMDir line per folder, deepest first.
; Installs into Program Files in the package layout (bin\, share\marbelo\, lib\marbelo\),
; in which the program keeps each user's data in their AppData folder, adds a
; Start-menu entry and an uninstaller that removes exactly what was installed.
; A 64-bit installer for a 64-bit program (it also runs where Wine has no 32-bit part).
Target amd64-unicode
!include "MUI2.nsh"
!include "x64.nsh"

Name "Marbelo ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Marbelo"
InstallDirRegKey HKLM "Software\Marbelo" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Marbelo"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Polish"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Marbelo"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${ROOT}/bin"
  File /r "${ROOT}/share"
  File /r "${ROOT}/lib"
  WriteUninstaller "$INSTDIR\Odinstaluj.exe"
  CreateDirectory "$SMPROGRAMS\Marbelo"
  CreateShortcut "$SMPROGRAMS\Marbelo\Marbelo.lnk" "$INSTDIR\bin\marbelo.exe"
  CreateShortcut "$SMPROGRAMS\Marbelo\Odinstaluj Marbelo.lnk" "$INSTDIR\Odinstaluj.exe"
  WriteRegStr HKLM "Software\Marbelo" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Marbelo"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\marbelo.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Odinstaluj.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Each user's trainings stay in their AppData folder: they are the user's data.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Marbelo\Marbelo.lnk"
  Delete "$SMPROGRAMS\Marbelo\Odinstaluj Marbelo.lnk"
  RMDir "$SMPROGRAMS\Marbelo"
  ; Only the files installed, by name, then their folders if empty: a folder
  ; chosen for the program may hold other things.
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\Odinstaluj.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Marbelo"
SectionEnd
