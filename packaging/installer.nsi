; The installer of Vondrel for one Windows target, built by scripts/package.sh with makensis:
;   makensis -DVERSION=1.3.0 -DARCH=win64|win32 -DFILES=files.nsh -DHELPER=vondrel-setup.exe
;            -DICON=app.ico -DOUTFILE=SETUP.exe
; FILES defines the macro InstallFiles (one File per file of the zip's folder) and INSTALLED_NAMES
; (their names); HELPER is the setup helper (tools/setup), which records what was installed
; (uninstall.lst: each file's size and CRC-32), finds running programs, and is the uninstall.exe
; users run: that runs the uninstaller proper, uninstall.dat, and waits for its outcome. ICON is
; the program's icon for the installer and the uninstaller.
;
; Installs into the folder /D names, else the default one; the folder of an earlier install (the
; registry's InstallLocation) only when it holds our uninstaller. A file there that we did not
; install, or that changed since we did, is never overwritten: the install is refused, naming it.
; The uninstaller removes the installed files that are unchanged (a changed one is the user's now),
; and exits with 2 whenever it did not remove the program.
;
; Installs into Program Files (the 64-bit folder and registry view for win64), makes a Start-menu
; shortcut whose working folder is the install folder (the program finds its mark icons and the
; map bridge there), registers the uninstaller in Apps & features, and optionally adds the program
; to "Open with" for .xml through a ProgID of its own (never the default for .xml).
; Both refuse to go on while Vondrel or its map runs, by window or by process (their files would be
; in use): they ask to close it and retry; silent, they give up with exit code 2.
; The uninstaller asks whether to remove the settings (SOFTWARE\Zarn\Vondrel, machine and user)
; and the map tile cache (only the map's own tile files and folders, never through a link);
; silent (/S) it keeps them unless /REMOVESETTINGS is given.

Unicode true
!if "${ARCH}" == "win64"
  Target amd64-unicode
  !define BITS "64"
!else
  Target x86-unicode
  !define BITS "32"
!endif

!define PRODUCT "Vondrel"
!define PUBLISHER "Zarn"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vondrel"
!define SETTINGS_KEY "SOFTWARE\Zarn\Vondrel"
!define PROGID "Vondrel.PointFile"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "${FILES}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"
!if "${ARCH}" == "win64"
  !define DEFAULT_DIR "$PROGRAMFILES64\${PRODUCT}"
!else
  !define DEFAULT_DIR "$PROGRAMFILES\${PRODUCT}"
!endif
InstallDir "${DEFAULT_DIR}"
!define SETUP_HELPER "$PLUGINSDIR\vondrel-setup.exe"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} (${BITS}-bit) Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The program's own picture (tools/art/make_installer_art.py) beside the welcome and finish pages;
; the finish page offers to start the program, as the user who installed it rather than elevated.
!define MUI_WELCOMEFINISHPAGE_BITMAP "welcome.bmp"  ; beside this script (makensis works in its folder)
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(StartProgram)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; English first: the fallback for a system in neither language.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString SecProgram ${LANG_ENGLISH} "Vondrel (point list editor)"
LangString SecProgram ${LANG_JAPANESE} "Vondrel（地点リスト エディタ）"
LangString SecOpenWith ${LANG_ENGLISH} 'Add Vondrel to "Open with" for .xml files'
LangString SecOpenWith ${LANG_JAPANESE} ".xml ファイルの［プログラムから開く］に追加"
LangString StartProgram ${LANG_ENGLISH} "Start Vondrel"
LangString StartProgram ${LANG_JAPANESE} "Vondrel を起動する"
LangString ShortcutText ${LANG_ENGLISH} "Point list editor for car navigation"
LangString ShortcutText ${LANG_JAPANESE} "カーナビ用 地点リスト エディタ"
LangString PointFileType ${LANG_ENGLISH} "Point file (glorie)"
LangString PointFileType ${LANG_JAPANESE} "地点ファイル（glorie）"
LangString AskRemoveSettings ${LANG_ENGLISH} "Also remove Vondrel's settings (map choice, map window) and its map tile cache?"
LangString AskRemoveSettings ${LANG_JAPANESE} "Vondrel の設定（地図の種類・地図ウィンドウの位置など）と地図のキャッシュも削除しますか？"

LangString CloseProgramFirst ${LANG_ENGLISH} "Vondrel is running. Close Vondrel and its map window, then choose Retry."
LangString CloseProgramFirst ${LANG_JAPANESE} "Vondrel が起動しています。Vondrel と地図ウィンドウを終了してから［再試行］を押してください。"
LangString ForeignFiles ${LANG_ENGLISH} "These files in the folder were not installed by Vondrel's setup, or were changed since. Move them away or choose another folder:"
LangString ForeignFiles ${LANG_JAPANESE} "フォルダーの次のファイルは Vondrel のセットアップが入れたものではないか、その後変更されています。移動するか、別のフォルダーを選んでください:"
LangString NotRecorded ${LANG_ENGLISH} "The list of installed files could not be written; the uninstaller will not remove them."
LangString NotRecorded ${LANG_JAPANESE} "インストールしたファイルの一覧を書けませんでした。アンインストールで削除されません。"
LangString NotRemoved ${LANG_ENGLISH} "Vondrel was not removed: these files could not be deleted (in use or write-protected). Close Vondrel and run the uninstaller again."
LangString NotRemoved ${LANG_JAPANESE} "Vondrel を削除できませんでした。次のファイルが使用中か書き込み禁止です。Vondrel を終了してから、もう一度アンインストールしてください。"
LangString KeptChanged ${LANG_ENGLISH} "Kept (changed since installed):"
LangString KeptChanged ${LANG_JAPANESE} "変更されていたため残したファイル:"
LangString CacheKept ${LANG_ENGLISH} "Entries in the map cache that the map did not write, kept:"
LangString CacheKept ${LANG_JAPANESE} "地図のキャッシュにある地図が書いたのではない項目（残しました）:"

; The setup helper, for the checks below, the record of installed files and their removal.
!macro ExtractHelper
  InitPluginsDir
  File "/oname=${SETUP_HELPER}" "${HELPER}"
!macroend

; The editor's main window is a dialog titled Kestrova; the map window has a class of its own; and
; a process of either may run without its window.
!macro RefuseWhileRunning
  check_running:
  FindWindow $0 "#32770" "Kestrova"
  FindWindow $1 "VondrelMapBridgePlot" ""
  ClearErrors
  ExecWait '"${SETUP_HELPER}" --running' $2
  ${If} ${Errors}
    StrCpy $2 1
  ${EndIf}
  ${If} $0 <> 0
  ${OrIf} $1 <> 0
  ${OrIf} $2 <> 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(CloseProgramFirst)" /SD IDCANCEL IDRETRY check_running
    Abort
  ${EndIf}
!macroend

Function .onInit
  !insertmacro ExtractHelper
  !insertmacro RefuseWhileRunning
  !if "${ARCH}" == "win64"
    SetRegView 64
  !endif
  SetShellVarContext all
  ; Without /D: the folder of an earlier install, when it holds our uninstaller (the registry's
  ; value may be stale, or changed to point elsewhere).
  ${If} $INSTDIR == "${DEFAULT_DIR}"
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
      ExecWait '"${SETUP_HELPER}" --ours "$0"' $1
      ${If} $1 == 0
        StrCpy $INSTDIR $0
      ${EndIf}
    ${EndIf}
  ${EndIf}
FunctionEnd

; Refuses a folder that holds a file of an installed name which is not ours (never recorded, or
; changed since): it is never overwritten.
; Through the shell, so the program runs with the user's own rights, not the installer's.
Function StartProgram
  SetOutPath "$INSTDIR"
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\Vondrel.exe"'
FunctionEnd

Function CheckFolder
  nsExec::ExecToStack '"${SETUP_HELPER}" --foreign "$INSTDIR" ${INSTALLED_NAMES} uninstall.exe uninstall.dat'
  Pop $0
  Pop $1
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "$(ForeignFiles)$\r$\n$\r$\n$INSTDIR$\r$\n$1" /SD IDOK
    Abort
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro ExtractHelper
  !insertmacro RefuseWhileRunning
  !if "${ARCH}" == "win64"
    SetRegView 64
  !endif
  SetShellVarContext all
FunctionEnd

Section "$(SecProgram)" SecProgram
  SectionIn RO
  Call CheckFolder
  SetOutPath "$INSTDIR"
  !insertmacro InstallFiles
  File "/oname=uninstall.exe" "${HELPER}"
  WriteUninstaller "$INSTDIR\uninstall.dat"
  ExecWait '"${SETUP_HELPER}" --record "$INSTDIR" ${INSTALLED_NAMES} uninstall.exe uninstall.dat' $0
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "$(NotRecorded)" /SD IDOK
    Abort
  ${EndIf}
  ; The working folder of a shortcut is $OUTDIR, the install folder.
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Vondrel.exe" "" "$INSTDIR\Vondrel.exe" 0 SW_SHOWNORMAL "" "$(ShortcutText)"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION} (${BITS}-bit)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vondrel.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "$(SecOpenWith)" SecOpenWith
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "$(PointFileType)"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\Vondrel.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\Vondrel.exe" "%1"'
  ; A value under OpenWithProgids offers the program; .xml's default value stays as it is.
  WriteRegNone HKLM "Software\Classes\.xml\OpenWithProgids" "${PROGID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  ; Nothing else is removed, and the entries stay for another try, unless the program went.
  nsExec::ExecToStack '"${SETUP_HELPER}" --remove "$INSTDIR"'
  Pop $0
  Pop $1
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "$(NotRemoved)$\r$\n$\r$\n$1" /SD IDOK
    SetErrorLevel 2
    Abort
  ${EndIf}
  ${If} $1 != ""
    DetailPrint "$(KeptChanged) $1"
  ${EndIf}
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  DeleteRegValue HKLM "Software\Classes\.xml\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKLM "Software\Classes\.xml\OpenWithProgids"
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${If} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION "$(AskRemoveSettings)" /SD IDNO IDNO keep_settings
  ${EndIf}
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "SOFTWARE\Zarn"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "SOFTWARE\Zarn"
  SetShellVarContext current
  ExecWait '"${SETUP_HELPER}" --remove-cache "$LOCALAPPDATA\Vondrel"' $0
  ${If} $0 <> 0
    DetailPrint "$(CacheKept) $0"
  ${EndIf}
  SetShellVarContext all
  keep_settings:
SectionEnd
