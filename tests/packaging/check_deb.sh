#!/bin/sh
# Builds the Debian package from the already built tree and looks inside:
# the files a desktop needs and the dependencies apt must pull in.
# Usage: check_deb.sh BUILD_DIR WORK_DIR VERSION
set -eu
build=$1 work=$2 version=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps file; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/deps.sh installs it)"
done

rm -rf "$work"
mkdir -p "$work"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack"; }
set -- "$work"/kantomix_*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fail "no single kantomix_*.deb in $work"
deb=$1

dpkg-deb -I "$deb" >"$work/info.txt"
dpkg-deb -c "$deb" >"$work/contents.txt"
field() { sed -n "s/^ $1: //p" "$work/info.txt"; }
[ "$(field Package)" = kantomix ] || fail "package name"
[ "$(field Version)" = "$version" ] || fail "version $(field Version)"
depends=$(field Depends)
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 libsqlite3-0 libqrencode4 libc6 fonts-liberation; do
  echo "$depends" | tr ',' '\n' | grep -q "^ *$dep\b" || { echo "Depends: $depends"; fail "Depends lacks $dep"; }
done
for path in ./usr/bin/kantomix \
    ./usr/share/applications/kantomix.desktop \
    ./usr/share/mime/packages/kantomix.xml \
    ./usr/share/metainfo/example.wexsoft.kantomix.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/kantomix.svg \
    ./usr/share/icons/hicolor/48x48/apps/kantomix.png \
    ./usr/share/icons/hicolor/256x256/apps/kantomix.png \
    ./usr/share/man/man1/kantomix.1.gz; do
  awk '{ print $6 }' "$work/contents.txt" | grep -qx "$path" || { cat "$work/contents.txt"; fail "$path not in the package"; }
done
# Files belong to root, whoever built the package.
awk '$2 != "root/root" { bad = 1 } END { exit bad }' "$work/contents.txt" || fail "files not owned by root"
echo "package OK: $deb"
