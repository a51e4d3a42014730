#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Vantrel needs.
# Extra packages for one purpose come as arguments (scripts/bench.sh adds its library).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config git ccache clang-format
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-pdf-dev qt6-serialport-dev
  qt6-svg-dev qt6-multimedia-dev
  libsqlite3-dev libxlsxwriter-dev libfreexl-dev libzip-dev libical-dev
  libcurl4-openssl-dev
  qtkeychain-qt6-dev
  xvfb xauth fonts-dejavu-core socat sqlite3
  dpkg-dev file desktop-file-utils appstream
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
    || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
