#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine and builds the program.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libqt6svg6 qt6-webengine-dev
          libgl-dev libsqlite3-dev qt6-translations-l10n fonts-dejavu-core
          xvfb xauth imagemagick poppler-utils)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

WERROR=OFF
[ "${CI:-}" = "true" ] && WERROR=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIVANTA_WERROR=$WERROR
cmake --build build
