#!/usr/bin/env bash
# Installs the Debian packages the build, the demo host, the tests and the
# Debian package (scripts/package.sh: dpkg-shlibdeps, lintian) need,
# only those missing, and any further packages named on the command line
# (scripts/fuzz.sh asks for clang this way). apt-get runs as root, through sudo otherwise.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-odbc libgl-dev
  libsqlite3-dev zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core xvfb xauth poppler-utils python3
  postgresql unixodbc odbc-postgresql tdsodbc util-linux
  qt6-translations-l10n
  dpkg-dev lintian
  "$@"
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
