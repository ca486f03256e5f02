; The per-user installer of Heapfold. makensis is run by scripts/package with:
;   /DVERSION=1.2.0.120   the product's version (from the CMake project)
;   /DDIST_X86=<folder>   the i686 programs and credits.rtf
;   /DDIST_X64=<folder>   the x86_64 programs and credits.rtf; without it the
;                         installer holds the i686 programs only
;   /DOUTFILE=<file>      the installer to write
;   /DTARGET=x86-unicode  the installer's own build (x86 runs on every Windows;
;                         amd64-unicode where the tests cannot run 32-bit programs)
;   /DICON=<file>         the installer's icon
; Installs under the user's local programs folder without asking for
; administrator rights. /S installs silently, /D=<folder> chooses the folder.
; On x64 Windows it installs the x64 programs, elsewhere the i686 ones; both
; under the same names in the same folder, so pinned stacks keep working and
; an installed i686 build is replaced in place.

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
; No file times in the installer: the same sources give the same bytes.
SetDateSave off

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "nsDialogs.nsh"
!include "x64.nsh"

!define PRODUCT "Heapfold"
!define PUBLISHER "Brenwick Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Heapfold"
!define PREFERENCES_KEY "Software\Brenwick Software\Heapfold"
!define VIEWER_CLASS "THeapviewForm"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the installed version is, so every stack keeps working.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} installer"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Heapmaker.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Heapfold now to create a stack"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
UninstPage custom un.PreferencesPage un.PreferencesPageLeave
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "Heapfold has been removed"
!define MUI_FINISHPAGE_TEXT "Your stack shortcuts on the desktop and on the taskbar were left as they are. Unpin the stacks from the taskbar (right-click, Unpin from taskbar) and delete their shortcuts from the desktop when you no longer want them."
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

; Viewers of the stacks end when asked to close; the installer asks every
; open one and waits up to five seconds for them to go.
!macro CloseViewers
  StrCpy $R9 0
  ${Do}
    FindWindow $R8 "${VIEWER_CLASS}"
    ${If} $R8 == 0
    ${OrIf} $R9 >= 50
      ${Break}
    ${EndIf}
    SendMessage $R8 ${WM_CLOSE} 0 0 /TIMEOUT=1000
    Sleep 100
    IntOp $R9 $R9 + 1
  ${Loop}
!macroend

; Replaces one program file. A program still running cannot be overwritten
; but can be renamed: the old file is moved aside and removed as soon as it
; can be, so the folder never holds a mix of old and new programs.
!macro PutProgram NAME
  ClearErrors
  Delete "$INSTDIR\${NAME}"
  ${If} ${Errors}
    Delete "$INSTDIR\${NAME}.old"
    Rename "$INSTDIR\${NAME}" "$INSTDIR\${NAME}.old"
    Delete /REBOOTOK "$INSTDIR\${NAME}.old"
  ${EndIf}
  !ifdef DIST_X64
    ; A 32-bit viewer on 64-bit Windows would see a redirected system folder
    ; and only 32-bit shell extensions. ARM64 Windows gets the i686 build,
    ; which every version of it runs.
    ${If} ${IsNativeAMD64}
      File "${DIST_X64}/${NAME}"
    ${Else}
      File "${DIST_X86}/${NAME}"
    ${EndIf}
  !else
    File "${DIST_X86}/${NAME}"
  !endif
!macroend

!macro RemoveProgram NAME
  Delete /REBOOTOK "$INSTDIR\${NAME}"
  Delete /REBOOTOK "$INSTDIR\${NAME}.old"
!macroend

Section "Heapfold"
  SetOutPath "$INSTDIR"
  !insertmacro CloseViewers
  !insertmacro PutProgram "Heapmaker.exe"
  !insertmacro PutProgram "Heapview0.exe"
  !insertmacro PutProgram "Heapview1.exe"
  !insertmacro PutProgram "Heapview2.exe"
  !insertmacro PutProgram "Heapview3.exe"
  !insertmacro PutProgram "Heapview4.exe"
  !insertmacro PutProgram "Heapview5.exe"
  !insertmacro PutProgram "Heapview6.exe"
  !insertmacro PutProgram "Heapview7.exe"
  !insertmacro PutProgram "Heapview8.exe"
  !insertmacro PutProgram "Heapview9.exe"
  File "${DIST_X86}/credits.rtf"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Heapmaker.exe" "" "$INSTDIR\Heapmaker.exe" 0 \
    SW_SHOWNORMAL "" "Create and edit stacks for the taskbar"

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Heapmaker.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "https://www.brenwick.example/heapfold/"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The uninstaller's one question: whether the preferences go too. Silent
; uninstalls keep them unless /REMOVEPREFERENCES is given.
Var RemovePreferences
Var PreferencesBox

Function un.onInit
  StrCpy $RemovePreferences 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEPREFERENCES" $1
  ${IfNot} ${Errors}
    StrCpy $RemovePreferences 1
  ${EndIf}
FunctionEnd

Function un.PreferencesPage
  !insertmacro MUI_HEADER_TEXT "Preferences" "Choose whether your Heapfold preferences go too."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "Your stacks keep working only while Heapfold is installed. Your preferences (caption colours, animation, how stacks close) can stay for a later installation."
  Pop $0
  ${NSD_CreateCheckbox} 0 36u 100% 12u "&Remove my Heapfold preferences as well"
  Pop $PreferencesBox
  nsDialogs::Show
FunctionEnd

Function un.PreferencesPageLeave
  ${NSD_GetState} $PreferencesBox $RemovePreferences
  ${If} $RemovePreferences == ${BST_CHECKED}
    StrCpy $RemovePreferences 1
  ${Else}
    StrCpy $RemovePreferences 0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !insertmacro CloseViewers
  !insertmacro RemoveProgram "Heapmaker.exe"
  !insertmacro RemoveProgram "Heapview0.exe"
  !insertmacro RemoveProgram "Heapview1.exe"
  !insertmacro RemoveProgram "Heapview2.exe"
  !insertmacro RemoveProgram "Heapview3.exe"
  !insertmacro RemoveProgram "Heapview4.exe"
  !insertmacro RemoveProgram "Heapview5.exe"
  !insertmacro RemoveProgram "Heapview6.exe"
  !insertmacro RemoveProgram "Heapview7.exe"
  !insertmacro RemoveProgram "Heapview8.exe"
  !insertmacro RemoveProgram "Heapview9.exe"
  Delete "$INSTDIR\credits.rtf"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only an empty folder is removed: files the user put there stay.
  RMDir /REBOOTOK "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${If} $RemovePreferences == 1
    DeleteRegKey HKCU "${PREFERENCES_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Brenwick Software"
  ${EndIf}
SectionEnd
