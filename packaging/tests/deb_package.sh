#!/bin/sh
# Builds the .deb from the build folder and checks what dpkg would get: control fields, the
# dependencies dpkg-shlibdeps found, the files under /usr, and a launcher that finds its folder.
# Usage: deb_package.sh <build dir> <project version>
set -eu
build=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; exit 1; }
deb=$(find "$scratch" -maxdepth 1 -name 'fathomer_*.deb')
[ -n "$deb" ] || { echo "FAIL: cpack made no fathomer_*.deb"; cat "$scratch/cpack.log"; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = fathomer ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Maintainer)" = "Fathomer Project <fathomer@example.org>" ] || fail "Maintainer is '$(field Maintainer)'"
depends=$(field Depends)
for package in fonts-liberation libqt6widgets6 libqt6gui6 libqt6core6 libsdl2-mixer-2.0-0 libsdl2-2.0-0 libc6; do
    echo "$depends" | tr ',' '\n' | grep -q "^ *$package\( \|$\)" || fail "Depends lacks $package: $depends"
done

dpkg-deb -c "$deb" | awk '{print $6}' >"$scratch/contents"
for path in ./usr/bin/fathomer ./usr/lib/fathomer/fathomer ./usr/lib/fathomer/Config.ini \
            ./usr/lib/fathomer/Graphics/Skin/ ./usr/lib/fathomer/Graphics/Backdrop/ \
            ./usr/lib/fathomer/Graphics/Manual/ ./usr/lib/fathomer/Sound/Sonar.wav \
            ./usr/share/applications/org.example.Fathomer.desktop \
            ./usr/share/metainfo/org.example.Fathomer.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/fathomer.png \
            ./usr/share/icons/hicolor/256x256/apps/fathomer.png \
            ./usr/share/icons/hicolor/scalable/apps/fathomer.svg \
            ./usr/share/doc/fathomer/copyright; do
    grep -qx "$path" "$scratch/contents" || fail "package lacks $path"
done
outside=$(grep -v '^\./usr/' "$scratch/contents" | grep -vx '\./' | head -n 3 || true)
[ -z "$outside" ] || fail "package installs outside /usr: $outside"
dpkg-deb -c "$deb" | awk '$2 != "root/root" {print $6}' | grep . && fail "files not owned by root"

# Unpacked anywhere, the packaged launcher finds the packaged program folder.
dpkg-deb -x "$deb" "$scratch/root"
got=$(FATHOMER_LAUNCHER_DRY_RUN=1 "$scratch/root/usr/bin/fathomer") || fail "packaged launcher failed"
[ "$got" = "$(cd -P "$scratch/root/usr/lib/fathomer" && pwd)" ] || fail "packaged launcher goes to '$got'"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "$(basename "$deb") is right"
