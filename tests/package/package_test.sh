#!/usr/bin/env bash
# package_test.sh <cpack> <build folder>: builds the .deb into a temporary folder and checks its
# control fields, that it holds exactly the installed files, that its changelog and AppStream
# file name its version, and that lintian finds nothing to warn about.
set -euo pipefail
cpack=$1
build=$2

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
debs=("$out"/kalkuno_*.deb)
[ -f "${debs[0]}" ] || fail "cpack made no kalkuno_*.deb"
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kalkuno ] || fail "Package: $(field Package)"
[ "$(field Section)" = education ] || fail "Section: $(field Section)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] ||
    fail "Maintainer is not 'name <address>': $(field Maintainer)"
[ -n "$(field Description)" ] || fail "no Description"
depends=$(field Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 qt6-qpa-plugins fonts-liberation2 \
    qt6-translations-l10n; do
    [[ ", $depends," =~ ,\ $package[\ ,] ]] || fail "Depends lacks $package: $depends"
done

icons=./usr/share/icons/hicolor
expected=(
    ./usr/bin/kalkuno
    ./usr/bin/kalkuno-lernstand
    ./usr/share/applications/org.reihenheld.Kalkuno.desktop
    ./usr/share/applications/org.reihenheld.Kalkuno.Lernstand.desktop
    ./usr/share/metainfo/org.reihenheld.Kalkuno.metainfo.xml
    ./usr/share/metainfo/org.reihenheld.kalkuno.lernstand.metainfo.xml
    ./usr/share/doc/kalkuno/copyright
    ./usr/share/doc/kalkuno/changelog.gz
    ./usr/share/man/man1/kalkuno.1.gz
    ./usr/share/man/man1/kalkuno-lernstand.1.gz
    $icons/scalable/apps/kalkuno.svg
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("$icons/${size}x$size/apps/kalkuno.png")
done
# Regular files only; their listing lines start with "-".
actual=$(dpkg-deb -c "$deb" | awk '/^-/ { print $NF }' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$actual" = "$wanted" ] ||
    fail "package contents differ from the expected files:
$(diff <(echo "$wanted") <(echo "$actual"))"

# A release bumps the project's version; the changelog and the AppStream file must follow.
version=$(field Version)
unpacked=$out/unpacked
dpkg-deb -x "$deb" "$unpacked"
gzip -dc "$unpacked/usr/share/doc/kalkuno/changelog.gz" >"$out/changelog"
changelog_version=$(dpkg-parsechangelog -l "$out/changelog" -S Version)
[ "$changelog_version" = "$version" ] ||
    fail "the changelog's latest entry is $changelog_version, the package $version"
for metainfo in "$unpacked"/usr/share/metainfo/*.metainfo.xml; do
    release=$(grep -o -m1 '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
    [ "$release" = "$version" ] || fail "$(basename "$metainfo")'s latest release is $release, not $version"
done

# Errors and warnings fail; lintian's informational notes do not.
command -v lintian >/dev/null || fail "lintian is not installed (scripts/setup.sh installs it)"
findings=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian finds:
$findings"
