#!/bin/sh
# Installs the build into a scratch prefix (with a space in it, to catch unquoted paths) and checks
# the layout a desktop expects and that the launcher starts the program from its program folder.
# Usage: install_layout.sh <build dir> <runnable folder> <project version>
set -eu
build=$1
run=$2
version=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix="$scratch/my prefix"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || { cat "$scratch/install.log"; exit 1; }

# Where GNUInstallDirs put bin and lib for this build (lib may be lib64 or a multiarch dir).
launcher=$(find "$prefix" -path '*/bin/fathomer' -type f)
program=$(find "$prefix" -path '*/fathomer/fathomer' -type f)
[ -n "$launcher" ] || { echo "FAIL: no launcher installed"; exit 1; }
[ -n "$program" ] || { echo "FAIL: no program folder installed"; exit 1; }
bindir=$(dirname "$launcher")
programdir=$(dirname "$program")
share="$prefix/share"

[ -x "$bindir/fathomer" ] || fail "launcher is not executable"
head -n1 "$bindir/fathomer" | grep -qx '#!/bin/sh' || fail "launcher is not a sh script"
[ -x "$programdir/fathomer" ] || fail "program is not executable"
file -b "$programdir/fathomer" | grep -q '^ELF' || fail "program is not an ELF executable"
# The program folder is the runnable folder again, data and all.
for f in Config.ini Readme.txt Whatsnew.txt; do
    cmp -s "$run/$f" "$programdir/$f" || fail "program folder lacks $f or has another one"
done
for d in Graphics/Skin Graphics/Backdrop Graphics/Manual Sound; do
    [ -n "$(ls "$run/$d")" ] || fail "the build made no $d"
    diff -r "$run/$d" "$programdir/$d" >&2 || fail "program folder's $d differs from the build's"
done
# Each manual page goes with its text, which the manual gives to screen readers.
for n in 1 2 3 4 5 6 7 8; do
    [ -s "$programdir/Graphics/Manual/$n.txt" ] || fail "manual page $n has no text installed"
done

# Icons: the right size and kind under the name the desktop entry asks for.
icon=$(sed -n 's/^Icon=//p' "$share/applications/com.brevant.Fathomer50.desktop")
[ "$icon" = com.brevant.Fathomer50 ] || fail "desktop entry names icon '$icon'"
file -b "$share/icons/hicolor/48x48/apps/$icon.png" | grep -q 'PNG image data, 48 x 48' || fail "48x48 icon"
file -b "$share/icons/hicolor/256x256/apps/$icon.png" | grep -q 'PNG image data, 256 x 256' || fail "256x256 icon"
file -b "$share/icons/hicolor/scalable/apps/$icon.svg" | grep -q 'SVG' || fail "scalable icon is not SVG"
# The screenshot the metainfo names, drawn by the build at the size it declares.
size=$(sed -n 's/.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)".*/\1 x \2/p' "$share/metainfo/com.brevant.Fathomer50.metainfo.xml")
file -b "$build/generated/pictures/Screenshot.png" | grep -q "PNG image data, $size," || fail "no $size screenshot drawn"
# The metainfo with the desktop entry it launches, as software centres read the installed tree.
appstreamcli validate-tree --no-net "$prefix" >"$scratch/tree.log" 2>&1 || { cat "$scratch/tree.log"; fail "appstreamcli validate-tree"; }
grep -q 'com.brevant.Fathomer50.metainfo.xml' "$scratch/tree.log" || fail "no metainfo in the installed tree"
desktop-file-validate "$share/applications/com.brevant.Fathomer50.desktop" || fail "installed desktop entry"
[ -s "$share/doc/fathomer/copyright" ] || fail "no copyright file"
gzip -t "$share/doc/fathomer/changelog.gz" || fail "no compressed changelog"
for f in Readme.txt Whatsnew.txt; do
    cmp -s "$run/$f" "$share/doc/fathomer/$f" || fail "share/doc/fathomer lacks $f or has another one"
done
man_warnings=$(man --warnings -l -Tutf8 "$share/man/man6/fathomer.6.gz" 2>&1 >/dev/null) || fail "man page does not render"
[ -z "$man_warnings" ] || fail "man page warnings: $man_warnings"

# --help and --version answer through the launcher and exit 0 with no display at all, where the
# toolkit would abort before anything is printed.
for option in --help --version; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bindir/fathomer" "$option" 2>&1) || fail "fathomer $option failed: $out"
    case $option in
        --help) echo "$out" | grep -q '^Usage: fathomer ' || fail "fathomer --help says '$out'" ;;
        --version) [ "$out" = "Fathomer Simulator $version" ] || fail "fathomer --version says '$out'" ;;
    esac
done

# The launcher goes to the program folder, from any working directory and through symlinks,
# absolute or relative, chained or not, as a user's ~/.local/bin might hold.
expected=$(cd -P "$programdir" && pwd)
mkdir -p "$scratch/links/deeper" "$scratch/elsewhere"
ln -s "$bindir/fathomer" "$scratch/links/absolute"
ln -s ../absolute "$scratch/links/deeper/chained"
(cd "$bindir" && ln -s fathomer "fathomer alias")
for launcher in "$bindir/fathomer" "$scratch/links/absolute" "$scratch/links/deeper/chained" "$bindir/fathomer alias"; do
    got=$(cd "$scratch/elsewhere" && FATHOMER_LAUNCHER_DRY_RUN=1 "$launcher") || fail "$launcher failed"
    [ "$got" = "$expected" ] || fail "$launcher goes to '$got', not '$expected'"
done
# Found through PATH, as the desktop entry's Exec starts it.
got=$(cd "$scratch/elsewhere" && PATH="$bindir:$PATH" FATHOMER_LAUNCHER_DRY_RUN=1 fathomer) || fail "launcher via PATH failed"
[ "$got" = "$expected" ] || fail "launcher via PATH goes to '$got'"

# The real start: the installed program runs from there (its settings go to the scratch folder, not
# the user's) and is still running after a few seconds.
status=0
(cd "$scratch/elsewhere" && XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
      timeout 3 "$bindir/fathomer" 2>"$scratch/run.log") || status=$?
[ "$status" -eq 124 ] || { cat "$scratch/run.log"; fail "installed program did not run"; }
# The shipped program has no probes: the probed build of the same program stands in for it in the
# installed folder, started by the launcher, to show that it paints its window from there.
cp "$programdir/fathomer" "$scratch/fathomer.installed"
cp "$run/fathomer_probed" "$programdir/fathomer"
out=$(cd "$scratch/elsewhere" && XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
      FATHOMER_FIRST_PAINT_PROBE=1 timeout 60 "$bindir/fathomer" 2>"$scratch/run.log") || { cat "$scratch/run.log"; fail "probed program did not run"; }
echo "$out" | grep -q '^first-paint ' || fail "installed program did not paint (said '$out')"
cp "$scratch/fathomer.installed" "$programdir/fathomer"

# A moved program folder is reported, not started from the wrong place.
mv "$programdir" "$programdir.moved"
if (cd "$scratch/elsewhere" && "$bindir/fathomer" 2>"$scratch/moved.log"); then
    fail "launcher started with its program folder gone"
fi
grep -q 'program folder .* is missing' "$scratch/moved.log" || fail "no message for a missing program folder"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "installed layout and launcher are right"
