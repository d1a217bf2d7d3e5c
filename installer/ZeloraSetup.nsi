; ZeloraSetup.exe: installs the settings centre and its updater for every user of the PC.
; Built by the build (CMake target ZeloraSetup) or by hand:
;   makensis -DARCH=x86 -DPROGRAMS=$PWD/build/win32 -DOUTFILE=$PWD/build/win32/ZeloraSetup.exe installer/ZeloraSetup.nsi
; (makensis works in this folder: give it absolute paths)
; ARCH x86 is the setup file we ship (32-bit programs); ARCH amd64 packs the 64-bit build
; so the end-to-end test can run it under wine64. Saved as UTF-8 with a byte-order mark
; so makensis reads the Korean texts right on any system.

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma

!ifndef ARCH
  !define ARCH x86
!endif
!ifndef PROGRAMS
  !error "define PROGRAMS, the folder that holds Zelora.exe and ZeloraUpdate.exe"
!endif
!ifndef OUTFILE
  !define OUTFILE "ZeloraSetup.exe"
!endif
!ifndef VERSION
  !error "define VERSION (the build gives cmake/ProductVersion.cmake's)"
!endif

Target ${ARCH}-unicode

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "WinMessages.nsh"

; Registry: the product-family keys live in the 32-bit view, where the 32-bit decoders and
; both programs read them (the 64-bit test build reads them there too). The logon entry and
; the programs-list entry sit in the installer's own view, beside those of other programs
; of its bitness.
!define PRODUCT_KEY "Software\Tarnwick\Quellmark"
!define SETUP_KEY "${PRODUCT_KEY}\Setup"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "ZeloraUpdate"
!define ARP_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelora"
!define SHORTCUT "$SMPROGRAMS\Zelora.lnk"
; The settings centre's single-instance mutex: its files cannot be replaced while it runs.
!define RUNNING_MUTEX "Zelora by rukhel"
; The updater's, and its window's caption: it runs from logon until it has checked, and its
; own Close ends it (cancelling a download), so setup can ask it to go.
!define UPDATER_MUTEX "ZeloraUpdate by rukhel"
!define UPDATER_CAPTION "ZL Update"

Name "Zelora"
OutFile "${OUTFILE}"
!if ${ARCH} == "amd64"
  InstallDir "$PROGRAMFILES64\Zelora"
!else
  InstallDir "$PROGRAMFILES\Zelora"
!endif
RequestExecutionLevel admin
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "Tarnwick"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1042 "ProductName" "Zelora"
VIAddVersionKey /LANG=1042 "CompanyName" "Tarnwick"
VIAddVersionKey /LANG=1042 "FileDescription" "Zelora 설치 프로그램"
VIAddVersionKey /LANG=1042 "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1042 "ProductVersion" "${VERSION}.0"
VIAddVersionKey /LANG=1042 "OriginalFilename" "ZeloraSetup.exe"
VIAddVersionKey /LANG=1042 "LegalCopyright" "Copyright (C) 2005 Tarnwick"

!define MUI_ICON "../resources/skin/ico_128.ico"
!define MUI_UNICON "../resources/skin/ico_128.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "이 프로그램은 코덱 통합 설정 센터 Zelora와 코덱 업데이트 프로그램 ZeloraUpdate를 컴퓨터에 설치합니다.$\r$\n$\r$\n설치하기 전에 실행 중인 Zelora를 닫아 주십시오."
!define MUI_FINISHPAGE_RUN "$INSTDIR\Zelora.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Zelora 실행"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Korean"

LangString StillRunning ${LANG_KOREAN} "Zelora가 실행 중입니다. Zelora를 닫은 다음 다시 시도를 누르십시오."
LangString UpdaterStillRunning ${LANG_KOREAN} "ZeloraUpdate가 실행 중입니다. ZeloraUpdate를 닫은 다음 다시 시도를 누르십시오."

; $0 = 1 while the program that holds the named single-instance mutex runs, else 0.
!macro IsRunning MUTEX
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX}") p .r0'
  ${If} $0 P<> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
!macroend

; Asks until the settings centre is closed; a silent run gives up (exit code 2).
!macro WaitUntilZeloraClosed
  ${Do}
    !insertmacro IsRunning "${RUNNING_MUTEX}"
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY +3
    SetErrorLevel 2
    Abort
  ${Loop}
!macroend

; Asks a running updater to close, as its Close button does, and waits up to ten seconds
; for it to end; if it stays, asks the user as for Zelora (a silent run gives up, exit 2).
!macro CloseUpdater
  ${Do}
    !insertmacro IsRunning "${UPDATER_MUTEX}"
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    FindWindow $1 "#32770" "${UPDATER_CAPTION}"
    ${If} $1 <> 0
      SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${EndIf}
    StrCpy $2 0
    ${Do}
      Sleep 200
      IntOp $2 $2 + 1
      !insertmacro IsRunning "${UPDATER_MUTEX}"
      ${If} $0 = 0
      ${OrIf} $2 >= 50
        ${ExitDo}
      ${EndIf}
    ${Loop}
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(UpdaterStillRunning)" /SD IDCANCEL IDRETRY +3
    SetErrorLevel 2
    Abort
  ${Loop}
!macroend

Function .onInit
  ; Reinstalling goes where the first installation went.
  SetRegView 32
  ReadRegStr $0 HKLM "${SETUP_KEY}" "Install_Dir"
  SetRegView default
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
  !insertmacro WaitUntilZeloraClosed
  !insertmacro CloseUpdater
FunctionEnd

Section "Zelora" SecMain
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${PROGRAMS}/Zelora.exe"
  File "${PROGRAMS}/ZeloraUpdate.exe"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Zelora.exe" "" "$INSTDIR\Zelora.exe" 0 SW_SHOWNORMAL "" "코덱 통합 설정 센터"

  SetRegView 32
  WriteRegStr HKLM "${SETUP_KEY}" "Install_Dir" "$INSTDIR"
  ; The first start after a first installation (or after our uninstaller) applies every
  ; decoder page's defaults. An install over an existing one keeps "CheckInstall" as it is,
  ; and with it the user's tuned settings. A value of any readable type counts as there.
  ClearErrors
  ReadRegDWORD $0 HKLM "${SETUP_KEY}" "CheckInstall"
  IfErrors 0 checkInstallKept
  ClearErrors
  ReadRegStr $0 HKLM "${SETUP_KEY}" "CheckInstall"
  IfErrors 0 checkInstallKept
  WriteRegDWORD HKLM "${SETUP_KEY}" "CheckInstall" 0
  checkInstallKept:

  SetRegView default
  WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\ZeloraUpdate.exe"'
  WriteRegStr HKLM "${ARP_KEY}" "DisplayName" "Zelora"
  WriteRegStr HKLM "${ARP_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${ARP_KEY}" "Publisher" "Tarnwick"
  WriteRegStr HKLM "${ARP_KEY}" "DisplayIcon" '"$INSTDIR\Zelora.exe"'
  WriteRegStr HKLM "${ARP_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${ARP_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${ARP_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${ARP_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${ARP_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${ARP_KEY}" "EstimatedSize" 1024
SectionEnd

Function un.onInit
  !insertmacro WaitUntilZeloraClosed
  !insertmacro CloseUpdater
FunctionEnd

; Removes what this installer and the two programs put on the PC, and nothing else: the
; decoder pack's bookkeeping (Install, CodecVersion, CodecDel, UnInstall, CodecBuildNum),
; the decoders' filter registrations and the user's decoder settings stay, since the
; decoders stay installed and the pack's own uninstallers rely on them.
Section "Uninstall"
  SetShellVarContext all
  ; Zelora's changes to the Windows preferred decoders first, while Zelora.exe is there to
  ; give them back: it asks whether to (and asks nothing when it changed nothing); a silent
  ; uninstall gives them back without asking, as nobody is there to answer. Declined or
  ; failed, its saved copy stays under the product's key (and with it that key), for a
  ; later Zelora to give back. Its answer never stops the uninstall.
  ${If} ${Silent}
    ExecWait '"$INSTDIR\Zelora.exe" /restore-preferred /quiet'
  ${Else}
    ExecWait '"$INSTDIR\Zelora.exe" /restore-preferred'
  ${EndIf}
  Delete "${SHORTCUT}"
  ; Anything still locked (a program started again meanwhile) goes at the next restart.
  Delete /REBOOTOK "$INSTDIR\Zelora.exe"
  Delete /REBOOTOK "$INSTDIR\ZeloraUpdate.exe"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir /REBOOTOK "$INSTDIR"

  SetRegView default
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegKey HKLM "${ARP_KEY}"

  SetRegView 32
  ; Setup: the installer's two values, the finder's preferences, the last announced version
  ; that earlier releases of the updater kept here. The key itself goes only if nobody else
  ; keeps a value in it.
  DeleteRegValue HKLM "${SETUP_KEY}" "Install_Dir"
  DeleteRegValue HKLM "${SETUP_KEY}" "CheckInstall"
  DeleteRegValue HKLM "${SETUP_KEY}" "Find_Style"
  DeleteRegValue HKLM "${SETUP_KEY}" "Find_Site_Caption"
  DeleteRegValue HKLM "${SETUP_KEY}" "Find_Site_Movie"
  DeleteRegValue HKLM "${SETUP_KEY}" "Find_Site_Ticket"
  DeleteRegValue HKLM "${SETUP_KEY}" "Zelora-ver"
  DeleteRegKey /ifempty HKLM "${SETUP_KEY}"
  ; The finder's quick-search switch.
  DeleteRegValue HKLM "${PRODUCT_KEY}\QuellFind" "List_Quick"
  DeleteRegKey /ifempty HKLM "${PRODUCT_KEY}\QuellFind"
  ; Which decoders the updater may refresh: written by Zelora, read only by the updater.
  DeleteRegKey HKLM "${PRODUCT_KEY}\CodecUpdate\video"
  DeleteRegKey HKLM "${PRODUCT_KEY}\CodecUpdate\audio"
  DeleteRegKey HKLM "${PRODUCT_KEY}\CodecUpdate\caption"
  DeleteRegKey /ifempty HKLM "${PRODUCT_KEY}\CodecUpdate"
  DeleteRegKey /ifempty HKLM "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKLM "Software\Tarnwick"

  ; The updater's own records are each user's: those of the user who uninstalls go (other
  ; users' stay in their profiles, where nothing reads them any more).
  DeleteRegValue HKCU "${SETUP_KEY}" "Zelora-ver"
  DeleteRegValue HKCU "${SETUP_KEY}" "Manifest-serial"
  DeleteRegValue HKCU "${SETUP_KEY}" "Manifest-sha256"
  DeleteRegKey /ifempty HKCU "${SETUP_KEY}"
  DeleteRegKey /ifempty HKCU "${PRODUCT_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Tarnwick"
SectionEnd
