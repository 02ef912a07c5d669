#!/usr/bin/env bash
# Proves that the layering is enforced: breaches planted in a copy of the engine
# are found by check_layers.sh, and an include that reaches up does not compile
# with the include paths the build gives the layer.
# usage: check_layers_test.sh SRC_DIR LAYER_ROOTS_DIR CXX
set -u
src=${1:?usage: check_layers_test.sh SRC_DIR LAYER_ROOTS_DIR CXX}
roots=${2:?}
cxx=${3:?}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Each case: the file to create or extend (under the copy of src) and the line
# planted in it.
cases=(
  "sim/grid.cpp|#include \"view/draw_frame.h\""
  "sim/grid.cpp|#include \"../view/draw_frame.h\""
  "state/deeper/planted.h|#include \"../../game/game.h\""
  "data/bmp_read.cpp|#include <QImage>"
  "platform/canvas.h|#include \"state/records.h\""
  "editor/walls.cpp|#include \"../../tests/support/test_world.h\""
)

cp -r "$src" "$work/clean"
bash "$here/check_layers.sh" "$work/clean" >/dev/null || fail "the unchanged engine does not pass"

for entry in "${cases[@]}"; do
  file=${entry%%|*}
  line=${entry#*|}
  rm -rf "$work/copy"
  cp -r "$src" "$work/copy"
  mkdir -p "$(dirname "$work/copy/$file")"
  echo "$line" >>"$work/copy/$file"
  if out=$(bash "$here/check_layers.sh" "$work/copy"); then
    fail "not found: $line in $file"
  elif ! grep -q "$file" <<<"$out"; then
    fail "the report does not name $file: $out"
  fi
done

# The compiler: with the sim layer's include paths, sim's own headers and those
# below are found, a view header is not.
flags=(-std=c++20 -fsyntax-only)
for layer in platform data state sim; do flags+=(-I "$roots/$layer"); done
printf '#include "sim/grid.h"\n#include "state/records.h"\n' >"$work/below.cpp"
printf '#include "sim/grid.h"\n#include "view/draw_frame.h"\n' >"$work/above.cpp"
"$cxx" "${flags[@]}" "$work/below.cpp" || fail "sim's include paths do not find sim and state"
if "$cxx" "${flags[@]}" "$work/above.cpp" 2>"$work/above.err"; then
  fail "an include from sim up to view compiles"
elif ! grep -q "view/draw_frame.h" "$work/above.err"; then
  fail "the include from sim up to view failed for another reason: $(cat "$work/above.err")"
fi

[ $failures = 0 ] && echo "layering breaches found: ok"
exit $((failures > 0))
