#!/usr/bin/env bash
# Builds the Debian package (the libraries and their headers, the demo host,
# its shared folder with the report layouts, menu entry and manual page) with
# CPack from the build tree, and checks it with lintian when lintian is
# installed (scripts/deps.sh installs it). Builds only what the package holds.
#   ZQVR_BUILD_DIR  the build tree (default build/, configured by scripts/build.sh)
#   ZQVR_LINTIAN=0  skips lintian
# The package lands in <build>/package/; its path is the last line printed.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${ZQVR_BUILD_DIR:-build}"
jobs="${ZQVR_JOBS:-2}"

launcher=""
command -v ccache >/dev/null && launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
# A package installs under /usr (libraries in the multiarch folder), whatever
# prefix the build tree was made with; the prefix changes no compiled file.
cmake -S . -B "$build" -G Ninja $launcher -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" -j "$jobs" --target brevanto-host

rm -rf "$build/package"
(cd "$build" && cpack -G DEB -C RelWithDebInfo >/dev/null)
deb="$(ls "$build"/package/*.deb)"

if [ "${ZQVR_LINTIAN:-1}" != 0 ] && command -v lintian >/dev/null; then
  # Errors fail the build; warnings and notes are printed for the record.
  lintian --fail-on error --tag-display-limit 0 "$deb" >&2
fi
echo "$deb"
