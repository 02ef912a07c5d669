# Shared by the tool scripts that play tavrine-sim run with an events script and
# check its JSON: sourced with the script's two arguments (TAVRINE_SIM and
# SCRATCH_DIR), it sets $sim, $dir (emptied, with the program folder
# $dir/folder), $lib (the generated library beside the tool), $failures and
# fail(), and stops when there is no library. Besides run and check below:
# land_map, refused and finish.
sim=$1 dir=$2
lib=$(dirname "$sim")/Tavrine.isd
rm -rf "$dir" && mkdir -p "$dir/folder"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ -f "$lib" ] || { echo "FAIL: no generated library at $lib"; exit 1; }

# run NAME [run arguments...] < script: the run with the script; its JSON goes
# into $dir/NAME.json, its stderr into $dir/NAME.err.
run() {
  local name=$1
  shift
  cat >"$dir/$name.txt"
  "$sim" run "$@" --library "$lib" --folder "$dir/folder" --events "$dir/$name.txt" --json \
    >"$dir/$name.json" 2>"$dir/$name.err" || fail "$name exited $?: $(cat "$dir/$name.err")"
}

# check NAME PYTHON: the assertions see the JSON as g, its tanks as t, its orders
# as o and its Shell object (empty without a script) as s.
check() {
  python3 - "$dir/$1.json" "$2" <<'PY' || fail "$1"
import json, sys
g = json.load(open(sys.argv[1]))
t, s, o = g.get("Tanks", []), g.get("Shell", {}), g.get("Orders", [])
exec(sys.argv[2])
PY
}

# land_map COLUMNS ROWS MISSION OUT < events: a new blank map of that size and
# mission, kept as $dir/map.gam, opened in the editing mode (the run "build"),
# its ground filled with land (the fill's question answered yes), then the
# events (the drops of the battle's tanks and buildings), saved as OUT.
land_map() {
  "$sim" new "$1" "$2" "$3" "$dir/map.gam" >/dev/null || fail "new map $1 x $2"
  {
    printf '0 tool 2\n0 down left 100 100\n0 up left 100 100\n0 tool -1\n'
    cat
  } | run build "$dir/map.gam" --edit --out "$4"
}

# refused SCRIPT STDERR_TEXT: a malformed events script (printf format) played
# over the battle $game (the script's file and options) exits 2 with that text
# on stderr and prints no result.
refused() {
  printf "$1" >"$dir/bad.txt"
  "$sim" run $game --library "$lib" --folder "$dir/folder" --events "$dir/bad.txt" --ticks 5 \
    >"$dir/bad.out" 2>"$dir/bad.err"
  local code=$?
  [ $code = 2 ] || fail "'$1' exited $code"
  grep -q "$2" "$dir/bad.err" || fail "'$1': stderr lacks '$2': $(cat "$dir/bad.err")"
  [ ! -s "$dir/bad.out" ] || fail "'$1' printed a result"
}

# finish NAME: says NAME passed when nothing failed, and exits 1 if anything did.
finish() {
  [ $failures = 0 ] && echo "$1: ok"
  exit $((failures > 0))
}
