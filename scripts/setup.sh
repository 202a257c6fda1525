#!/usr/bin/env bash
# Installs what is missing on a Debian 12 machine and builds the program.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libqt6svg6 qt6-webengine-dev
          libgl-dev libsqlite3-dev qt6-translations-l10n fonts-dejavu-core fonts-urw-base35
          xvfb xauth imagemagick poppler-utils libsane-dev sane-utils libwmf-dev
          openbox xdotool x11-utils)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
# Says what is needed and what to ask for, when it cannot install itself.
cannot_install() {
  echo "Brivanta: installing the missing Debian packages needs root or sudo ($1); ask an administrator to install them, then run this script again:" >&2
  echo "  apt-get install ${missing[*]}" >&2
  exit 1
}
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || cannot_install "this user is not root and sudo is not installed"
    SUDO=(sudo)
  fi
  "${SUDO[@]}" apt-get update || cannot_install "apt-get update failed"
  DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y --no-install-recommends "${missing[@]}" \
    || cannot_install "apt-get install failed"
fi

WERROR=OFF
[ "${CI:-}" = "true" ] && WERROR=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRIVANTA_WERROR=$WERROR
cmake --build build
