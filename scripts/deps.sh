#!/bin/sh
# Installs every Debian package the build, the program and the tests need.
set -eu
export DEBIAN_FRONTEND=noninteractive
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  cmake ninja-build g++ clang libclang-rt-14-dev \
  qt6-base-dev qt6-svg-dev libqt6svg6-dev libgl-dev libsqlite3-dev libfontconfig-dev qt6-translations-l10n \
  python3 fonts-liberation fontconfig poppler-utils libqrencode-dev zbar-tools \
  desktop-file-utils appstream shared-mime-info libxml2-utils groff-base man-db \
  dpkg-dev file gzip >/dev/null
