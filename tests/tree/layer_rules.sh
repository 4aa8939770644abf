#!/usr/bin/env bash
# The layer table enforced, on a small tree of its own: scripts/check-tree refuses includes the
# table does not allow, the configure refuses such links, and a library's header is found only by
# targets that link the library.
# Usage: layer_rules.sh <source tree>
set -uo pipefail
source_tree=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A tree with the real script, table and style, and a few files of its own.
tree=$work/tree
mkdir -p "$tree/scripts" "$tree/cmake" "$tree/src/game" "$tree/src/keys" "$tree/src/platform" "$tree/tests/game"
cp "$source_tree/scripts/check-tree" "$tree/scripts/"
cp "$source_tree/cmake/layers.txt" "$source_tree/cmake/FathomerLayers.cmake" "$tree/cmake/"
cp "$source_tree/.clang-format" "$tree/"
printf '#pragma once\n\ninline int platformValue() { return 1; }\n' >"$tree/src/platform/value.h"
printf '#include "platform/value.h"\n\nint value() { return platformValue(); }\n' >"$tree/src/platform/value.cpp"
printf '#include "platform/value.h"\n\n#include <QtGlobal>\n\nint gameValue() { return platformValue(); }\n' \
  >"$tree/src/game/game_value.cpp"
printf '#include "platform/value.h"\n\nint keysValue() { return platformValue(); }\n' >"$tree/src/keys/keys_value.cpp"
printf '#include "../../src/keys/keys_value.cpp"\n' >"$tree/tests/game/tst_value.cpp"
git -C "$tree" init -q && git -C "$tree" add -A

out=$("$tree/scripts/check-tree" 2>&1) && fail "check-tree passed a tree with forbidden includes"
grep -q 'src/game/game_value.cpp: includes "platform/value.h" of platform' <<<"$out" ||
  fail "check-tree did not name game's include of platform: $out"
grep -q 'tests/game/tst_value.cpp: includes "../../src/keys/keys_value.cpp" of keys' <<<"$out" ||
  fail "check-tree did not follow a relative include to keys: $out"
grep -q 'src/game/game_value.cpp: includes <QtGlobal>, but the line of game' <<<"$out" ||
  fail "check-tree let game, kept to the standard library, include Qt: $out"
grep -q 'keys_value' <<<"$(grep -v tests/game <<<"$out")" && fail "check-tree refused keys' allowed include: $out"

# The same tree as a project: game reaches for platform's header without linking it (a compile
# error), keys links platform as its line allows (builds), and tests/game links keys and game an
# outside library (both refused).
cat >"$tree/CMakeLists.txt" <<'EOF'
cmake_minimum_required(VERSION 3.25)
project(LayerRules LANGUAGES CXX)
include(cmake/FathomerLayers.cmake)
add_subdirectory(src/platform)
add_subdirectory(src/game)
add_subdirectory(src/keys)
if(FORBIDDEN_LINK)
  add_subdirectory(tests/game)
endif()
fathomer_check_layers()
EOF
printf 'add_library(fathomer_platform STATIC value.h value.cpp)\nfathomer_export_headers(fathomer_platform)\n' \
  >"$tree/src/platform/CMakeLists.txt"
printf 'add_library(fathomer_game STATIC game_value.cpp)\nif(FORBIDDEN_LINK)\n  target_link_libraries(fathomer_game PRIVATE m)\nendif()\n' \
  >"$tree/src/game/CMakeLists.txt"
printf 'add_library(fathomer_keys STATIC keys_value.cpp)\ntarget_link_libraries(fathomer_keys PRIVATE fathomer_platform)\n' \
  >"$tree/src/keys/CMakeLists.txt"
printf 'add_library(tst_value STATIC tst_value.cpp)\ntarget_link_libraries(tst_value PRIVATE fathomer_keys)\n' \
  >"$tree/tests/game/CMakeLists.txt"

cmake -S "$tree" -B "$work/build" >"$work/configure.log" 2>&1 || fail "the allowed project did not configure: $(cat "$work/configure.log")"
cmake --build "$work/build" --target fathomer_keys >"$work/keys.log" 2>&1 ||
  fail "keys, linking platform, did not find platform's header: $(cat "$work/keys.log")"
cmake --build "$work/build" --target fathomer_game >"$work/game.log" 2>&1 &&
  fail "game found platform's header without linking platform"
grep -q 'platform/value.h' "$work/game.log" || fail "game's build failed for another reason: $(cat "$work/game.log")"

cmake -S "$tree" -B "$work/forbidden" -DFORBIDDEN_LINK=ON >"$work/forbidden.log" 2>&1 &&
  fail "the configure passed tests/game linking keys"
grep -q 'tst_value (tests/game) uses library fathomer_keys of keys' "$work/forbidden.log" ||
  fail "the configure did not name the forbidden link: $(cat "$work/forbidden.log")"
grep -q 'fathomer_game (src/game) links m, but the line of game' "$work/forbidden.log" ||
  fail "the configure did not name game's outside library: $(cat "$work/forbidden.log")"

[ "$failures" -eq 0 ] && echo "layer rules hold"
exit $((failures > 0))
