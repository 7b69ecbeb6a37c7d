; The Windows installer of Tavoli Calendar: a 64-bit, per-machine install into Program
; Files with a Start-menu entry, an optional start-with-Windows entry ("/j": into the
; notification area) and an uninstaller listed in Add/Remove Programs. The uninstaller
; removes what the installer put down and leaves the user's memos (the application-data
; folder) and settings (HKCU\Software\Brenholt\TavoliCalendar) alone.
;
; scripts/package runs it: makensis -DVERSION=x.y.z -DSTAGE=<folder with the files>
;   -DOUTFILE=<setup.exe> -DICON=<program icon> packaging/TavoliCalendar.nsi
; Silent use: setup.exe /S [/STARTUP=1] [/D=C:\other\folder]; uninstall.exe /S

!ifndef VERSION | STAGE | OUTFILE | ICON
  !error "VERSION, STAGE, OUTFILE and ICON must be defined (scripts/package does it)"
!endif

Unicode true
; The program is 64-bit only; so is its installer (and the 64-bit registry view is the
; native one).
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Tavoli Calendar"
!define PUBLISHER "Brenholt"
!define EXE "TavoliCalendar.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\TavoliCalendar"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The calendar's window class and its "close" command.
!define WINDOW_CLASS "tavolicalendar"
!define CLOSE_COMMAND 1025

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

Name "$(ProductName)"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestDPIAware true
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Brenholt"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the fallback; the installer speaks the user's language when it
; is one of these.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString ProductName ${LANG_ENGLISH} "Tavoli Calendar"
LangString ProductName ${LANG_JAPANESE} "たぼりカレンダー"
LangString SectionProgram ${LANG_ENGLISH} "Tavoli Calendar"
LangString SectionProgram ${LANG_JAPANESE} "たぼりカレンダー"
LangString SectionStartup ${LANG_ENGLISH} "Start with Windows (in the notification area)"
LangString SectionStartup ${LANG_JAPANESE} "Windows の起動時に開始する (通知領域に常駐)"
LangString ShortcutName ${LANG_ENGLISH} "Tavoli Calendar"
LangString ShortcutName ${LANG_JAPANESE} "たぼりカレンダー"

; The calendar keeps its files open while it runs, and it saves memos and settings when
; its window goes away: ask every running copy to end through its own "close" command.
; A copy living in the notification area only hides at the first one and ends at the
; second, hence the repeats.
!macro CloseRunningCalendar un
  Function ${un}CloseRunningCalendar
    Push $0
    Push $1
    StrCpy $1 0
    ${Do}
      FindWindow $0 "${WINDOW_CLASS}"
      ${If} $0 == 0
      ${OrIf} $1 >= 20
        ${Break}
      ${EndIf}
      SendMessage $0 ${WM_COMMAND} ${CLOSE_COMMAND} 0 /TIMEOUT=5000
      Sleep 100
      IntOp $1 $1 + 1
    ${Loop}
    Pop $1
    Pop $0
  FunctionEnd
!macroend
!insertmacro CloseRunningCalendar ""
!insertmacro CloseRunningCalendar "un."

; Deletes a file, retrying for a few seconds while a process that was just asked to end
; still holds it.
!macro DeleteRetrying path
  Push $0
  StrCpy $0 0
  ${Do}
    ClearErrors
    Delete "${path}"
    ${IfNot} ${Errors}
    ${OrIf} $0 >= 20
      ${Break}
    ${EndIf}
    Sleep 250
    IntOp $0 $0 + 1
  ${Loop}
  Pop $0
!macroend

Section "!$(SectionProgram)" SectionProgramId
  SectionIn RO
  Call CloseRunningCalendar
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\${EXE}"
  ; The holiday sets; no holidays.txt any more (one an earlier version placed here stays,
  ; and with it what the calendar showed).
  SetOutPath "$INSTDIR\holidays"
  File "${STAGE}\holidays\*.txt"
  SetOutPath "$INSTDIR"
  File "${STAGE}\TavoliCalendar.htm"
  File "${STAGE}\tavoli.exe"
  File "${STAGE}\readme.txt"

  ; An earlier install may have named its shortcut in another language, and may have had
  ; the start-with-Windows entry, which the optional section below writes again if chosen.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "StartMenuShortcut"
  ${If} $0 != ""
    Delete "$0"
  ${EndIf}
  DeleteRegValue HKLM "${RUN_KEY}" "TavoliCalendar"
  CreateShortcut "$SMPROGRAMS\$(ShortcutName).lnk" "$INSTDIR\${EXE}"
  ; The uninstaller finds the shortcut again by this name, whatever the language.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "StartMenuShortcut" "$SMPROGRAMS\$(ShortcutName).lnk"

  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "$(ProductName)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "$(SectionStartup)" SectionStartupId
  WriteRegStr HKLM "${RUN_KEY}" "TavoliCalendar" '"$INSTDIR\${EXE}" /j'
SectionEnd

Function .onInit
  ; A silent install cannot tick the optional entry on a page: /STARTUP=1 does it
  ; (and /STARTUP=0 leaves it out).
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/STARTUP=" $1
  ${IfNot} ${Errors}
    ${If} $1 == "1"
      SectionSetFlags ${SectionStartupId} ${SF_SELECTED}
    ${Else}
      SectionSetFlags ${SectionStartupId} 0
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningCalendar
  SetShellVarContext all
  !insertmacro DeleteRetrying "$INSTDIR\${EXE}"
  !insertmacro DeleteRetrying "$INSTDIR\tavoli.exe"
  Delete "$INSTDIR\holidays.txt"
  RMDir /r "$INSTDIR\holidays"
  Delete "$INSTDIR\TavoliCalendar.htm"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: a format.txt the user put beside the program stays, and so does
  ; the folder then.
  RMDir "$INSTDIR"

  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "StartMenuShortcut"
  ${If} $0 != ""
    Delete "$0"
  ${EndIf}
  Delete "$SMPROGRAMS\$(ShortcutName).lnk"
  DeleteRegValue HKLM "${RUN_KEY}" "TavoliCalendar"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; HKCU\Software\Brenholt\TavoliCalendar and %APPDATA%\Brenholt\Tavoli belong to the
  ; user: settings and memos stay for a later install.
SectionEnd
