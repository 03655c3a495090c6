; The Camfolio setup program. Installs the 64-bit applet and the 32-bit
; builder into the 64-bit Program Files, the language files into the common
; application-data folder, the installation folder value and the applet's
; Control Panel registration, with an uninstaller and its Add/Remove Programs
; entry. /S installs and uninstalls silently.
; The build defines BUILD_NSH: the version, the files to pack and the output.
Unicode true
!include "LogicLib.nsh"
!include "x64.nsh"
!include "${BUILD_NSH}"

!define PRODUCT "Camfolio"
!define PRODUCT_KEY "SOFTWARE\Camfolio"
!define CPLS_KEY "Software\Microsoft\Windows\CurrentVersion\Control Panel\Cpls"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Camfolio"
!define UNINSTALLER "Uninstall.exe"

Name "${PRODUCT}"
OutFile "${OUTPUT}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
; Like the product's own version resources, without a copyright line.
!pragma warning disable 9100
VIAddVersionKey "CompanyName" "${PRODUCT}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The applet is a 64-bit library: everything goes to the 64-bit views.
Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "${PRODUCT} needs a 64-bit Windows." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "${PRODUCT}"
    SetOutPath "$INSTDIR"
    File "/oname=Camfolio.cpl" "${APPLET}"
    File "/oname=CamfolioFmt.exe" "${BUILDER}"

    SetOutPath "$APPDATA\${PRODUCT}"
    !insertmacro InstallLanguageFiles

    WriteRegStr HKLM "${PRODUCT_KEY}" "" "$INSTDIR"
    ; Listed there, the Control Panel shows the entry without naming the file.
    WriteRegStr HKLM "${CPLS_KEY}" "${PRODUCT}" "$INSTDIR\Camfolio.cpl"

    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\CamfolioFmt.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes only what the setup program added: the mapper's files, the user's
; settings, profiles, cache and logs and any other file stay, and so do the
; folders and the product key while they hold anything.
Section "Uninstall"
    ; A Control Panel still holding the applet frees it only at its end.
    Delete /REBOOTOK "$INSTDIR\Camfolio.cpl"
    Delete /REBOOTOK "$INSTDIR\CamfolioFmt.exe"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"

    !insertmacro RemoveLanguageFiles "$APPDATA\${PRODUCT}"
    RMDir "$APPDATA\${PRODUCT}"

    DeleteRegValue HKLM "${CPLS_KEY}" "${PRODUCT}"
    DeleteRegValue HKLM "${PRODUCT_KEY}" ""
    DeleteRegKey /ifempty HKLM "${PRODUCT_KEY}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
