; The setup program of the mouse suite, built by makensis from the build tree:
;   makensis -DVERSION=1.01 -DPROGRAM_DIR=<program folder> -DICON=<logo.ico>
;            -DWIZARD_BITMAP=<164x314 bmp> -DOUTFILE=<setup.exe> pointwick.nsi
; It puts the program folder under Program Files, lets Unfurlex unpack the skins there, adds
; Start-menu shortcuts, can start Glimmet at logon, and registers an uninstaller that removes
; all of it again. The user's profile folder ("USB Optical Mouse\Mouse" under the
; application-data folder) is never touched: a reinstall keeps the user's buttons.
; Silent mode: "PointwickSetup-<version>.exe /S" and "Uninstall.exe /S" (/D=<folder> as the last
; option of the setup program chooses another folder).
; SKINS_KB_FILE (optional): a file holding what the unpacked skins take in KB, so that the space
; Setup shows is the space the installation uses; the build reads it from the skin package.

!ifndef VERSION
  !error "VERSION must be defined on the command line (-DVERSION=...)"
!endif
!ifndef PROGRAM_DIR
  !error "PROGRAM_DIR must be defined on the command line (-DPROGRAM_DIR=...)"
!endif
!ifndef ICON
  !error "ICON must be defined on the command line (-DICON=...)"
!endif
!ifndef OUTFILE
  !error "OUTFILE must be defined on the command line (-DOUTFILE=...)"
!endif
!ifdef SKINS_KB_FILE
  !define /file SKINS_KB "${SKINS_KB_FILE}"
!else
  !define SKINS_KB 0
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"

!define PRODUCT "Pointwick"
!define PUBLISHER "Pointwick"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Glimmet"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!ifdef WIZARD_BITMAP
  !define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
  !define MUI_UNWELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!endif
!define MUI_COMPONENTSPAGE_NODESC

!define MUI_WELCOMEPAGE_TITLE "Welcome to ${PRODUCT} ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "This program sets up ${PRODUCT}, the configuration program of your nine-button \
USB mouse, together with Glimmet, its companion in the notification area.$\r$\n$\r$\n\
If ${PRODUCT} or Glimmet is running, Setup closes it before it replaces the programs. \
Your button settings and profiles stay as they are.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "${PRODUCT} is ready"
!define MUI_FINISHPAGE_TEXT "You find ${PRODUCT} and its user guide in the Start menu.$\r$\n$\r$\n\
If you chose to start Glimmet at logon, its mouse icon is in the notification area now and \
every time you log on."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!define MUI_FINISHPAGE_RUN_FUNCTION StartPointwick
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; What the program folder holds, as the build leaves it.
!macro PROGRAM_FILES ACTION
  ${ACTION} "Pointwick.exe"
  ${ACTION} "Glimmet.exe"
  ${ACTION} "Unfurlex.exe"
  ${ACTION} "lan.dll"
  ${ACTION} "skins.zip"
  ${ACTION} "Help.pdf"
!macroend
!define INSTALL_FILE "!insertmacro INSTALL_FILE"
!macro INSTALL_FILE NAME
  File "${PROGRAM_DIR}/${NAME}"
!macroend
!define REMOVE_FILE "!insertmacro REMOVE_FILE"
!macro REMOVE_FILE NAME
  Delete "$INSTDIR\${NAME}"
!macroend

; CLOSE_PROGRAM: asks a running program to close (its top window gets WM_CLOSE) and waits for
; its process to end. When it does not end, the user is told to close it; a silent run gives up.
; Defined once for the installer and once (prefix "un.") for the uninstaller.
Var GlimmetWasRunning
!macro CLOSE_PROGRAM_FUNCTION PREFIX
Function ${PREFIX}CloseProgram
  ; $R0 window class, $R1 window title, $R2 the program's name for the user, $R3 what closing
  ; it means for the user
  Push $0
  Push $1
  Push $2
  Push $3
  again:
  FindWindow $0 "$R0" "$R1"
  ${If} $0 == 0
    Goto done
  ${EndIf}
  DetailPrint "Closing $R2"
  MessageBox MB_OKCANCEL|MB_ICONINFORMATION \
      "$R2 is running. Setup closes it now$R3" \
      /SD IDOK IDOK close
  Abort "Setup stopped: $R2 is still running."
  close:
  System::Call "user32::GetWindowThreadProcessId(p r0, *i .r1) i"
  System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2"
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  StrCpy $3 0
  ${If} $2 P<> 0
    System::Call "kernel32::WaitForSingleObject(p r2, i 15000) i .r3"
    System::Call "kernel32::CloseHandle(p r2)"
  ${EndIf}
  FindWindow $0 "$R0" "$R1"
  ${If} $0 <> 0
  ${OrIf} $3 <> 0
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "$R2 must be closed before Setup can go on. Close it, then click Retry." \
        /SD IDCANCEL IDRETRY again
    Abort "Setup stopped: $R2 must be closed first."
  ${EndIf}
  done:
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

Function ${PREFIX}CloseRunningPrograms
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  StrCpy $R0 "#32770"
  StrCpy $R1 "Mouse Driver"
  StrCpy $R2 "${PRODUCT}"
  StrCpy $R3 "; changes that were not applied yet are lost."
  Call ${PREFIX}CloseProgram
  StrCpy $R0 "GlimmetTrayWindow"
  StrCpy $R1 "MouseTrayIcon"
  StrCpy $R2 "Glimmet"
  FindWindow $0 "$R0" "$R1"
  ${If} $0 <> 0
    StrCpy $GlimmetWasRunning 1
  ${EndIf}
  !if "${PREFIX}" == ""
    StrCpy $R3 " and starts it again when it has finished."
  !else
    StrCpy $R3 "."
  !endif
  Call ${PREFIX}CloseProgram
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd
!macroend
!insertmacro CLOSE_PROGRAM_FUNCTION ""
!insertmacro CLOSE_PROGRAM_FUNCTION "un."

Section "${PRODUCT} and Glimmet (required)" SectionPrograms
  SectionIn RO
  SetRegView 64
  SetShellVarContext all
  Call CloseRunningPrograms

  SetOutPath "$INSTDIR"
  SetOverwrite on
  AddSize ${SKINS_KB}
  !insertmacro PROGRAM_FILES "${INSTALL_FILE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The skins of an earlier version go; Unfurlex unpacks the package of this one. It runs with
  ; Setup's administrator rights (RequestExecutionLevel admin above: a child process inherits the
  ; elevated token), which the program folder under Program Files needs; its own manifest asks
  ; for none, so that a run by hand does not prompt. It ends with 1 when a file did not install.
  RMDir /r "$INSTDIR\skins"
  DetailPrint "Unpacking the skins"
  ClearErrors
  ExecWait '"$INSTDIR\Unfurlex.exe"' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
  ${OrIfNot} ${FileExists} "$INSTDIR\skins\skin_main.ini"
    MessageBox MB_OK|MB_ICONSTOP "The skins could not be unpacked into $INSTDIR\skins." /SD IDOK
    Abort "The skins could not be unpacked."
  ${EndIf}

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\Pointwick.exe" "" \
      "$INSTDIR\skins\logo.ico" 0 SW_SHOWNORMAL "" "Configure the buttons of your mouse"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT} user guide.lnk" "$INSTDIR\Help.pdf" "" "" 0 \
      SW_SHOWNORMAL "" "How to set up your mouse with ${PRODUCT}"
  CreateShortcut "${MENU_FOLDER}\Glimmet.lnk" "$INSTDIR\Glimmet.exe" "" \
      "$INSTDIR\skins\logo.ico" 0 SW_SHOWNORMAL "" "The mouse icon in the notification area"

  ; The logon entry is written again below when its section is chosen.
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\skins\logo.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start Glimmet when I log on" SectionLogon
  SetRegView 64
  WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\Glimmet.exe"'
SectionEnd

; Glimmet comes back when it ran before Setup closed it, or when it is to start at logon.
Section "-Start Glimmet again"
  ${If} $GlimmetWasRunning == 1
  ${OrIf} ${SectionIsSelected} ${SectionLogon}
    DetailPrint "Starting Glimmet"
    StrCpy $0 "$INSTDIR\Glimmet.exe"
    Call StartAsUser
  ${EndIf}
SectionEnd

; Setup runs elevated, and a program it starts would run elevated too: a tray program that the
; user then starts by hand would not reach it, nor would it see the user's mapped drives. The shell
; runs with the user's own rights: asked to open the program, it starts it as the user.
Function StartAsUser
  ; $0 the program
  Exec '"$WINDIR\explorer.exe" "$0"'
FunctionEnd

Function StartPointwick
  StrCpy $0 "$INSTDIR\Pointwick.exe"
  Call StartAsUser
FunctionEnd

Section "Uninstall"
  SetRegView 64
  SetShellVarContext all
  Call un.CloseRunningPrograms

  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\${PRODUCT} user guide.lnk"
  Delete "${MENU_FOLDER}\Glimmet.lnk"
  RMDir "${MENU_FOLDER}"

  RMDir /r "$INSTDIR\skins"
  !insertmacro PROGRAM_FILES "${REMOVE_FILE}"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only an empty folder goes: files that someone else put there stay.
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
