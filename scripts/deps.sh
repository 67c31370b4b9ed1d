#!/bin/sh
# Installs every Debian package the build, the program and the tests need.
set -eu
export DEBIAN_FRONTEND=noninteractive
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO apt-get update -qq
# The server package starts a cluster of its own on the default port when it
# is first installed; the tests run their own (scripts/pgtest.sh), so that one
# is stopped again. A server that was here before is left alone.
had_server=no
dpkg -s postgresql >/dev/null 2>&1 && had_server=yes
$SUDO apt-get install -y -qq --no-install-recommends \
  cmake ninja-build g++ clang libclang-rt-14-dev \
  qt6-base-dev qt6-svg-dev libqt6svg6-dev libgl-dev libsqlite3-dev libpq-dev libfontconfig-dev qt6-translations-l10n \
  postgresql \
  python3 fonts-liberation fontconfig poppler-utils libqrencode-dev zbar-tools \
  desktop-file-utils appstream shared-mime-info libxml2-utils groff-base man-db \
  dpkg-dev file gzip >/dev/null
if [ "$had_server" = no ] && command -v pg_lsclusters >/dev/null 2>&1; then
  pg_lsclusters --no-header 2>/dev/null | while read -r version cluster _; do
    $SUDO pg_ctlcluster "$version" "$cluster" stop >/dev/null 2>&1 || true
  done
fi
