; The Vesperin installer. makensis -DVERSION=x.y.z -DSOURCE=folder -DOUTFILE=file
; SOURCE holds Vesperin.exe, Vesperlink.dll, vpalarm.exe and README.txt.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!define PRODUCT "Vesperin"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vesperin"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
; An earlier installation is replaced in its own folder.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "LegalCopyright" ""

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Vesperin"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  ; Installing over an older version replaces its files one by one.
  SetOverwrite on
  File "${SOURCE}\Vesperin.exe"
  File "${SOURCE}\Vesperlink.dll"
  File "${SOURCE}\vpalarm.exe"
  File "${SOURCE}\README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\Vesperin.lnk" "$INSTDIR\Vesperin.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vesperin.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  ; Only what the installer put there; the folder goes only when it is empty.
  Delete "$INSTDIR\Vesperin.exe"
  Delete "$INSTDIR\Vesperlink.dll"
  Delete "$INSTDIR\vpalarm.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Vesperin.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
