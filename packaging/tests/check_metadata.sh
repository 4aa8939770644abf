#!/bin/sh
# Validates the desktop entry and the AppStream metainfo, and checks that they agree with each
# other, with the project version and with the settings' organisation and application names, from
# which their reverse-domain ID is made (as the desktop makes it for the program's settings).
# Usage: check_metadata.sh <packaging source dir> <project version> <stored_settings.h>
set -eu
src=$1
version=$2
settings=$3
name() { sed -n "s/.*$1\[\] = \"\(.*\)\";/\1/p" "$settings"; }
id="com.$(name kOrganisationName | tr '[:upper:]' '[:lower:]').$(name kApplicationName)"
desktop="$src/$id.desktop"
metainfo="$src/$id.metainfo.xml"
[ -f "$desktop" ] && [ -f "$metainfo" ] || { echo "FAIL: no $id.desktop and $id.metainfo.xml in $src"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps installs it)"; exit 1; }
done

# desktop-file-validate exits 0 on warnings: any output at all counts as a failure.
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"

value() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(value Name)" = "Fathomer Simulator" ] || fail "desktop Name is '$(value Name)'"
[ "$(value Exec)" = fathomer ] || fail "desktop Exec is '$(value Exec)'"
[ "$(value Icon)" = "$id" ] || fail "desktop Icon is '$(value Icon)'"
[ "$(value Terminal)" = false ] || fail "desktop Terminal is '$(value Terminal)'"
[ "$(value Categories)" = "Game;ArcadeGame;" ] || fail "desktop Categories is '$(value Categories)'"

grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo does not launch $id.desktop"
grep -q "<icon type=\"stock\">$id</icon>" "$metainfo" || fail "metainfo icon is not $id"
grep -q "<binary>$(value Exec)</binary>" "$metainfo" || fail "metainfo does not provide the Exec binary"
grep -q "<name>$(value Name)</name>" "$metainfo" || fail "metainfo name differs from the desktop Name"
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n1)
[ "$newest" = "$version" ] || fail "newest metainfo release is '$newest', the project is $version"
changelog=$(sed -n '1s/^fathomer (\([^)]*\)).*/\1/p' "$src/changelog")
[ "$changelog" = "$version" ] || fail "newest changelog entry is '$changelog', the project is $version"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "desktop entry and metainfo are valid and agree"
