#!/usr/bin/env bash
# Builds the Debian package and checks it as an installation would meet it: its
# file list, its menu entry and metadata, and the installed program started with
# a fresh home folder, twice.
# Usage: check-package.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
package=$(ls "$build"/package/vantrel_*_amd64.deb 2>/dev/null | head -n1)
[ -n "$package" ] || fail "no vantrel_<version>_amd64.deb in $build/package"

contents=$(dpkg-deb -c "$package")
for path in ./opt/vantrel/vantrel ./opt/vantrel/vantrel-xlsread ./opt/vantrel/vantrel-foldercopy \
            ./opt/vantrel/lib/libvantrel_app.so ./opt/vantrel/User.mdb \
            ./opt/vantrel/Temp.mdb ./opt/vantrel/Help.pdf ./opt/vantrel/Presentation.pdf \
            ./opt/vantrel/Letterhead.dot \
            ./usr/bin/vantrel ./usr/share/applications/vantrel.desktop \
            ./usr/share/metainfo/example.vantrel.Vantrel.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/vantrel.svg \
            ./usr/share/icons/hicolor/48x48/apps/vantrel.png \
            ./usr/share/icons/hicolor/256x256/apps/vantrel.png; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done
depends=$(dpkg-deb -f "$package" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "dependencies not found by dpkg-shlibdeps: $depends"
grep -q 'libvantrel' <<<"$depends" && fail "the program's own libraries are listed as dependencies"

root="$work/root"
dpkg-deb -x "$package" "$root"
desktop-file-validate "$root/usr/share/applications/vantrel.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/example.vantrel.Vantrel.metainfo.xml" >/dev/null

# The installed program, started as the menu entry starts it, with a fresh home.
home="$work/home"
mkdir -p "$home"
start() {
  HOME="$home" QT_QPA_PLATFORM=offscreen timeout 5 \
    "$root/opt/vantrel/vantrel" --program-folder "$home/Vantrel" >"$work/run.log" 2>&1 || true
}
start
for name in User.mdb Temp.mdb Help.pdf Presentation.pdf Letterhead.dot BCTelephone.xlsx; do
  [ -f "$home/Vantrel/$name" ] || { cat "$work/run.log"; fail "the first start did not lay out $name"; }
done
[ -e "$home/Vantrel/vantrel" ] && fail "the program itself was copied into the user's folder"
# A second start uses the folder as it is: what the user changed stays.
echo "kept" >"$home/Vantrel/Letterhead.dot"
start
[ "$(cat "$home/Vantrel/Letterhead.dot")" = kept ] || fail "a later start replaced the user's file"
grep -q '^exec /opt/vantrel/vantrel --program-folder "${VANTREL_PROGRAM_FOLDER:-$HOME/Vantrel}"' \
  "$root/usr/bin/vantrel" || fail "the vantrel command does not give the user's folder"
echo "package checks passed"
