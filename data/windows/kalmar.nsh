; What the Windows installer (cpack -G NSIS, cmake/install.cmake) adds to
; CPack's script. UTF-8 with a byte order mark: the shortcut names are
; Russian, as the program is.
;
; The Start menu entries and the start-up folder belong to the user who
; installs; the program files go to Program Files for everyone. The window
; program reads and writes Kalmar.cfg in the folder it starts in, so its
; shortcut starts it in $APPDATA\Kalmar, which that user may write, never in
; Program Files. Defined by install.cmake on makensis's command line:
;   KALMAR_WINDOW  bin\kalmar.exe is installed
;   KALMAR_X64     the programs are 64-bit

!include x64.nsh

; Where CPack keeps the uninstall entry (CPACK_PACKAGE_INSTALL_REGISTRY_KEY).
!define KALMAR_UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalmar"
!define KALMAR_UNINSTALL_LINK "Удалить Kalmar.lnk"

; The pages speak the language of Windows' user interface where CPack's
; script has it, English elsewhere; what this file says is Russian where the
; pages are, English elsewhere. ($LANGUAGE is a number: LANG_RUSSIAN is
; defined only when CPack's script loads the languages, after this file.)
!macro KalmarSayNeedsX64
  ${If} $LANGUAGE = 1049
    MessageBox MB_ICONSTOP "Этот установщик — для 64-разрядной Windows; здесь нужен 32-разрядный (i686)." /SD IDOK
  ${Else}
    MessageBox MB_ICONSTOP "This installer is for 64-bit Windows; use the 32-bit (i686) one here." /SD IDOK
  ${EndIf}
!macroend

!ifdef KALMAR_X64
  ; The 64-bit programs on a 32-bit Windows are refused before the first
  ; page: Modern UI calls this once the window is made. A silent install
  ; makes no window; KalmarBeforeInstall refuses it.
  !define MUI_CUSTOMFUNCTION_GUIINIT KalmarOnGuiInit
  Function KalmarOnGuiInit
    ${IfNot} ${RunningX64}
      !insertmacro KalmarSayNeedsX64
      SetErrorLevel 2  ; as a refused silent install ends
      Abort
    ${EndIf}
  FunctionEnd
!endif

; Before any file is copied.
!macro KalmarBeforeInstall
  !ifdef KALMAR_X64
    ${IfNot} ${RunningX64}
      !insertmacro KalmarSayNeedsX64
      SetOutPath "$TEMP"  ; out of the folder, so that it can go
      RMDir "$INSTDIR"
      Abort
    ${EndIf}
  !endif
  ; CPack's .onInit chose all users for an administrator; the shortcuts and
  ; the start-up folder are this user's.
  SetShellVarContext current
!macroend

; Inside the Start menu folder the user chose.
!macro KalmarShortcuts
  !ifdef KALMAR_WINDOW
    SetOutPath "$APPDATA\Kalmar"
    CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Kalmar.lnk" "$INSTDIR\bin\kalmar.exe"
    SetOutPath "$INSTDIR"
  !endif
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Справка.lnk" "$INSTDIR\share\kalmar\Help.htm"
  CreateShortCut "$SMPROGRAMS\$STARTMENU_FOLDER\Схема программатора.lnk" "$INSTDIR\share\kalmar\Shema.htm"
!macroend

; After CPack's own steps: its uninstall shortcut under a Russian name.
!macro KalmarAfterInstall
  IfFileExists "$SMPROGRAMS\$STARTMENU_FOLDER\Uninstall.lnk" 0 +2
    Rename "$SMPROGRAMS\$STARTMENU_FOLDER\Uninstall.lnk" "$SMPROGRAMS\$STARTMENU_FOLDER\${KALMAR_UNINSTALL_LINK}"
!macroend

; At the start of the uninstall, before the files go.
!macro KalmarBeforeUninstall
  SetShellVarContext current
  ; Read again in this user's registry: CPack read it in all users' one.
  ReadRegStr $START_MENU SHCTX "${KALMAR_UNINSTALL_KEY}" "StartMenu"
  ; The start-up folder goes only when empty: Kalmar.cfg is the user's own.
  RMDir "$APPDATA\Kalmar"
!macroend

; Run with $MUI_TEMP naming the Start menu folder, after CPack removed its
; key under the vendor's.
!macro KalmarDeleteShortcuts
  DeleteRegKey /ifempty SHCTX "Software\Kalmar"
  Delete "$SMPROGRAMS\$MUI_TEMP\Kalmar.lnk"
  Delete "$SMPROGRAMS\$MUI_TEMP\Справка.lnk"
  Delete "$SMPROGRAMS\$MUI_TEMP\Схема программатора.lnk"
  Delete "$SMPROGRAMS\$MUI_TEMP\${KALMAR_UNINSTALL_LINK}"
!macroend
