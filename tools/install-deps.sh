#!/usr/bin/env bash
# Installs the Debian packages the build needs when any is missing.
# (libqt6svg6: the schematic's drawing in the program's own page viewer;
# libftdi1-dev: the FT232R adapter; gputils and python3: the tests' own
# programs, tests/programs.)
# Sourced by run.sh and test.sh; as root it uses apt-get, otherwise it only
# says what is missing.
kalmar_packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev
  qt6-translations-l10n libqt6svg6 pkg-config libftdi1-dev gputils python3)

kalmar_install_deps() {
  local missing=()
  local package
  for package in "${kalmar_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]} (run as root, or: sudo apt-get install ${missing[*]})" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # Another apt (a desktop's updater right after login) may hold the lock: wait for it.
  apt-get -o DPkg::Lock::Timeout=600 update -qq &&
    apt-get -o DPkg::Lock::Timeout=600 install -y -qq "${missing[@]}"
}
