; The Windows installer of Kestrel and Plover, built by scripts/windows.sh:
;   makensis -DSTAGE=<staged program folder> -DVERSION=<x.y> -DOUTFILE=<Kestrel-setup.exe> Kestrel.nsi
; The programs write their settings and logs into the Work folder beside them, so they are
; installed for the current user in a folder of the user's own, not under Program Files, which a
; standard user cannot write to.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

Name "Kestrel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kestrel"
InstallDirRegKey HKCU "Software\Kestrel" "InstallDir"
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrel"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Kestrel and Plover"
    SetOutPath "$INSTDIR"
    File "${STAGE}\Kestrel.exe"
    CreateDirectory "$INSTDIR\Work"
    SetOutPath "$INSTDIR\Doc"
    File "${STAGE}\Doc\Kestrel.pdf"
    SetOutPath "$INSTDIR\Plover"
    File "${STAGE}\Plover\Plover.exe"
    File "${STAGE}\Plover\Plover.pdf"
    SetOutPath "$INSTDIR"

    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateDirectory "$SMPROGRAMS\Kestrel"
    CreateShortcut "$SMPROGRAMS\Kestrel\Kestrel.lnk" "$INSTDIR\Kestrel.exe"
    CreateShortcut "$SMPROGRAMS\Kestrel\Plover.lnk" "$INSTDIR\Plover\Plover.exe"
    CreateShortcut "$SMPROGRAMS\Kestrel\Kestrel manual.lnk" "$INSTDIR\Doc\Kestrel.pdf"
    CreateShortcut "$SMPROGRAMS\Kestrel\Uninstall Kestrel.lnk" "$INSTDIR\Uninstall.exe"

    WriteRegStr HKCU "Software\Kestrel" "InstallDir" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Kestrel ${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kestrel.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The Work folder keeps the operator's settings, phone directory and exchange logs: the
; uninstaller removes it only when it is empty.
Section "Uninstall"
    Delete "$INSTDIR\Kestrel.exe"
    Delete "$INSTDIR\Doc\Kestrel.pdf"
    RMDir "$INSTDIR\Doc"
    Delete "$INSTDIR\Plover\Plover.exe"
    Delete "$INSTDIR\Plover\Plover.pdf"
    RMDir "$INSTDIR\Plover"
    RMDir "$INSTDIR\Work"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Kestrel\*.lnk"
    RMDir "$SMPROGRAMS\Kestrel"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "Software\Kestrel"
SectionEnd
