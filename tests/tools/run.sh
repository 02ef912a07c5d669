#!/usr/bin/env bash
# tavrine-sim run end to end: a game run for no ticks is saved back byte for byte,
# the same seed gives the same result, and the JSON carries the run-time state.
# usage: run.sh TAVRINE_SIM SCRATCH_DIR
set -u
sim=$1 dir=$2
rm -rf "$dir" && mkdir -p "$dir"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$sim" new 60 40 1 "$dir/map.gam" || fail "new map"

# No ticks: the file written is the file read.
"$sim" run "$dir/map.gam" --library none --out "$dir/same.gam" >"$dir/out" 2>"$dir/err" || fail "run --ticks 0: $(cat "$dir/err")"
cmp -s "$dir/map.gam" "$dir/same.gam" || fail "run --ticks 0 --out changed the file"
python3 - "$dir/out" <<'PY' || fail "summary line"
import json, sys
lines = open(sys.argv[1]).read().splitlines()
assert len(lines) == 1, lines
s = json.loads(lines[0])
for key in ("Ticks", "Outcome", "GameTime", "Money", "EnemyHQs", "EnemyBuildings", "EnemyTanks",
            "OwnHQs", "OwnBuildings", "OwnTanks", "Tanks", "Orders"):
    assert key in s, key
assert s["Ticks"] == 0 and s["Outcome"] == 0, s
PY

# As a fresh game: 5000 in money; after 100 ticks (the first 100 frames are not
# judged) the empty map is judged at tick 100 and the clock has run two seconds.
"$sim" run "$dir/map.gam" --library none --new --ticks 100 --json >"$dir/new.json" 2>"$dir/err" || fail "run --new: $(cat "$dir/err")"
python3 - "$dir/new.json" <<'PY' || fail "JSON of a fresh game"
import json, sys
g = json.load(open(sys.argv[1]))
assert g["Money"] == 5000 and g["GameTime"] == 2, (g["Money"], g["GameTime"])
r = g["Runtime"]
assert r["Ticks"] == 100 and r["BannerTime"] == 500 and r["Difficulty"] == 1, r
assert r["Outcome"] == 1, r  # nothing of the computer's on the map: won when first judged
assert r["InfoLines"][0] == "Enemies" and r["InfoLines"][10] == "Money: $5000", r["InfoLines"]
PY
"$sim" run "$dir/map.gam" --library none --new --ticks 99 | grep -q '"Outcome":0' || fail "judged before the 100th frame"

# The same seed and inputs give the same game; a saved run continues the same way.
"$sim" run "$dir/map.gam" --library none --new --ticks 500 --seed 9 --difficulty 7 --interval 20 --view 640x480 --out "$dir/a.gam" >/dev/null || fail "run a"
"$sim" run "$dir/map.gam" --library none --new --ticks 500 --seed 9 --difficulty 7 --interval 20 --view 640x480 --out "$dir/b.gam" >/dev/null || fail "run b"
cmp -s "$dir/a.gam" "$dir/b.gam" || fail "two runs with the same seed differ"
before=$("$sim" run "$dir/a.gam" --library none --ticks 0 | grep -o '"GameTime":[0-9]*')
after=$("$sim" run "$dir/a.gam" --library none --ticks 200 --edit | grep -o '"GameTime":[0-9]*')
[ -n "$before" ] && [ "$before" = "$after" ] || fail "editing mode ran the clock: $before then $after"

# Errors: the game's message, or a usage line with exit code 2.
"$sim" run "$dir/missing.gam" --library none >/dev/null 2>"$dir/err"; [ $? = 1 ] || fail "missing file is not an error"
grep -q "Data I/O Error" "$dir/err" || fail "missing file message: $(cat "$dir/err")"
"$sim" run "$dir/map.gam" --library "$dir/missing.isd" >/dev/null 2>&1; [ $? = 1 ] || fail "missing library is not an error"
"$sim" run "$dir/map.gam" --ticks -3 >/dev/null 2>&1; [ $? = 2 ] || fail "negative ticks accepted"
"$sim" run "$dir/map.gam" --view 800 >/dev/null 2>&1; [ $? = 2 ] || fail "--view without a height accepted"
"$sim" run >/dev/null 2>&1; [ $? = 2 ] || fail "run without a game accepted"

[ $failures = 0 ] && echo "run: ok"
exit $failures
