#!/usr/bin/env bash
# install_test.sh <cmake> <build folder>: installs into a temporary DESTDIR, validates the menu
# entry and the AppStream file, and checks that they name what was installed.
set -euo pipefail
cmake=$1
build=$2
app_id=org.reihenheld.Kalkuno

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null
share=$root/usr/share
entry=$share/applications/$app_id.desktop
metainfo=$share/metainfo/$app_id.metainfo.xml

# Clean means without hints: desktop-file-validate prints them but still succeeds.
validate_entry() {
    local said
    said=$(desktop-file-validate "$1" 2>&1) && [ -z "$said" ] || fail "$1: $said"
}
validate_entry "$entry"
appstreamcli validate --no-net "$metainfo" >/dev/null ||
    fail "appstreamcli rejects $metainfo: $(appstreamcli validate --no-net "$metainfo")"
lernstand_metainfo=$share/metainfo/org.reihenheld.kalkuno.lernstand.metainfo.xml
appstreamcli validate --pedantic --no-net "$lernstand_metainfo" >/dev/null ||
    fail "appstreamcli rejects $lernstand_metainfo: $(appstreamcli validate --pedantic --no-net \
        "$lernstand_metainfo")"

grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the AppStream file does not launch $app_id.desktop"

entry_value() { sed -n "s/^$1=//p" "$entry"; }
program=$(entry_value Exec)
icon=$(entry_value Icon)
[ -x "$root/usr/bin/$program" ] || fail "Exec=$program is no installed program"
[ -f "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon.svg"

lernstand=$share/applications/$app_id.Lernstand.desktop
validate_entry "$lernstand"
grep -q "<launchable type=\"desktop-id\">$app_id.Lernstand.desktop</launchable>" \
    "$lernstand_metainfo" || fail "the Lernstand's AppStream file does not launch its entry"
[ -x "$root/usr/bin/$(sed -n 's/^Exec=//p' "$lernstand")" ] || fail "$lernstand names no program"
[ "$(sed -n 's/^Icon=//p' "$lernstand")" = "$icon" ] || fail "$lernstand has another icon"

# A PNG keeps its width and height as big-endian 32-bit numbers at bytes 16 and 20.
png_size() {
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ printf "%dx%d", (($1*256+$2)*256+$3)*256+$4, (($5*256+$6)*256+$7)*256+$8 }'
}
for size in 16 22 24 32 48 64 128 256; do
    png=$share/icons/hicolor/${size}x$size/apps/$icon.png
    [ -f "$png" ] || fail "no ${size}x$size icon"
    [ "$(png_size "$png")" = "${size}x$size" ] ||
        fail "$png is $(png_size "$png"), not ${size}x$size"
done
