; The installer of Pellino!: installs the program for the current user, without administrator
; rights, into a folder the program can write to, since it keeps its reminders (Pellino.dat) and
; settings (PELLINO.INI) beside itself. Built by scripts/dist:
;   makensis -DVERSION=1.0.0 -DSOURCE=<folder with the release's files> -DICON=<pellino.ico>
;            -DOUTFILE=<setup.exe> [-DTARGET=x86-ansi] installer/pellino.nsi
; The release is an x86-ansi installer, which runs on the Windows 95 family too; where the tests
; run a 64-bit build of the program, they build an amd64-unicode one around it from this script.

!ifndef VERSION
  !error "VERSION must be given"
!endif
!ifndef SOURCE
  !error "SOURCE must be given"
!endif
!ifndef ICON
  !error "ICON must be given"
!endif
!ifndef OUTFILE
  !error "OUTFILE must be given"
!endif
!ifndef TARGET
  !define TARGET x86-ansi
!endif
Target ${TARGET}

!include MUI2.nsh
!include LogicLib.nsh
!include WinVer.nsh
!include WinMessages.nsh

!define PRODUCT "Pellino!"
!define PUBLISHER "The Pellino developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pellino"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program's shortcuts, and the Startup shortcut that File > "Start with Windows" makes too.
!define MENU_FOLDER "$SMPROGRAMS\Pellino!"
!define STARTUP_SHORTCUT "$SMSTARTUP\Pellino!.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"
; An installation of an earlier version is updated where it is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"
; The file is named "...-setup.exe" as installers are, and the compiler warns that Windows looks
; at such names to guess that a program needs administrator rights. The guess is made only for a
; program whose manifest does not say; this one's asks for none (RequestExecutionLevel user).
!pragma warning disable 9000

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!define MUI_WELCOMEPAGE_TEXT "This installs ${PRODUCT} ${VERSION}, the reminder program, for you \
  alone: no administrator rights are needed.$\r$\n$\r$\nIf an earlier version is installed, it \
  is replaced and your reminders and settings are kept. A running ${PRODUCT} is closed first; \
  it saves your reminders as it closes.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_DIRECTORYPAGE_TEXT_TOP "${PRODUCT} keeps your reminders and settings in the folder \
  it is installed in, so choose one that you may write in."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\PELLINO.EXE"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.TXT"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the read-me"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "Your reminders (Pellino.dat), settings (PELLINO.INI) and \
  their backups stay in $INSTDIR unless you tick $\"Also delete my reminders$\"."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks a running Pellino! to close, as its own Exit does, so that it saves the reminders, and
; waits until its program file is free to be replaced or removed. Any copy is asked: only one
; copy of a program named PELLINO.EXE runs at a time. The window of a copy in the tray is hidden
; but found all the same.
!macro CLOSE_RUNNING_COPY un
Function ${un}CloseRunningCopy
  FindWindow $0 "TMainForm" "${PRODUCT}"
  ${If} $0 == 0
    Return
  ${EndIf}
  DetailPrint "Closing the running ${PRODUCT}"
  retry:
  ; Waited for a while only: the close may ask the user something (a save that fails), and
  ; then the installer must not hang on it.
  FindWindow $0 "TMainForm" "${PRODUCT}"
  ${If} $0 != 0
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  ${EndIf}
  StrCpy $1 0
  ${Do}
    FindWindow $0 "TMainForm" "${PRODUCT}"
    ${If} $0 == 0
      ClearErrors
      ; Gone only once the system lets the program file go.
      Delete "$INSTDIR\PELLINO.EXE"
      ${IfNot} ${Errors}
        Return
      ${EndIf}
    ${EndIf}
    Sleep 100
    IntOp $1 $1 + 1
  ${LoopUntil} $1 >= 200
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is still running and could not be \
    closed. Close it (File > Exit) and click Retry." /SD IDCANCEL IDRETRY retry
  Abort "${PRODUCT} is still running."
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY ""
!insertmacro CLOSE_RUNNING_COPY "un."

Section "${PRODUCT}" SecProgram
  SectionIn RO
  Call CloseRunningCopy
  SetOutPath "$INSTDIR"
  ; Replaces the program files; Pellino.dat, PELLINO.INI and the backups are never among them.
  File "${SOURCE}\PELLINO.EXE"
  File "${SOURCE}\PELLINO.HLP"
  File "${SOURCE}\PELLINO.CHM"
  File "${SOURCE}\pellino-dat.exe"
  File "${SOURCE}\README.TXT"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortCut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\PELLINO.EXE" "" \
    "$INSTDIR\PELLINO.EXE" 0 SW_SHOWNORMAL "" "Your reminders"
  ; Windows Vista and later show only the compiled HTML help.
  ${If} ${AtLeastWinVista}
    CreateShortCut "${MENU_FOLDER}\${PRODUCT} Help.lnk" "$INSTDIR\PELLINO.CHM"
  ${Else}
    CreateShortCut "${MENU_FOLDER}\${PRODUCT} Help.lnk" "$INSTDIR\PELLINO.HLP"
  ${EndIf}
  CreateShortCut "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\PELLINO.EXE,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\Uninstall.exe$\""
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\Uninstall.exe$\" /S"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Minimised: the program's start-up rules then make it a taskbar button, or an icon in the tray.
Section "Start ${PRODUCT} when Windows starts" SecStartup
  SetOutPath "$INSTDIR"
  CreateShortCut "${STARTUP_SHORTCUT}" "$INSTDIR\PELLINO.EXE" "" "" "" SW_SHOWMINIMIZED "" \
    "${PRODUCT} reminders"
  ; One way of starting is enough: a Run value the program made would start a second copy.
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
SectionEnd

Section "-StartupOff"
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    Delete "${STARTUP_SHORTCUT}"
  ${EndIf}
SectionEnd

Function .onInit
  ${If} $INSTDIR == ""
    ; The user's own folder for programs since Windows 2000; the 95 family lets every user write
    ; everywhere and has no such folder.
    ${If} ${IsNT}
    ${AndIf} $LOCALAPPDATA != ""
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Pellino"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES\Pellino"
    ${EndIf}
  ${EndIf}
  ; Updating an installation whose user took the start with Windows away keeps it away.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIfNot} ${FileExists} "${STARTUP_SHORTCUT}"
    !insertmacro UnselectSection ${SecStartup}
  ${EndIf}
FunctionEnd

Section "un.${PRODUCT}" UnSecProgram
  SectionIn RO
  Call un.CloseRunningCopy
  Delete "$INSTDIR\PELLINO.EXE"
  Delete "$INSTDIR\PELLINO.HLP"
  Delete "$INSTDIR\PELLINO.CHM"
  ; What the WinHelp engine writes beside a help file it has shown.
  Delete "$INSTDIR\PELLINO.GID"
  Delete "$INSTDIR\PELLINO.FTS"
  Delete "$INSTDIR\pellino-dat.exe"
  Delete "$INSTDIR\README.TXT"
  Delete "$INSTDIR\Uninstall.exe"
  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\${PRODUCT} Help.lnk"
  Delete "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk"
  RMDir "${MENU_FOLDER}"
  Delete "${STARTUP_SHORTCUT}"
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Only an empty folder goes: one that holds the reminders stays.
  RMDir "$INSTDIR"
SectionEnd

Section /o "un.Also delete my reminders" UnSecData
  Delete "$INSTDIR\Pellino.dat"
  Delete "$INSTDIR\PELLINO.INI"
  Delete "$INSTDIR\Pellino*.bak"
  ; Changes the data file could not take as a session ended, waiting for the next start.
  Delete "$INSTDIR\Pellino.unsaved.dat"
  ; A save that was cut short leaves these.
  Delete "$INSTDIR\Pellino.tmp"
  Delete "$INSTDIR\Pellino.old"
  Delete "$INSTDIR\Pellino.unsaved.tmp"
  Delete "$INSTDIR\Pellino.unsaved.old"
  RMDir "$INSTDIR"
SectionEnd
