#!/bin/sh
# Builds the .deb as scripts/package does (its own build folder, hardening flags, no tests) and
# checks what dpkg would get: control fields, the dependencies dpkg-shlibdeps found, the files under
# /usr, a launcher that finds its folder, and what lintian and hardening-check say.
# Usage: deb_package.sh <source dir> <package build dir> <project version>
set -eu
source=$1
build=$2
version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in lintian hardening-check; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
done
rm -f "$build"/fathomer_*.deb
"$source/scripts/package" "$build" >"$scratch/package.log" 2>&1 || { cat "$scratch/package.log"; exit 1; }
deb=$(find "$build" -maxdepth 1 -name 'fathomer_*.deb')
[ -n "$deb" ] || { echo "FAIL: scripts/package made no fathomer_*.deb"; cat "$scratch/package.log"; exit 1; }
# The packager's build: BUILD_TESTING off configures no test (nor benchmark or fuzz driver).
ctest --test-dir "$build" -N | grep -qx 'Total Tests: 0' || fail "the package build configured tests"
[ ! -e "$build/run/fathomer_probed" ] || fail "the package build made the benchmark program"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = fathomer ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Maintainer)" = "Fathomer Project <fathomer@example.org>" ] || fail "Maintainer is '$(field Maintainer)'"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)'"
depends=$(field Depends)
for package in fonts-liberation libqt6widgets6 libqt6gui6 libqt6core6 libsdl2-mixer-2.0-0 libsdl2-2.0-0 libc6; do
    echo "$depends" | tr ',' '\n' | grep -q "^ *$package\( \|$\)" || fail "Depends lacks $package: $depends"
done
# What opens the documents and links; recommended, as the program tells what to do without it.
field Recommends | tr ',' '\n' | grep -q '^ *xdg-utils\( \|$\)' || fail "Recommends lacks xdg-utils: $(field Recommends)"

dpkg-deb -c "$deb" | awk '{print $6}' >"$scratch/contents"
for path in ./usr/games/fathomer ./usr/lib/fathomer/fathomer ./usr/lib/fathomer/Config.ini \
            ./usr/lib/fathomer/Graphics/Skin/ ./usr/lib/fathomer/Graphics/Backdrop/ \
            ./usr/lib/fathomer/Graphics/Manual/ ./usr/lib/fathomer/Sound/Sonar.wav \
            ./usr/share/applications/com.brevant.Fathomer50.desktop \
            ./usr/share/metainfo/com.brevant.Fathomer50.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/com.brevant.Fathomer50.png \
            ./usr/share/icons/hicolor/256x256/apps/com.brevant.Fathomer50.png \
            ./usr/share/icons/hicolor/scalable/apps/com.brevant.Fathomer50.svg \
            ./usr/share/man/man6/fathomer.6.gz \
            ./usr/share/doc/fathomer/changelog.gz ./usr/share/doc/fathomer/copyright \
            ./usr/share/doc/fathomer/Readme.txt ./usr/share/doc/fathomer/Whatsnew.txt; do
    grep -qx "$path" "$scratch/contents" || fail "package lacks $path"
done
outside=$(grep -v '^\./usr/' "$scratch/contents" | grep -vx '\./' | head -n 3 || true)
[ -z "$outside" ] || fail "package installs outside /usr: $outside"
dpkg-deb -c "$deb" | awk '$2 != "root/root" {print $6}' | grep . && fail "files not owned by root"

# Unpacked anywhere, the packaged launcher finds the packaged program folder.
dpkg-deb -x "$deb" "$scratch/root"
for doc in Readme.txt Whatsnew.txt; do
    cmp -s "$scratch/root/usr/share/doc/fathomer/$doc" "$scratch/root/usr/lib/fathomer/$doc" || fail "doc $doc is not the program's"
done
got=$(FATHOMER_LAUNCHER_DRY_RUN=1 "$scratch/root/usr/games/fathomer") || fail "packaged launcher failed"
[ "$got" = "$(cd -P "$scratch/root/usr/lib/fathomer" && pwd)" ] || fail "packaged launcher goes to '$got'"

# Debian's own checks: no lintian error or warning (default profile), and every ELF file built with
# the hardening flags. Control-flow protection is not among the flags this release's dpkg-buildflags
# gives, so it is not asked for.
lintian "$deb" >"$scratch/lintian.log" 2>&1 || true
grep -E '^[EW]: ' "$scratch/lintian.log" && fail "lintian reports errors or warnings"
find "$scratch/root" -type f -exec sh -c 'file -b "$1" | grep -q "^ELF"' sh {} \; -print >"$scratch/elf"
[ -s "$scratch/elf" ] || fail "no binary in the package"
while read -r binary; do
    hardening-check --nocfprotection "$binary" || fail "hardening-check ${binary#"$scratch/root"}"
done <"$scratch/elf"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "$(basename "$deb") is right"
