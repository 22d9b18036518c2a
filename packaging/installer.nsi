; The installer of Vondrel for one Windows target, built by scripts/package.sh with makensis:
;   makensis -DVERSION=1.3.0 -DARCH=win64|win32 -DFILES=files.nsh -DICON=app.ico -DOUTFILE=SETUP.exe
; FILES defines the macros InstallFiles and UninstallFiles (one File / Delete per file of the
; zip's folder), so that the uninstaller removes exactly what was installed and nothing a user put
; beside it; ICON is the program's icon for the installer and the uninstaller.
;
; Installs into Program Files (the 64-bit folder and registry view for win64), makes a Start-menu
; shortcut whose working folder is the install folder (the program finds its mark icons and the
; map bridge there), registers the uninstaller in Apps & features, and optionally adds the program
; to "Open with" for .xml through a ProgID of its own (never the default for .xml).
; Both refuse to go on while Vondrel or its map window runs (their files would be in use): they
; ask to close it and retry; silent, they give up with exit code 2.
; The uninstaller asks whether to remove the settings (SOFTWARE\Zarn\Vondrel, machine and user)
; and the map tile cache; silent (/S) it keeps them unless /REMOVESETTINGS is given.

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
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} (${BITS}-bit) Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
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
LangString ShortcutText ${LANG_ENGLISH} "Point list editor for car navigation"
LangString ShortcutText ${LANG_JAPANESE} "カーナビ用 地点リスト エディタ"
LangString PointFileType ${LANG_ENGLISH} "Point file (glorie)"
LangString PointFileType ${LANG_JAPANESE} "地点ファイル（glorie）"
LangString AskRemoveSettings ${LANG_ENGLISH} "Also remove Vondrel's settings (map choice, map window) and its map tile cache?"
LangString AskRemoveSettings ${LANG_JAPANESE} "Vondrel の設定（地図の種類・地図ウィンドウの位置など）と地図のキャッシュも削除しますか？"

LangString CloseProgramFirst ${LANG_ENGLISH} "Vondrel is running. Close Vondrel and its map window, then choose Retry."
LangString CloseProgramFirst ${LANG_JAPANESE} "Vondrel が起動しています。Vondrel と地図ウィンドウを終了してから［再試行］を押してください。"

; The editor's main window is a dialog titled Kestrova; the map window has a class of its own.
!macro RefuseWhileRunning
  check_running:
  FindWindow $0 "#32770" "Kestrova"
  FindWindow $1 "VondrelMapBridgePlot" ""
  ${If} $0 <> 0
  ${OrIf} $1 <> 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(CloseProgramFirst)" /SD IDCANCEL IDRETRY check_running
    Abort
  ${EndIf}
!macroend

Function .onInit
  !insertmacro RefuseWhileRunning
  !if "${ARCH}" == "win64"
    SetRegView 64
  !endif
  SetShellVarContext all
FunctionEnd

Function un.onInit
  !insertmacro RefuseWhileRunning
  !if "${ARCH}" == "win64"
    SetRegView 64
  !endif
  SetShellVarContext all
FunctionEnd

Section "$(SecProgram)" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\uninstall.exe"
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
  !insertmacro UninstallFiles
  Delete "$INSTDIR\uninstall.exe"
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
  RMDir /r "$LOCALAPPDATA\Vondrel\tiles"
  RMDir "$LOCALAPPDATA\Vondrel"
  SetShellVarContext all
  keep_settings:
SectionEnd
