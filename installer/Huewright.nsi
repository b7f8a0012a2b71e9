; Huewright's per-user installer, built by scripts/make-dist.sh:
;   makensis -DVERSION=1.0.0 -DSTAGE=folder-with-the-files -DOUTFILE=setup.exe installer/Huewright.nsi
; It needs no administrator rights: the program goes under the user's own local programs folder and
; its "Apps & features" entry under HKCU. The user's palettes and settings are never removed.
; A 64-bit installer for the 64-bit program; it also runs where no 32-bit Windows layer is installed.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "Huewright"
!define COMPANY "Lumenfold"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Huewright"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
Icon "${STAGE}\huewright.ico"
UninstallIcon "${STAGE}\huewright.ico"
LicenseData "${STAGE}\LICENSE.txt"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${COMPANY}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${COMPANY}"

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${STAGE}\huewright.exe"
    !if /FileExists "${STAGE}\huewright-cli.exe"
        File "${STAGE}\huewright-cli.exe"
    !endif
    File "${STAGE}\help.html"
    File "${STAGE}\README.txt"
    File "${STAGE}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The program keeps its library, backup and test page in its working folder: the user's own data
    ; folder. Help > User guide opens help.html from there too, so the guide goes in beside them.
    SetOutPath "$APPDATA\${PRODUCT}"
    File "${STAGE}\help.html"
    ; A shortcut's working folder is the output path at the moment it is made.
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\huewright.exe" "" "$INSTDIR\huewright.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\huewright.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ; "Apps & features" shows EstimatedSize, in KiB.
    SectionGetSize 0 $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the installer put down; palettes.dat, its backup and journal, the test page and the
; settings under HKCU\Software\Lumenfold stay for a later install.
Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    Delete "$APPDATA\${PRODUCT}\help.html"
    RMDir "$APPDATA\${PRODUCT}"
    Delete "$INSTDIR\huewright.exe"
    Delete "$INSTDIR\huewright-cli.exe"
    Delete "$INSTDIR\help.html"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
