; The Windows installer: installs Quorvane for the current user, without administrator rights,
; into %LOCALAPPDATA%\Programs\Quorvane, where the player can edit lvl-xp.txt; a Start menu entry
; and an uninstaller listed among the installed apps.
;
; Built by the target package-windows of the Windows build, which passes:
;   -DVERSION=3.0.0  -DBIN_DIR=<folder of the programs and lvl-xp.txt>  -DREADME=<README.txt>
;   -DICON=<quorvane.ico>  -DOUT_FILE=<quorvane-3.0.0-setup.exe>  [-DHAVE_GUI] when quorvane.exe exists

Unicode true
Target amd64-unicode

!ifndef VERSION | BIN_DIR | README | ICON | OUT_FILE
  !error "makensis needs -DVERSION, -DBIN_DIR, -DREADME, -DICON and -DOUT_FILE"
!endif

!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvane"
!ifdef HAVE_GUI
  !define MAIN_PROGRAM "quorvane.exe"
!else
  !define MAIN_PROGRAM "quorvane-cli.exe"
!endif

Name "Quorvane ${VERSION}"
OutFile "${OUT_FILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Quorvane"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
Icon "${ICON}"
UninstallIcon "${ICON}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Quorvane"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Quorvane ${VERSION} setup"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Quorvane"
  SetOutPath "$INSTDIR"
!ifdef HAVE_GUI
  File "${BIN_DIR}/quorvane.exe"
!endif
  File "${BIN_DIR}/quorvane-cli.exe"
  File "/oname=README.txt" "${README}"
  ; The level table is the player's to edit: installing over an earlier installation keeps it.
  SetOverwrite off
  File "${BIN_DIR}/lvl-xp.txt"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\Uninstall.exe"

!ifdef HAVE_GUI
  CreateShortcut "$SMPROGRAMS\Quorvane.lnk" "$INSTDIR\quorvane.exe"
!else
  ; Without the window program: a console in the installation folder, with the usage shown.
  CreateShortcut "$SMPROGRAMS\Quorvane.lnk" "$SYSDIR\cmd.exe" '/k "$INSTDIR\quorvane-cli.exe" --help' \
    "$INSTDIR\quorvane-cli.exe" 0
!endif

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Quorvane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${MAIN_PROGRAM},0"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Quorvane.lnk"
  Delete "$INSTDIR\quorvane.exe"
  Delete "$INSTDIR\quorvane-cli.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\lvl-xp.txt"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: files the player put there stay.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
