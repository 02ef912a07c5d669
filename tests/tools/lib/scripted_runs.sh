# Shared by the scripted-run tool tests (sourced, not run on its own): the
# scratch folder, the failure count, and the run and check helpers.
# The sourcing script passes TAVRINE_SIM SCRATCH_DIR as its own arguments.
set -u
sim=$1 dir=$2
lib=$(dirname "$sim")/Tavrine.isd
rm -rf "$dir" && mkdir -p "$dir/folder"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
[ -f "$lib" ] || { echo "FAIL: no generated library at $lib"; exit 1; }

# run NAME GAME [options...] < script: runs with the script, JSON into $dir/NAME.json.
run() {
  local name=$1 game=$2
  shift 2
  cat >"$dir/$name.txt"
  "$sim" run $game --library "$lib" --folder "$dir/folder" --events "$dir/$name.txt" --json "$@" \
    >"$dir/$name.json" 2>"$dir/$name.err" || fail "$name exited $?: $(cat "$dir/$name.err")"
}
# check NAME PYTHON: the assertions see the JSON as g, its tanks as t, the shell
# as s, the orders as o, the runtime as r and the selected tanks' indices as sel.
check() {
  python3 - "$dir/$1.json" "$2" <<'PY' || fail "$1"
import json, sys
g = json.load(open(sys.argv[1]))
t, s, o, r = g["Tanks"], g.get("Shell"), g["Orders"], g["Runtime"]
sel = [i for i, x in enumerate(t) if x["Selected"]]
exec(sys.argv[2])
PY
}
