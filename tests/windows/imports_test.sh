#!/usr/bin/env bash
# The Windows programs start on Windows XP: every DLL they import is one
# Windows XP has, and no function they import is one that came later.
#   tests/windows/imports_test.sh EXE...
# A call Windows XP lacks stops the program before main with "entry point
# not found", so the 32-bit build is compiled for XP (_WIN32_WINNT 0x0501)
# and this holds the linked result, runtime libraries included, to it. A
# newer call a program makes only when Windows has it goes through
# GetProcAddress and never shows here.
set -euo pipefail

# The DLLs of Windows XP the programs may import.
allowed_dlls=(kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll
  comdlg32.dll ole32.dll uxtheme.dll msvcrt.dll)
allowed() { [[ " ${allowed_dlls[*]} " == *" $1 "* ]]; }

# Functions Windows XP does not export, which toolchains, runtime libraries
# and habits bring in: DLL, function, and the first Windows that has it by
# the Requirements of the function's page on Microsoft Learn (the page
# named by the header, learn.microsoft.com/windows/win32/api/HEADER/).
# msvcrt.dll's exports are not listed there by Windows version, so none of
# its functions are here. Lines starting with # are notes.
deny_list() {
  cat <<'EOF'
kernel32.dll GetTickCount64                  Vista     sysinfoapi
kernel32.dll GetSystemTimePreciseAsFileTime  8         sysinfoapi
kernel32.dll InitializeConditionVariable     Vista     synchapi
kernel32.dll SleepConditionVariableCS        Vista     synchapi
kernel32.dll SleepConditionVariableSRW       Vista     synchapi
kernel32.dll WakeConditionVariable           Vista     synchapi
kernel32.dll WakeAllConditionVariable        Vista     synchapi
kernel32.dll InitializeSRWLock               Vista     synchapi
kernel32.dll AcquireSRWLockExclusive         Vista     synchapi
kernel32.dll AcquireSRWLockShared            Vista     synchapi
kernel32.dll ReleaseSRWLockExclusive         Vista     synchapi
kernel32.dll ReleaseSRWLockShared            Vista     synchapi
kernel32.dll TryAcquireSRWLockExclusive      7         synchapi
kernel32.dll TryAcquireSRWLockShared         7         synchapi
kernel32.dll InitOnceInitialize              Vista     synchapi
kernel32.dll InitOnceExecuteOnce             Vista     synchapi
kernel32.dll InitOnceBeginInitialize         Vista     synchapi
kernel32.dll InitOnceComplete                Vista     synchapi
kernel32.dll CreateEventExW                  Vista     synchapi
kernel32.dll CreateMutexExW                  Vista     synchapi
kernel32.dll CreateSemaphoreExW              Vista     synchapi
# The fiber-local slots came with Windows Server 2003 (RegGetValue with its
# SP1), so Windows XP x64 has them and the 32-bit Windows XP has not: refused
# for both builds.
kernel32.dll FlsAlloc                        Vista     fibersapi
kernel32.dll FlsFree                         Vista     fibersapi
kernel32.dll FlsGetValue                     Vista     fibersapi
kernel32.dll FlsSetValue                     Vista     fibersapi
kernel32.dll CreateSymbolicLinkW             Vista     winbase
kernel32.dll CreateSymbolicLinkA             Vista     winbase
kernel32.dll GetFinalPathNameByHandleW       Vista     fileapi
kernel32.dll GetFinalPathNameByHandleA       Vista     fileapi
kernel32.dll GetFileInformationByHandleEx    Vista     winbase
kernel32.dll SetFileInformationByHandle      Vista     fileapi
kernel32.dll GetErrorMode                    Vista     errhandlingapi
kernel32.dll SetThreadErrorMode              7         errhandlingapi
kernel32.dll GetThreadErrorMode              7         errhandlingapi
kernel32.dll CompareStringEx                 Vista     stringapiset
kernel32.dll CompareStringOrdinal            Vista     stringapiset
kernel32.dll LCMapStringEx                   Vista     winnls
kernel32.dll GetLocaleInfoEx                 Vista     winnls
kernel32.dll GetUserDefaultLocaleName        Vista     winnls
kernel32.dll LocaleNameToLCID                Vista     winnls
kernel32.dll QueryFullProcessImageNameW      Vista     winbase
kernel32.dll CancelIoEx                      Vista     ioapiset
kernel32.dll AddDllDirectory                 8         libloaderapi
kernel32.dll SetDefaultDllDirectories        8         libloaderapi
advapi32.dll RegGetValueW                    Vista     winreg
advapi32.dll RegGetValueA                    Vista     winreg
advapi32.dll RegDeleteTreeW                  Vista     winreg
advapi32.dll RegSetKeyValueW                 Vista     winreg
advapi32.dll EventRegister                   Vista     evntprov
advapi32.dll EventWrite                      Vista     evntprov
advapi32.dll EventUnregister                 Vista     evntprov
user32.dll   SetProcessDPIAware              Vista     winuser
user32.dll   IsProcessDPIAware               Vista     winuser
user32.dll   GetDpiForWindow                 10-1607   winuser
user32.dll   GetDpiForSystem                 10-1607   winuser
user32.dll   GetSystemMetricsForDpi          10-1607   winuser
user32.dll   SystemParametersInfoForDpi      10-1607   winuser
user32.dll   AdjustWindowRectExForDpi        10-1607   winuser
user32.dll   EnableNonClientDpiScaling       10-1607   winuser
user32.dll   SetThreadDpiAwarenessContext    10-1607   winuser
user32.dll   GetWindowDpiAwarenessContext    10-1607   winuser
user32.dll   SetProcessDpiAwarenessContext   10-1703   winuser
user32.dll   ChangeWindowMessageFilter       Vista     winuser
user32.dll   ChangeWindowMessageFilterEx     7         winuser
user32.dll   AddClipboardFormatListener      Vista     winuser
user32.dll   ShutdownBlockReasonCreate       Vista     winuser
shcore.dll   SetProcessDpiAwareness          8.1       shellscalingapi
shcore.dll   GetProcessDpiAwareness          8.1       shellscalingapi
shcore.dll   GetDpiForMonitor                8.1       shellscalingapi
comctl32.dll TaskDialog                      Vista     commctrl
comctl32.dll TaskDialogIndirect              Vista     commctrl
comctl32.dll LoadIconMetric                  Vista     commctrl
comctl32.dll LoadIconWithScaleDown           Vista     commctrl
shell32.dll  SHGetKnownFolderPath            Vista     shlobj_core
shell32.dll  SHCreateItemFromParsingName     Vista     shobjidl_core
shell32.dll  SHGetStockIconInfo              Vista     shellapi
uxtheme.dll  BufferedPaintInit               Vista     uxtheme
uxtheme.dll  BufferedPaintUnInit             Vista     uxtheme
uxtheme.dll  BeginBufferedPaint              Vista     uxtheme
uxtheme.dll  EndBufferedPaint                Vista     uxtheme
uxtheme.dll  DrawThemeTextEx                 Vista     uxtheme
EOF
}

# "DLL FUNCTION" per import, the DLL in lower case; "#ORDINAL" for a
# function imported by number.
imports() {
  local objdump=x86_64-w64-mingw32-objdump
  command -v "$objdump" >/dev/null || objdump=i686-w64-mingw32-objdump
  "$objdump" -p "$1" | awk '
    /^\tDLL Name: / { dll = tolower($3); next }
    /^$/ { dll = "" }
    dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 {
      print dll, ($3 == "<none>" ? "#" $2 : $3)
    }'
}

[ $# -gt 0 ] || { echo "usage: $0 EXE..." >&2; exit 2; }
failed=0
for exe in "$@"; do
  name=$(basename "$exe")
  if ! list=$(imports "$exe"); then
    echo "FAIL $name: objdump -p cannot read it" >&2
    failed=1
    continue
  fi
  # Every program imports kernel32.dll: nothing read means objdump's output
  # was not understood, never that all is well.
  if ! grep -q '^kernel32\.dll ' <<<"$list"; then
    echo "FAIL $name: no imports of kernel32.dll read from objdump -p" >&2
    failed=1
    continue
  fi
  while read -r dll function; do
    if ! allowed "$dll"; then
      echo "FAIL $name: $dll!$function: not one of the Windows XP DLLs the programs may import" >&2
      failed=1
    fi
  done <<<"$list"
  while read -r dll function since header; do
    [[ $dll == \#* ]] && continue
    if grep -Fqx "$dll $function" <<<"$list"; then
      echo "FAIL $name: $dll!$function needs Windows $since ($header.h), not on Windows XP" >&2
      failed=1
    fi
  done < <(deny_list)
  echo "$name: $(wc -l <<<"$list") imports from $(cut -d' ' -f1 <<<"$list" | sort -u | paste -sd' ')"
done
[ $failed -eq 0 ] && echo "All imports are on Windows XP"
exit $failed
