; The Windows installer of Glintra: per user, no administrator rights.
;
; Built by the installer/ CMake rules (make dist), which define:
;   VERSION    the release, e.g. 1.0.0
;   PUBLISHER  the publisher's name
;   BIN_DIR    the folder holding Glintra.scr and Glintra.dll
;   ICON       the program's icon file
;   OUT_FILE   the installer to write
;
; Switches, besides NSIS's own /S (silent) and /D=<folder>:
;   /SETSAVER  with /S: make Glintra the current screen saver, as the
;              finish page's first check box does.

Unicode true
; This Wine, like today's Windows, runs 64-bit programs.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glintra"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_SENDCHANGE 2
; The saver's fixed bitmap; the host makes the folder at its first run.
!define BITMAP_FOLDER "C:\q_vane"

Name "Glintra ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\Glintra"
; Installing again goes to the folder of the earlier install.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Glintra ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Glintra"
VIAddVersionKey /LANG=0 "FileDescription" "Glintra ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; The saver running, beside the finish page (make_wizard_bitmap.sh).
!define MUI_WELCOMEFINISHPAGE_BITMAP "wizard.bmp"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; The finish page's two offers; the first runs first.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(ChooseSaverText)"
!define MUI_FINISHPAGE_RUN_FUNCTION ChooseGlintra
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(OpenSettingsText)"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION OpenSettings
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; Chosen from the user's language: Japanese on a Japanese system, English
; otherwise (the first is the fallback).
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString ChooseSaverText ${LANG_ENGLISH} "Use Glintra as my screen saver"
LangString ChooseSaverText ${LANG_JAPANESE} "スクリーン セーバーを Glintra にする"
LangString OpenSettingsText ${LANG_ENGLISH} "Open Glintra's settings"
LangString OpenSettingsText ${LANG_JAPANESE} "Glintra の設定を開く"
LangString RunningText ${LANG_ENGLISH} "Glintra is running. Close the screen saver or its settings, then try again."
LangString RunningText ${LANG_JAPANESE} "Glintra が実行中です。スクリーン セーバーまたは設定を閉じてから、もう一度お試しください。"

Var Saver          ; the installed Glintra.scr as the screen-saver setting names it
Var ChooseSilently ; /SETSAVER given

; $Saver: the installed host's path; its short form when the long one holds a
; blank, since the system starts the saver from this value unquoted.
!macro SaverPath
  StrCpy $Saver "$INSTDIR\Glintra.scr"
  Push $Saver
  Call SaverPathHasBlank
  Pop $0
  ${If} $0 == 1
    GetFullPathName /SHORT $Saver $Saver
  ${EndIf}
!macroend

Function SaverPathHasBlank
  Exch $1
  Push $2
  Push $3
  StrCpy $3 0
  StrCpy $2 0
  ${Do}
    StrCpy $0 $1 1 $2
    ${If} $0 == ""
      ${ExitDo}
    ${ElseIf} $0 == " "
      StrCpy $3 1
      ${ExitDo}
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
  StrCpy $0 $3
  Pop $3
  Pop $2
  Pop $1
  Push $0
FunctionEnd

; Is the chosen screen saver the installed Glintra.scr (long or short form)?
; Leaves 1 or 0 on the stack.
!macro IsGlintraChosenFunction un
Function ${un}IsGlintraChosen
  Push $1
  Push $2
  ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCpy $0 0
  ${If} $1 != ""
    ${If} $1 == "$INSTDIR\Glintra.scr"
      StrCpy $0 1
    ${Else}
      GetFullPathName /SHORT $2 "$INSTDIR\Glintra.scr"
      ${If} $2 != ""
      ${AndIf} $1 == $2
        StrCpy $0 1
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Pop $2
  Pop $1
  Push $0
FunctionEnd
!macroend
!insertmacro IsGlintraChosenFunction ""
!insertmacro IsGlintraChosenFunction "un."

; A running Glintra holds its programs: replacing or removing them now would
; leave a half-installed or half-removed folder behind. Its windows give it
; away: the saver's hidden form, the renderer, the settings dialog. A preview
; host (/p, while the screen-saver settings show Glintra) has none of its own,
; but holds its program file, which then can't be opened for writing
; (ERROR_SHARING_VIOLATION, 32). Ends the installer or uninstaller with
; status 2, having changed nothing.
!macro RefuseWhileGlintraRuns
  System::Call 'user32::FindWindowW(p 0, w "Glintra_Main") p .r0'
  System::Call 'user32::FindWindowW(p 0, w "Glintra_VC") p .r1'
  System::Call 'user32::FindWindowW(p 0, w "<Glintra>") p .r2'
  ; GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING: nothing is made or changed.
  System::Call 'kernel32::CreateFileW(w "$INSTDIR\Glintra.scr", i 0x40000000, i 1, p 0, i 3, i 0, p 0) p .r3 ?e'
  Pop $4
  ${If} $3 P<> -1
    System::Call 'kernel32::CloseHandle(p r3)'
  ${EndIf}
  ${If} $0 P<> 0
  ${OrIf} $1 P<> 0
  ${OrIf} $2 P<> 0
  ${OrIf} $4 = 32
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(RunningText)" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

Function .onInit
  !insertmacro RefuseWhileGlintraRuns
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/SETSAVER" $R1
  ${IfNot} ${Errors}
    StrCpy $ChooseSilently 1
  ${Else}
    StrCpy $ChooseSilently 0
  ${EndIf}
FunctionEnd

Section "Glintra" SecMain
  SetOutPath "$INSTDIR"
  ; The two programs; the user's Glintra.ini beside them is left alone.
  File "${BIN_DIR}/Glintra.scr"
  File "${BIN_DIR}/Glintra.dll"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The bitmap folder is ours to remove at the end only if it is not there
  ; before the first install.
  ClearErrors
  ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "BitmapFolderIsOurs"
  ${If} ${Errors}
    ${If} ${FileExists} "${BITMAP_FOLDER}\*.*"
      WriteRegDWORD HKCU "${UNINSTALL_KEY}" "BitmapFolderIsOurs" 0
    ${Else}
      WriteRegDWORD HKCU "${UNINSTALL_KEY}" "BitmapFolderIsOurs" 1
    ${EndIf}
  ${EndIf}

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Glintra"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Glintra.scr,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; The uninstaller speaks the installer's language.
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "Language" $LANGUAGE
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ${If} ${Silent}
  ${AndIf} $ChooseSilently == 1
    Call ChooseGlintra
  ${EndIf}
SectionEnd

; Makes the installed Glintra the user's screen saver, remembering the one it
; replaces (unless that is Glintra already, as when installing again).
Function ChooseGlintra
  Call IsGlintraChosen
  Pop $0
  ${If} $0 == 0
    ClearErrors
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${If} ${Errors}
      DeleteRegValue HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver"
    ${Else}
      WriteRegStr HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver" $1
    ${EndIf}
    ClearErrors
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    ${If} ${Errors}
      DeleteRegValue HKCU "${UNINSTALL_KEY}" "PreviousScreenSaveActive"
    ${Else}
      WriteRegStr HKCU "${UNINSTALL_KEY}" "PreviousScreenSaveActive" $1
    ${EndIf}
  ${EndIf}
  !insertmacro SaverPath
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $Saver
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; The running session takes the change at once.
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i 1, p 0, i ${SPIF_SENDCHANGE})'
FunctionEnd

Function OpenSettings
  Exec '"$INSTDIR\Glintra.scr" /c'
FunctionEnd

Function un.onInit
  ClearErrors
  ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "Language"
  ${IfNot} ${Errors}
    StrCpy $LANGUAGE $0
  ${EndIf}
  !insertmacro RefuseWhileGlintraRuns
FunctionEnd

Section "Uninstall"
  ; The previous screen saver comes back only while Glintra is still the
  ; chosen one; a saver chosen since is the user's.
  Call un.IsGlintraChosen
  Pop $0
  ${If} $0 == 1
    ClearErrors
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "PreviousScreenSaver"
    ${If} ${Errors}
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $1
    ${EndIf}
    ClearErrors
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "PreviousScreenSaveActive"
    ${If} ${Errors}
      DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
      StrCpy $1 0
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $1
    ${EndIf}
    ${If} $1 != 1
      StrCpy $1 0
    ${EndIf}
    System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i $1, p 0, i ${SPIF_SENDCHANGE})'
  ${EndIf}

  Delete "$INSTDIR\Glintra.scr"
  Delete "$INSTDIR\Glintra.dll"
  Delete "$INSTDIR\Glintra.ini"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: files the user put there stay, and so does the folder.
  RMDir "$INSTDIR"

  Delete "${BITMAP_FOLDER}\Glintra.bmp"
  ReadRegDWORD $0 HKCU "${UNINSTALL_KEY}" "BitmapFolderIsOurs"
  ${If} $0 == 1
    RMDir "${BITMAP_FOLDER}"
  ${EndIf}

  ; Last: the key's going marks the end of the uninstall.
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
