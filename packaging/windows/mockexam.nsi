; SPDX-License-Identifier: GPL-3.0-or-later
;
; The trainer's installer: the laid-out folder (STAGE) into Program Files, a Start-menu entry, an uninstaller and
; its entry in "Apps and features". Pages in Chinese or English, after the system's language.
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.1 -DSTAGE=folder -DOUTFILE=setup.exe -DICON=mockexam.ico mockexam.nsi
; A 64-bit installer: the programs are 64-bit, and it runs where they run.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"

!define APPNAME "计算机等级考试(笔试)模拟练习"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\mockexam"

Name "${APPNAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\mockexam"
InstallDirRegKey HKLM "${UNINSTKEY}" "InstallLocation"
BrandingText "mockexam ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_LANGDLL_ALLLANGUAGES

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\mockexam.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

LangString StartMenuName ${LANG_SIMPCHINESE} "计算机等级考试(笔试)模拟练习"
LangString StartMenuName ${LANG_ENGLISH} "Mock exam trainer"
LangString UninstallName ${LANG_SIMPCHINESE} "卸载模拟练习"
LangString UninstallName ${LANG_ENGLISH} "Uninstall the mock exam trainer"

Function .onInit
    SetRegView 64
    !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function un.onInit
    SetRegView 64
    !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    SetShellVarContext all
    CreateDirectory "$SMPROGRAMS\$(StartMenuName)"
    CreateShortcut "$SMPROGRAMS\$(StartMenuName)\$(StartMenuName).lnk" "$INSTDIR\mockexam.exe"
    CreateShortcut "$SMPROGRAMS\$(StartMenuName)\$(UninstallName).lnk" "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "${UNINSTKEY}" "DisplayName" "${APPNAME}"
    WriteRegStr HKLM "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\mockexam.exe"
    WriteRegStr HKLM "${UNINSTKEY}" "Publisher" "The mockexam developers"
    WriteRegStr HKLM "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTKEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTKEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    RMDir /r "$SMPROGRAMS\$(StartMenuName)"
    ; Only what the installer put there: a bank the user added to Dat\ is kept along with its folder.
    Delete "$INSTDIR\mockexam.exe"
    Delete "$INSTDIR\mockexam-bank.exe"
    Delete "$INSTDIR\*.dll"
    Delete "$INSTDIR\qt.conf"
    Delete "$INSTDIR\LICENSE.txt"
    RMDir /r "$INSTDIR\platforms"
    RMDir /r "$INSTDIR\styles"
    RMDir /r "$INSTDIR\translations"
    Delete "$INSTDIR\Dat\Bs.mdb"
    Delete "$INSTDIR\Dat\Mq4100.mdw"
    Delete "$INSTDIR\Dat\LICENSE-bank.txt"
    RMDir "$INSTDIR\Dat"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTKEY}"
SectionEnd
