; Gripdeck's installer: one setup program for 32-bit and 64-bit Windows. It
; installs the 64-bit build on 64-bit Windows (where the 32-bit one could not
; install the pad's driver) and the 32-bit build on 32-bit Windows.
;
;   makensis -DCONFIG=<build>/release/release.nsh -DFILES=<files.nsh> -DOUTFILE=<setup.exe> gripdeck.nsi
;
; tools/release.sh writes FILES from the staged builds: per payload (program64,
; program32, driver64, driver32) a define HAVE_<payload> and the macros
; Install_<payload> and Remove_<payload>, plus LICENSE_FILE. -DAMD64 makes a
; 64-bit setup program, for hosts that run no 32-bit code; it installs the
; same way.
;
; Command line: /S silent, /D=FOLDER the installation folder, /STARTUP start
; with Windows, /NODRIVER leave the pad's driver alone.

Unicode true
!ifdef AMD64
Target amd64-unicode
; There ${RunningX64} is decided when compiling, which leaves labels unused.
!pragma warning disable 6012
!endif

!include "${CONFIG}"
!include "${FILES}"
!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include Sections.nsh

; Every window title starts with the product name, never with the program's
; title word alone: the program takes any dialog titled "Gripdeck..." for a
; running copy of itself and would refuse to start beside the installer.
Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
; Chosen in .onInit: Program Files of the build that gets installed.
InstallDir ""
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey CompanyName "${COMPANY}"
VIAddVersionKey LegalCopyright "Copyright (C) ${COMPANY}"
VIAddVersionKey FileDescription "${PRODUCT} Setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"

; The program's settings (HKCU), with the installation folder the driver
; reinstall reads.
!define APP_KEY "Software\${COMPANY}\Gripdeck"
!define SETTINGS_KEY "${APP_KEY}\default"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Gripdeck"
; The program's own "Launch on System Startup" entry; both write the same.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Gripdeck"
!define SYNCHRONIZE 0x00100000
; The driver was asked for but not installed; the program is.
!define EXIT_NO_DRIVER 3
; A file in use could not be replaced (the rest is installed).
!define EXIT_FILES_IN_USE 4

Var wasRunning
Var restartArguments
; Where the Add/Remove entry says Gripdeck is installed, before this run.
Var installedDir
; 1 when a file could not be written: silently NSIS skips it and goes on.
Var filesInUse

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\gripdeck.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Gripdeck"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks a running copy to end as its own Exit would (WM_CLOSE with wParam 1:
; it stores its settings and ends without questions) and waits until the
; process is gone, so that its files can be replaced. Its main window is the
; top-level dialog titled "Gripdeck: <profile>". Sets $wasRunning, and
; $restartArguments to "-1" for a copy that lived in the tray.
!macro CloseRunningCopy un
Function ${un}CloseRunningCopy
    StrCpy $wasRunning 0
    StrCpy $restartArguments ""
  search:
    StrCpy $R0 0
  next:
    FindWindow $R0 "#32770" "" "" $R0
    ${If} $R0 = 0
        Return
    ${EndIf}
    System::Call "user32::GetWindowTextW(p R0, w .R1, i ${NSIS_MAX_STRLEN})"
    StrCpy $R1 $R1 10
    ; LogicLib's == ignores case, as the program's own search does.
    ${If} $R1 != "Gripdeck: "
        Goto next
    ${EndIf}

    StrCpy $wasRunning 1
    System::Call "user32::IsWindowVisible(p R0) i .R2"
    ${If} $R2 = 0
        StrCpy $restartArguments "-1"
    ${EndIf}
    System::Call "user32::IsWindowEnabled(p R0) i .R2"
    ${If} $R2 = 0
        ; A dialog of its own is open (an editor, say). Asked to close now,
        ; it would end the moment that dialog closes, its result and any
        ; unsaved edits lost, even when this setup gives up.
        Goto busy
    ${EndIf}
    DetailPrint "Closing the running Gripdeck"
    System::Call "user32::GetWindowThreadProcessId(p R0, *i .R3)"
    System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i R3) p .R4"
    SendMessage $R0 ${WM_CLOSE} 1 0 /TIMEOUT=5000
    ${If} $R4 <> 0
        System::Call "kernel32::WaitForSingleObject(p R4, i 15000) i .R5"
        System::Call "kernel32::CloseHandle(p R4)"
    ${EndIf}
    ; A copy that is still there (one that does not answer, say) is the
    ; user's to close.
    StrCpy $R0 0
  still:
    FindWindow $R0 "#32770" "" "" $R0
    ${If} $R0 = 0
        Return
    ${EndIf}
    System::Call "user32::GetWindowTextW(p R0, w .R1, i ${NSIS_MAX_STRLEN})"
    StrCpy $R1 $R1 10
    ${If} $R1 != "Gripdeck: "
        Goto still
    ${EndIf}
  busy:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Gripdeck is still running. Close it, then choose Retry." /SD IDCANCEL IDRETRY search
    Abort "Gripdeck is still running."
FunctionEnd
!macroend
!insertmacro CloseRunningCopy ""
!insertmacro CloseRunningCopy "un."

Section "Gripdeck" SecProgram
    SectionIn RO
    Call CloseRunningCopy
    Call RemoveInstalledFiles
    ClearErrors
    ${If} ${RunningX64}
        !insertmacro Install_program64
    ${Else}
!ifdef HAVE_program32
        !insertmacro Install_program32
!else
        Abort "This setup program holds no 32-bit Gripdeck."
!endif
    ${EndIf}
    ${If} ${Errors}
        StrCpy $filesInUse 1
    ${EndIf}
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    WriteRegStr HKCU "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\Gripdeck.lnk" "$INSTDIR\gripdeck.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Gripdeck"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\gripdeck.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

!ifdef HAVE_driver64 | HAVE_driver32
Section "Pad driver" SecDriver
    ClearErrors
    ${If} ${RunningX64}
!ifdef HAVE_driver64
        !insertmacro Install_driver64
!endif
    ${Else}
!ifdef HAVE_driver32
        !insertmacro Install_driver32
!endif
    ${EndIf}
    ${If} ${Errors}
        StrCpy $filesInUse 1
    ${EndIf}
    ; The program's own "Reinstall Driver", from the folder InstallDir names.
    DetailPrint "Installing the pad's driver"
    nsExec::ExecToLog '"$INSTDIR\gpxtool.exe" install-driver'
    Pop $0
    ${If} $0 != 0
        DetailPrint "The pad's driver was not installed ($0)."
        MessageBox MB_OK|MB_ICONEXCLAMATION "The pad's driver could not be installed.$\r$\n$\r$\nGripdeck itself is installed: plug the pad in and choose Options > Reinstall Driver in Gripdeck." /SD IDOK
        SetErrorLevel ${EXIT_NO_DRIVER}
    ${EndIf}
SectionEnd
!endif

Section /o "Start with Windows" SecStartup
    WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\gripdeck.exe" -1'
    ; One entry only, as the program keeps it: a second one in the user's
    ; key would start it twice.
    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 != ""
        WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" ""
    ${EndIf}
SectionEnd

Section "-Finish"
    ; Unticked on an upgrade: off, the way the program turns it off (the
    ; value stays, empty).
    ${IfNot} ${SectionIsSelected} ${SecStartup}
        ReadRegStr $0 HKLM "${RUN_KEY}" "${RUN_VALUE}"
        ${If} $0 != ""
            WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" ""
        ${EndIf}
    ${EndIf}

    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"

    ${If} $filesInUse = 1
        DetailPrint "Files in use were not replaced."
        MessageBox MB_OK|MB_ICONEXCLAMATION "Some Gripdeck files were in use and could not be replaced.$\r$\n$\r$\nClose Gripdeck and gpxtool, also where another user runs them, then run this setup again." /SD IDOK
        SetErrorLevel ${EXIT_FILES_IN_USE}
    ${EndIf}

    ${If} $wasRunning = 1
        Exec '"$INSTDIR\gripdeck.exe" $restartArguments'
    ${EndIf}
SectionEnd

; The installed version's own uninstaller takes its files away first: files
; it had and this version has not would stay behind for good, and a copy in
; another folder would be left without an Add/Remove entry. Its driver setup
; files stay when this run installs none in their place.
Function RemoveInstalledFiles
    ${IfNot} ${FileExists} "$installedDir\uninstall.exe"
        Return
    ${EndIf}
    StrCpy $0 ""
    ${If} $installedDir == $INSTDIR
!ifdef HAVE_driver64 | HAVE_driver32
    ${AndIfNot} ${SectionIsSelected} ${SecDriver}
!endif
        StrCpy $0 " /NODRIVER"
    ${EndIf}
    DetailPrint "Removing the files of the installed Gripdeck"
    ; _?= runs it in place, so that ExecWait waits for it.
    ExecWait '"$installedDir\uninstall.exe" /S /UPGRADE$0 _?=$installedDir'
    ${If} $installedDir != $INSTDIR
        Delete "$installedDir\uninstall.exe"
        RMDir "$installedDir"
    ${EndIf}
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The Gripdeck program, gpxtool, README and license, with a Start-menu shortcut."
!ifdef HAVE_driver64 | HAVE_driver32
    !insertmacro MUI_DESCRIPTION_TEXT ${SecDriver} "Installs the pad's driver from its setup information files."
!endif
    !insertmacro MUI_DESCRIPTION_TEXT ${SecStartup} "Starts Gripdeck in the notification area when Windows starts."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
    SetShellVarContext all
    ${If} ${RunningX64}
        ; The 64-bit program reads the 64-bit registry.
        SetRegView 64
    ${EndIf}

    ReadRegStr $installedDir HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $INSTDIR == ""
        ; An upgrade goes where the installed copy is.
        StrCpy $INSTDIR $installedDir
    ${EndIf}
    ${If} $INSTDIR == ""
        ${If} ${RunningX64}
            StrCpy $INSTDIR "$PROGRAMFILES64\Gripdeck"
        ${Else}
            StrCpy $INSTDIR "$PROGRAMFILES\Gripdeck"
        ${EndIf}
    ${EndIf}

    ${GetParameters} $0
    ReadRegStr $1 HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ClearErrors
    ${GetOptions} $0 "/STARTUP" $2
    ${IfNot} ${Errors}
    ${OrIf} $1 != ""
        !insertmacro SelectSection ${SecStartup}
    ${EndIf}

!ifdef HAVE_driver64 | HAVE_driver32
    ClearErrors
    ${GetOptions} $0 "/NODRIVER" $2
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${SecDriver}
    ${EndIf}
    ; Without a driver package for this Windows the component cannot be had.
!ifndef HAVE_driver64
    ${If} ${RunningX64}
        !insertmacro SetSectionFlag ${SecDriver} ${SF_RO}
        !insertmacro UnselectSection ${SecDriver}
    ${EndIf}
!endif
!ifndef HAVE_driver32
    ${IfNot} ${RunningX64}
        !insertmacro SetSectionFlag ${SecDriver} ${SF_RO}
        !insertmacro UnselectSection ${SecDriver}
    ${EndIf}
!endif
!endif
FunctionEnd

Section "Uninstall"
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/UPGRADE" $1
    ${IfNot} ${Errors}
        ; The installer of another version asks: only the files, which it
        ; replaces; the rest is its to keep or rewrite.
        Call un.RemoveProgramFiles
        ClearErrors
        ${GetOptions} $0 "/NODRIVER" $1
        ${If} ${Errors}
            Call un.RemoveDriverFiles
        ${EndIf}
        Return
    ${EndIf}

    Call un.CloseRunningCopy
    Call un.RemoveProgramFiles
    Call un.RemoveDriverFiles
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: profiles saved there, and anything else the user put
    ; there, stay.
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\Gripdeck.lnk"
    DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    DeleteRegValue HKCU "${SETTINGS_KEY}" "InstallDir"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    MessageBox MB_YESNO|MB_ICONQUESTION "Remove your Gripdeck settings as well (recent files and window choices)?$\r$\n$\r$\nYour profiles (.gpx files) are kept either way." /SD IDNO IDNO keepSettings
    DeleteRegKey HKCU "${APP_KEY}"
  keepSettings:
    DeleteRegKey /ifempty HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${APP_KEY}"
    DeleteRegKey /ifempty HKCU "Software\${COMPANY}"
SectionEnd

Function un.RemoveProgramFiles
!ifdef HAVE_program64
    !insertmacro Remove_program64
!endif
!ifdef HAVE_program32
    !insertmacro Remove_program32
!endif
FunctionEnd

Function un.RemoveDriverFiles
!ifdef HAVE_driver64
    !insertmacro Remove_driver64
!endif
!ifdef HAVE_driver32
    !insertmacro Remove_driver32
!endif
FunctionEnd

Function un.onInit
    SetShellVarContext all
    ${If} ${RunningX64}
        SetRegView 64
    ${EndIf}
FunctionEnd
