#!/bin/sh
# Installs into a temporary DESTDIR and checks what a desktop takes from the
# tree: the menu entry, the order-file type, the AppStream data, the icons and
# the manual page. Usage: check_install.sh BUILD_DIR WORK_DIR VERSION
set -eu
build=$1 work=$2 version=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate update-mime-database xmllint appstreamcli groff man; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/deps.sh installs it)"
done

rm -rf "$work"
mkdir -p "$work"
DESTDIR="$work/root" cmake --install "$build" --prefix /usr >"$work/install.log"
usr="$work/root/usr"
type=application/x-kantomix-orders

# The program, and the version it reports is the one packaged.
[ -x "$usr/bin/kantomix" ] || fail "no usr/bin/kantomix"
[ "$("$usr/bin/kantomix" --version)" = "Kantomix $version" ] || fail "kantomix --version"

# Menu entry: valid, opens a named file, claims the order-file type.
desktop="$usr/share/applications/kantomix.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || { cat "$work/desktop.log"; fail "desktop entry invalid"; }
[ ! -s "$work/desktop.log" ] || { cat "$work/desktop.log"; fail "desktop entry has hints or warnings"; }
grep -qx 'Exec=kantomix %f' "$desktop" || fail "Exec line"
grep -qx "MimeType=$type;" "$desktop" || fail "MimeType line"
grep -qx 'Icon=kantomix' "$desktop" || fail "Icon line"
grep -q '^Name\[pl\]=' "$desktop" && grep -q '^GenericName\[pl\]=' "$desktop" \
  && grep -q '^Comment\[pl\]=' "$desktop" || fail "Polish name, generic name or comment missing"

# Order-file type: well-formed, and the compiled database knows *.zmt and the
# "ver=" header at the start of a file.
xml="$usr/share/mime/packages/kantomix.xml"
xmllint --noout "$xml" || fail "MIME XML not well-formed"
grep -q 'glob pattern="\*\.zmt"' "$xml" || fail "MIME XML names no *.zmt"
mkdir -p "$work/mime/packages"
cp "$xml" "$work/mime/packages/"
XDG_DATA_HOME="$work" update-mime-database "$work/mime" >"$work/mime.log" 2>&1 || { cat "$work/mime.log"; fail "update-mime-database"; }
[ ! -s "$work/mime.log" ] || { cat "$work/mime.log"; fail "update-mime-database complained"; }
grep -q ":$type:\*\.zmt" "$work/mime/globs2" || fail "compiled globs lack *.zmt"
grep -aq "$type" "$work/mime/magic" || fail "compiled magic lacks the type"
grep -aq 'ver=' "$work/mime/magic" || fail "compiled magic lacks ver="
grep -q "Plik przelewów" "$work/mime/$type.xml" || fail "no Polish comment"

# AppStream data.
metainfo="$usr/share/metainfo/example.wexsoft.kantomix.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 \
  || { cat "$work/appstream.log"; fail "metainfo invalid"; }
grep -q '<launchable type="desktop-id">kantomix.desktop</launchable>' "$metainfo" || fail "launchable"
grep -q "<release version=\"$version\"" "$metainfo" || fail "release version"

# Icons: the scalable one and PNGs of the size their folder names.
svg="$usr/share/icons/hicolor/scalable/apps/kantomix.svg"
xmllint --noout "$svg" || fail "icon SVG"
png_size() {  # width and height from the PNG header
  od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'
}
for n in 48 256; do
  png="$usr/share/icons/hicolor/${n}x${n}/apps/kantomix.png"
  [ -f "$png" ] || fail "no $n px icon"
  [ "$(png_size "$png")" = "${n}x${n}" ] || fail "$png is $(png_size "$png")"
done

# Manual page: renders without a warning, through groff and through man.
page="$usr/share/man/man1/kantomix.1.gz"
[ -f "$page" ] || fail "no manual page"
gzip -dc "$page" | groff -k -ww -man -Tutf8 -z 2>"$work/groff.log" || fail "groff failed"
[ ! -s "$work/groff.log" ] || { cat "$work/groff.log"; fail "groff warnings"; }
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings=w -l "$page" >"$work/man.txt" 2>"$work/man.log" || fail "man -l failed"
[ ! -s "$work/man.log" ] || { cat "$work/man.log"; fail "man -l warnings"; }
for heading in NAZWA SKŁADNIA OPCJE 'KOD ZAKOŃCZENIA' 'FORMAT PLIKU' PLIKI; do
  grep -q "^$heading" "$work/man.txt" || fail "manual page lacks $heading"
done
grep -q "Kantomix $version" "$work/man.txt" || fail "manual page version"
echo "install tree OK"
