#!/usr/bin/env bash
# The Windows installer under Wine: a silent install into Program Files, the
# files, the Start menu entries and the window program's start-up folder,
# the installed programs start, and a silent uninstall that takes everything
# but the settings the user made.
#   tests/windows/installer_test.sh SETUP_EXE 'C:\Program Files\Kalmar'
# The second argument is where the installer must put the programs by
# itself (no /D): Program Files, the 64-bit one for the 64-bit programs.
# Runs in $WINEPREFIX and leaves it without the installation, passed or not.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 SETUP_EXE INSTALL_DIR" >&2; exit 2; }
setup=$1
install_win=$2
# The Start menu entries stay in the prefix: none on this desktop.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"
fail() { echo "FAIL: $*" >&2; exit 1; }
win_env() { wine cmd /c echo "%$1%" | tr -d '\r'; }

version=$(basename "$setup" | sed -E 's/^kalmar-([^-]+)-windows-.*/\1/')
install=$(winepath -u "$install_win")
programs=$(winepath -u "$(wine reg query \
  'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' /v Programs |
  tr -d '\r' | sed -n 's/^ *Programs *REG_SZ *//p')")
menu=$programs/Kalmar
startup_win="$(win_env APPDATA)\\Kalmar"
startup=$(winepath -u "$startup_win")
[ -e "$install" ] && fail "$install_win exists before the install"
[ -e "$menu" ] && fail "the Start menu folder Kalmar exists before the install"
keys=('HKCU\Software\Kalmar' 'HKLM\Software\Kalmar'
  'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalmar'
  'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalmar')
# Whatever happens, the prefix is left without the installation.
clean_up() {
  rm -rf "$install" "$menu" "$startup"
  for key in "${keys[@]}"; do wine reg delete "$key" /f >/dev/null 2>&1 || true; done
}
trap clean_up EXIT

echo "== silent install of $(basename "$setup")"
wine "$setup" /S
for file in bin/kalmar-cli.exe share/kalmar/Help.htm share/kalmar/Shema.htm \
  share/kalmar/Shema.svg LICENSE README.md Uninstall.exe; do
  [ -f "$install/$file" ] || fail "$install_win\\$file was not installed"
done
links=("Справка.lnk" "Схема программатора.lnk" "Удалить Kalmar.lnk")
window=0
[ -f "$install/bin/kalmar.exe" ] && window=1 && links+=(Kalmar.lnk)
for link in "${links[@]}"; do
  [ -f "$menu/$link" ] || fail "no Start menu entry Kalmar\\$link"
done
[ "$(ls "$menu" | wc -l)" -eq ${#links[@]} ] || fail "Start menu entries: $(ls "$menu" | paste -sd,)"

# kalmar-cli reports the installer's version from where it was installed.
out=$(wine "$install_win\\bin\\kalmar-cli.exe" --version | tr -d '\r')
grep -q "$version" <<<"$out" || fail "installed kalmar-cli.exe --version: $out"
if [ $window -eq 1 ]; then
  # The window program starts in the user's own folder: Kalmar.cfg is
  # written there, never in Program Files.
  [ -d "$startup" ] || fail "no start-up folder $startup_win"
  # (The link stores it as a counted UTF-16 string: the count may read as a
  # character before it.)
  strings -el "$menu/Kalmar.lnk" | dir=$startup_win awk '
    { dir = tolower(ENVIRON["dir"]) }
    tolower(substr($0, length($0) - length(dir) + 1)) == dir { found = 1 }
    END { exit !found }' ||
    fail "Kalmar.lnk does not start in $startup_win: $(strings -el "$menu/Kalmar.lnk" | paste -sd'|')"
  timeout 60 wine "$install_win\\bin\\kalmar.exe" --version >/dev/null ||
    fail "installed kalmar.exe --version failed"
fi

# The settings the user made stay when the program goes.
mkdir -p "$startup"
echo "settings" >"$startup/Kalmar.cfg"
echo "== silent uninstall"
# The uninstaller copies itself away and returns at once: wait for it.
wine "$install_win\\Uninstall.exe" /S
for _ in $(seq 60); do
  [ -e "$install" ] || [ -e "$menu" ] || break
  sleep 0.5
done
[ -e "$install" ] && fail "$install_win is still there: $(cd "$install" && find . | paste -sd' ')"
[ -e "$menu" ] && fail "the Start menu folder Kalmar is still there: $(ls "$menu" | paste -sd,)"
[ -f "$startup/Kalmar.cfg" ] || fail "the uninstall took the user's $startup_win\\Kalmar.cfg"
for key in "${keys[@]}"; do
  wine reg query "$key" >/dev/null 2>&1 && fail "registry key $key is still there"
done
echo "Installer test passed"
