#!/usr/bin/env bash
# An install into a temporary prefix holds every file a desktop needs, and
# the desktop entry and the AppStream metadata validate, and the Debian
# package passes lintian, where the tools are.
# Usage: install_test.sh BUILD_DIR
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
passed=0
failed=0
check() {  # check NAME CONDITION
  if eval "$2"; then echo "ok   $1"; passed=$((passed + 1)); else echo "FAIL $1: $2"; failed=$((failed + 1)); fi
}

cmake --install "$build" --prefix "$prefix" >/dev/null
id=io.github.kalmar.Kalmar
for file in bin/kalmar bin/kalmar-cli share/kalmar/Help.htm share/kalmar/Shema.htm \
  share/kalmar/Shema.svg share/applications/$id.desktop share/icons/hicolor/scalable/apps/$id.svg \
  share/icons/hicolor/48x48/apps/$id.png share/metainfo/$id.metainfo.xml \
  share/man/man1/kalmar.1.gz share/man/man1/kalmar-cli.1.gz share/man/ru/man1/kalmar.1.gz \
  share/man/ru/man1/kalmar-cli.1.gz share/doc/kalmar/copyright share/doc/kalmar/changelog.gz; do
  check "installed $file" "[ -s '$prefix/$file' ]"
done
version=$(sed -n 's/^project(kalmar VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
check "one version everywhere" "'$prefix/bin/kalmar-cli' --version | grep -qx 'kalmar-cli $version' &&
  grep -q 'release version=\"$version\"' '$prefix/share/metainfo/$id.metainfo.xml'"
if command -v desktop-file-validate >/dev/null; then
  check "desktop entry validates" "desktop-file-validate '$prefix/share/applications/$id.desktop'"
fi
if command -v appstreamcli >/dev/null; then
  check "metainfo validates" "appstreamcli validate --no-net '$prefix/share/metainfo/$id.metainfo.xml' >/dev/null"
fi
if command -v lintian >/dev/null && command -v cpack >/dev/null; then
  (cd "$prefix" && cpack -G DEB --config "$(cd "$build" && pwd)/CPackConfig.cmake" >/dev/null 2>&1)
  check "lintian: no error, no warning" \
    "lintian --fail-on error,warning '$prefix'/kalmar_*.deb >'$prefix/lintian.txt' 2>&1 || { cat '$prefix/lintian.txt'; false; }"
fi
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
