; The Windows installer: installs Quorvane for the current user, without administrator rights,
; into %LOCALAPPDATA%\Programs\Quorvane, where the player can edit lvl-xp.txt; a Start menu entry
; and an uninstaller listed among the installed apps.
;
; Built by the target package-windows of the Windows build, which passes:
;   -DVERSION=3.0.0  -DBIN_DIR=<folder of the programs>  -DREADME=<the installed program's README.txt>
;   -DTABLE=<lvl-xp.txt>  -DLICENSE=<LICENSE.txt>  -DICON=<quorvane.ico>  -DOUT_FILE=<quorvane-3.0.0-setup.exe>
;   [-DHAVE_GUI] when quorvane.exe exists
;
; The uninstaller removes what the installer made and nothing else: the files it installed (the
; player's edited lvl-xp.txt among them, as the README says), the Start menu entry, the uninstall
; entry, and the installation folder and the folders made to hold it, each only when empty.

Unicode true
Target amd64-unicode

!ifndef VERSION | BIN_DIR | README | TABLE | ICON | OUT_FILE
  !error "makensis needs -DVERSION, -DBIN_DIR, -DREADME, -DTABLE, -DICON and -DOUT_FILE"
!endif

!include "FileFunc.nsh"

!define UNINSTALL_LIST "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_LIST}\Quorvane"
!define PUBLISHER "The Quorvane developers"
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
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 The Quorvane developers"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Quorvane ${VERSION} setup"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Quorvane"
  ; The highest of the folders this installation makes (the installation folder, and such of its
  ; parents as do not exist yet, $LOCALAPPDATA\Programs on a fresh account), kept in the uninstall
  ; entry for the uninstaller. An installation over an earlier one keeps the earlier record.
  StrCpy $0 "$INSTDIR"
  StrCpy $1 ""
  created_loop:
    IfFileExists "$0\*.*" created_done
    StrCpy $1 "$0"
    ${GetParent} "$0" $0
    StrCmp $0 "" created_done created_loop
  created_done:
  ; Whether the list of uninstall entries is there already (a fresh account may lack it).
  ClearErrors
  EnumRegKey $2 HKCU "${UNINSTALL_LIST}" 0
  StrCpy $2 0
  IfErrors 0 +2
  StrCpy $2 1
  SetOutPath "$INSTDIR"
!ifdef HAVE_GUI
  File "${BIN_DIR}/quorvane.exe"
!endif
  File "${BIN_DIR}/quorvane-cli.exe"
  File "/oname=README.txt" "${README}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  ; The level table is the player's to edit: installing over an earlier installation keeps it.
  SetOverwrite off
  File "/oname=lvl-xp.txt" "${TABLE}"
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
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  StrCmp $1 "" +2
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuorvaneCreatedFolder" "$1"
  IntCmp $2 0 +2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "QuorvaneCreatedList" 1
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
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\lvl-xp.txt"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: files the player put there stay.
  RMDir "$INSTDIR"
  ; Then the parents the installer made, up to the highest, each only when empty.
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "QuorvaneCreatedFolder"
  StrCmp $1 "" parents_done
  StrLen $3 $1
  ${GetParent} "$INSTDIR" $0
  parents_loop:
    StrLen $2 $0
    IntCmp $2 $3 0 parents_done  ; above the highest folder made
    RMDir "$0"
    StrCmp $0 $1 parents_done
    ${GetParent} "$0" $0
    Goto parents_loop
  parents_done:
  ReadRegDWORD $2 HKCU "${UNINSTALL_KEY}" "QuorvaneCreatedList"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  IntCmp $2 1 0 +2 +2
  DeleteRegKey /ifempty HKCU "${UNINSTALL_LIST}"
  ; The uninstaller runs from a copy of itself in a folder of its own in the temporary folder,
  ; which it cannot remove while it runs: that folder is removed when it is empty at the next
  ; start of Windows.
  RMDir /REBOOTOK "$EXEDIR"
SectionEnd
