; The setup program of kx205: per user, without administrator rights, in Polish (NSIS, MUI2).
; makensis -INPUTCHARSET UTF8 -DKX205_VERSION=2.6.0 -DKX205_STAGE=DIR -DKX205_OUTFILE=FILE kx205.nsi
Unicode true
; A 64-bit setup for a 64-bit program: it runs where the program runs, and under Wine without wine32.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh

!define PRODUCT "Rizuzedarar KX-205"
!define APPS_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KX-205"

Name "${PRODUCT} ${KX205_VERSION}"
OutFile "${KX205_OUTFILE}"
BrandingText "KORVAN"
; Per user: the settings live in HKEY_CURRENT_USER anyway, nobody at a measuring station needs an
; administrator, and the program's default log file beside it stays writable.
InstallDir "$LOCALAPPDATA\Programs\KX-205"
; A newer version goes where the older one is.
InstallDirRegKey HKCU "${APPS_KEY}" "InstallLocation"

VIProductVersion "${KX205_VERSION}.0"
VIFileVersion "${KX205_VERSION}.0"
VIAddVersionKey /LANG=1045 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1045 "CompanyName" "KORVAN"
VIAddVersionKey /LANG=1045 "FileDescription" "Instalator programu ${PRODUCT}"
VIAddVersionKey /LANG=1045 "FileVersion" "${KX205_VERSION}"
VIAddVersionKey /LANG=1045 "ProductVersion" "${KX205_VERSION}"
VIAddVersionKey /LANG=1045 "LegalCopyright" "Copyright © KORVAN"

!define MUI_ICON "${KX205_ICON}"
!define MUI_UNICON "${KX205_ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\kx205.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\Czytaj.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Polish"

; A running program holds its files: ask to close it; a silent run gives up instead (exit code 2).
!macro WaitForProgramClosed
    retry:
    FindWindow $0 "#32770" "${PRODUCT}"
    StrCmp $0 0 closed
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Program ${PRODUCT} jest uruchomiony. Zamknij go i wybierz Ponów." /SD IDCANCEL IDRETRY retry
    Abort
    closed:
!macroend

Section "Program" SecProgram
    !insertmacro WaitForProgramClosed
    SetOutPath "$INSTDIR"
    File "${KX205_STAGE}/kx205.exe"
    File "${KX205_STAGE}/kx205dde.exe"
    File "${KX205_STAGE}/kx205mon.exe"
    File "${KX205_STAGE}/Czytaj.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    SetShellVarContext current
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\kx205.exe"

    WriteRegStr HKCU "${APPS_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${APPS_KEY}" "DisplayVersion" "${KX205_VERSION}"
    WriteRegStr HKCU "${APPS_KEY}" "Publisher" "KORVAN"
    WriteRegStr HKCU "${APPS_KEY}" "DisplayIcon" "$INSTDIR\kx205.exe,0"
    WriteRegStr HKCU "${APPS_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${APPS_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${APPS_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${APPS_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${APPS_KEY}" "NoRepair" 1
    SectionGetSize ${SecProgram} $0
    WriteRegDWORD HKCU "${APPS_KEY}" "EstimatedSize" $0
SectionEnd

; Leaves the settings (HKEY_CURRENT_USER\Software\KORVAN\KX-205A\2.1: the program's own "Odinstaluj
; program" removes them) and the log files, also one beside the program, which keeps the folder.
Section "Uninstall"
    !insertmacro WaitForProgramClosed
    Delete "$INSTDIR\kx205.exe"
    Delete "$INSTDIR\kx205dde.exe"
    Delete "$INSTDIR\kx205mon.exe"
    Delete "$INSTDIR\Czytaj.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    SetShellVarContext current
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKCU "${APPS_KEY}"
SectionEnd
