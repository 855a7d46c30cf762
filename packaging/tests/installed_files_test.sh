#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and checks the desktop files
# there: the desktop entry and the AppStream metadata validate, the manual
# pages render without warnings, every icon has its size, what the entry
# names (program, icon) is installed, and the installed model checker runs.
#   installed_files_test.sh <build dir>
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
share=$root/usr/share

desktop-file-validate "$share"/applications/*.desktop
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man6/vellin.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "FAIL: the manual page warns:" >&2; echo "$warnings" >&2; exit 1; }
for page in "$share"/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "FAIL: $page warns:" >&2; echo "$warnings" >&2; exit 1; }
done
# pkg-config's paths are those of the prefix, not of DESTDIR nor dotted.
grep -qx 'prefix=/usr' "$(find "$root" -name kelpmodel.pc)" ||
  { echo "FAIL: kelpmodel.pc does not name the prefix /usr" >&2; exit 1; }
# The model maker's checker runs from the installed tree on the installed data.
"$root/usr/bin/kelpcheck" --quiet "$share"/vellin/*.txt ||
  { echo "FAIL: the installed kelpcheck does not pass the installed models" >&2; exit 1; }

for size in 16 32 48 64 128 256; do
  icon=$share/icons/hicolor/${size}x${size}/apps/vellin.png
  got=$(identify -format '%wx%h' "$icon")
  [ "$got" = "${size}x${size}" ] || { echo "FAIL: $icon is $got" >&2; exit 1; }
done
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$share"/applications/*.desktop)
icon_name=$(sed -n 's/^Icon=//p' "$share"/applications/*.desktop)
[ -x "$root/usr/bin/$exec_name" ] || { echo "FAIL: Exec=$exec_name is not installed" >&2; exit 1; }
[ -f "$share/icons/hicolor/48x48/apps/$icon_name.png" ] ||
  { echo "FAIL: Icon=$icon_name is not installed" >&2; exit 1; }
echo "installed files: desktop entry, metadata, manual page and icons are valid"
