; The Windows installer of Lumor, Lumor-<version>-setup.exe, made by scripts/build-windows.sh with
; Debian's makensis from the program folder it also zips:
;   makensis -INPUTCHARSET UTF8 -DVERSION=0.1.0 -DPUBLISHER="..." -DOUTFILE=...-setup.exe
;            -DICONS=<folder with lumor.ico, welcome.bmp> -DINSTALL_FILES=<list> -DUNINSTALL_FILES=<list>
;            packaging/windows/lumor.nsi
; The two lists are written by the build script from the program folder: File lines for the
; installer, Delete and RMDir lines (deepest folder first) for the uninstaller, so the uninstaller
; removes exactly what was installed and never a whole folder.
;
; Per user, without administrator rights: the program goes to %LOCALAPPDATA%\Programs\Lumor,
; where the student may write Protokol (the reports) and Komponenty (libraries); the Start-menu
; entry, the desktop shortcut, the file types .trasa and .komp and the entry in the list of
; programs are the user's own (HKEY_CURRENT_USER).
;   setup.exe /S [/NODESKTOP] [/D=folder]       silent install (without the desktop shortcut)
;   uninstall.exe /S [/REMOVEREPORTS]           silent uninstall (also removing the reports)
; The silent uninstall keeps the reports in Protokol unless told otherwise.

Unicode true
; The program is 64-bit; a 64-bit installer also runs where only 64-bit Wine is installed.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumor"
!define ROUTE_TYPE "Lumor.Trasa"
!define LIBRARY_TYPE "Lumor.Komponenty"
; Tells Explorer that file types changed (SHCNE_ASSOCCHANGED), so the new icons show at once.
!define NotifyShell `System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'`

Name "Lumor"
Caption "Instalace programu Lumor ${VERSION}"
UninstallCaption "Odinstalace programu Lumor ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Lumor"
InstallDirRegKey HKCU "Software\Lumor" "InstallDir"
BrandingText "Lumor ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1029 "ProductName" "Lumor"
VIAddVersionKey /LANG=1029 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1029 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1029 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1029 "LegalCopyright" "${PUBLISHER}"
VIAddVersionKey /LANG=1029 "FileDescription" "Instalace programu Lumor"

!define MUI_ICON "${ICONS}\lumor.ico"
!define MUI_UNICON "${ICONS}\lumor.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${ICONS}\welcome.bmp"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TITLE "Instalace programu Lumor ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "Lumor je výukový program předmětu Přenosová media: návrh optické trasy \
z katalogu komponent, výpočet útlumu a disperzí a protokol o měření.$\r$\n$\r$\n\
Program se nainstaluje jen pro vás, do vaší uživatelské složky; práva správce nejsou potřeba. \
Protokoly a grafy se ukládají do složky Protokol v instalační složce.$\r$\n$\r$\n\
Pokračujte tlačítkem Další."
!define MUI_COMPONENTSPAGE_SMALLDESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Spustit Lumor"
!define MUI_FINISHPAGE_RUN_FUNCTION StartLumor

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Czech"

; A file type of the user's: its extension, its description and icon (a resource of lumor.exe)
; and the command a double-click runs.
!macro FileType EXTENSION TYPE DESCRIPTION ICON
  WriteRegStr HKCU "Software\Classes\${EXTENSION}" "" "${TYPE}"
  WriteRegStr HKCU "Software\Classes\${EXTENSION}\OpenWithProgids" "${TYPE}" ""
  WriteRegStr HKCU "Software\Classes\${TYPE}" "" "${DESCRIPTION}"
  WriteRegStr HKCU "Software\Classes\${TYPE}\DefaultIcon" "" "$INSTDIR\lumor.exe,${ICON}"
  WriteRegStr HKCU "Software\Classes\${TYPE}\shell\open\command" "" '"$INSTDIR\lumor.exe" "%1"'
  WriteRegStr HKCU "Software\Classes\Applications\lumor.exe\SupportedTypes" "${EXTENSION}" ""
!macroend

; Removes a file type, and the extension's default only while it is still Lumor's: another
; program the user has chosen since keeps it.
!macro RemoveFileType EXTENSION TYPE
  DeleteRegKey HKCU "Software\Classes\${TYPE}"
  ReadRegStr $0 HKCU "Software\Classes\${EXTENSION}" ""
  ${If} $0 == "${TYPE}"
    DeleteRegValue HKCU "Software\Classes\${EXTENSION}" ""
  ${EndIf}
  DeleteRegValue HKCU "Software\Classes\${EXTENSION}\OpenWithProgids" "${TYPE}"
  DeleteRegKey /ifempty HKCU "Software\Classes\${EXTENSION}\OpenWithProgids"
  DeleteRegKey /ifempty HKCU "Software\Classes\${EXTENSION}"
!macroend

; The shortcuts start the program in its folder (SetOutPath gives their "Start in").
!macro Shortcut FILE
  SetOutPath "$INSTDIR"
  CreateShortcut "${FILE}" "$INSTDIR\lumor.exe" "" "$INSTDIR\lumor.exe" 0 SW_SHOWNORMAL "" \
    "Návrh a vyhodnocení optické trasy"
!macroend

Section "Lumor" SectionProgram
  SectionIn RO
  !include "${INSTALL_FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "Software\Lumor" "InstallDir" "$INSTDIR"

  !insertmacro Shortcut "$SMPROGRAMS\Lumor.lnk"

  !insertmacro FileType ".trasa" "${ROUTE_TYPE}" "Optická trasa (Lumor)" "-2"
  !insertmacro FileType ".komp" "${LIBRARY_TYPE}" "Knihovna komponent (Lumor)" "-3"
  WriteRegStr HKCU "Software\Classes\Applications\lumor.exe" "FriendlyAppName" "Lumor"
  WriteRegStr HKCU "Software\Classes\Applications\lumor.exe\shell\open\command" "" '"$INSTDIR\lumor.exe" "%1"'
  ${NotifyShell}

  ; The entry in the list of programs (Settings > Apps, Control Panel > Programs).
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Lumor"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Comments" "Návrh a vyhodnocení optické trasy"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lumor.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Zástupce na ploše" SectionDesktop
  !insertmacro Shortcut "$DESKTOP\Lumor.lnk"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} \
    "Program, standardní knihovna komponent, položka v nabídce Start a otevírání souborů .trasa a .komp dvojklikem."
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktop} "Ikona Lumor na ploše."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/NODESKTOP" $R1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SectionDesktop}
  ${EndIf}
FunctionEnd

Function StartLumor
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\lumor.exe"'
FunctionEnd

; The reports the program writes into its Protokol folder: the student's work, removed only when
; the student agrees (or a silent uninstall is given /REMOVEREPORTS).
!macro ForEachReport MACRO
  !insertmacro ${MACRO} "Protokol.pdf"
  !insertmacro ${MACRO} "Protokol.html"
  !insertmacro ${MACRO} "att.bmp"
  !insertmacro ${MACRO} "cd.bmp"
  !insertmacro ${MACRO} "pmd.bmp"
!macroend
!macro CountReport NAME
  ${If} ${FileExists} "$INSTDIR\Protokol\${NAME}"
    IntOp $R2 $R2 + 1
  ${EndIf}
!macroend
!macro DeleteReport NAME
  Delete "$INSTDIR\Protokol\${NAME}"
!macroend

Section "Uninstall"
  ; The program first: while Lumor runs, Windows keeps lumor.exe, and then nothing is removed.
  ${If} ${FileExists} "$INSTDIR\lumor.exe"
    retry:
    ClearErrors
    Delete "$INSTDIR\lumor.exe"
    ${If} ${Errors}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "Lumor je spuštěný. Zavřete všechna jeho okna a zvolte Opakovat." /SD IDCANCEL IDRETRY retry
      Abort "Lumor je spuštěný; nic nebylo odebráno."
    ${EndIf}
  ${EndIf}

  StrCpy $R2 0
  !insertmacro ForEachReport CountReport
  ${If} $R2 > 0
    ${un.GetParameters} $R0
    ClearErrors
    ${un.GetOptions} $R0 "/REMOVEREPORTS" $R1
    ${If} ${Errors}
      MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
        "Ve složce $INSTDIR\Protokol jsou protokoly a grafy (Protokol.pdf, Protokol.html, att.bmp, cd.bmp, pmd.bmp).$\r$\n$\r$\n\
Mají se smazat také? Zvolíte-li Ne, složka s nimi zůstane." /SD IDNO IDNO keep_reports
    ${EndIf}
    !insertmacro ForEachReport DeleteReport
    keep_reports:
  ${EndIf}

  ; Exactly the installed files; a folder goes only when nothing else is left in it, so the
  ; student's own files (a library saved into Komponenty, kept reports) stay.
  !include "${UNINSTALL_FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Lumor.lnk"
  Delete "$DESKTOP\Lumor.lnk"
  !insertmacro RemoveFileType ".trasa" "${ROUTE_TYPE}"
  !insertmacro RemoveFileType ".komp" "${LIBRARY_TYPE}"
  DeleteRegKey HKCU "Software\Classes\Applications\lumor.exe"
  ${NotifyShell}
  DeleteRegKey HKCU "Software\Lumor"
  ; Last: the entry in the list of programs goes when everything else has gone.
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
