# Shared by the tool scripts that play tavrine-sim run with an events script and
# check its JSON: sourced with the script's two arguments (TAVRINE_SIM and
# SCRATCH_DIR), it sets $sim, $dir (emptied, with the program folder
# $dir/folder), $lib (the generated library beside the tool), $failures and
# fail(), and stops when there is no library.
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
