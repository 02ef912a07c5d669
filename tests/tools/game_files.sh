#!/usr/bin/env bash
# tavrine-sim new and info end to end: new maps, their JSON, and the game's
# messages for files it rejects.
# usage: game_files.sh TAVRINE_SIM SCRATCH_DIR
set -u
sim=$1 dir=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
rm -rf "$dir" && mkdir -p "$dir"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect CODE STDERR_TEXT COMMAND...: exit code and a line of stderr.
expect() {
  local code=$1 text=$2
  shift 2
  "$@" >"$dir/out" 2>"$dir/err"
  local got=$?
  [ "$got" = "$code" ] || fail "$* exited $got, expected $code: $(cat "$dir/err")"
  if [ -n "$text" ] && ! grep -qF -- "$text" "$dir/err"; then fail "$*: stderr lacks '$text': $(cat "$dir/err")"; fi
}

# A new map: its size, and the record the JSON shows.
expect 0 "" "$sim" new 40 30 3 "$dir/m40.gam"
[ "$(stat -c %s "$dir/m40.gam")" = $((106 + 40 * 4 + 40 * 30 * 55 + 20)) ] || fail "40 x 30 map has the wrong size"
expect 0 "" "$sim" info "$dir/m40.gam"
[ "$(wc -l <"$dir/out")" = 1 ] || fail "info prints more than one line"
python3 - "$dir/out" <<'EOF' || fail "JSON of a new map"
import json, sys
g = json.load(open(sys.argv[1]))
assert (g["Columns"], g["Rows"], g["MapWidth"], g["MapHeight"]) == (40, 30, 1440, 1080), g
assert (g["Mission"], g["MapFlag"], g["Money"], g["Spare1"], g["SelectedBuilding"]) == (3, 1, 0, 1, -1)
assert len(g["Cells"]) == 40 and all(len(c) == 30 for c in g["Cells"])
c = g["Cells"][39][29]
assert (c["X"], c["Y"], c["Ground"], c["GroundColor"], c["Hidden"], c["Clear"]) == (39 * 36, 29 * 36, [0, 0, 0, 0], 0x800000, 1, 1), c
assert c["Object"] is None and c["Waves"] == []
for key in ("Tanks", "Orders", "Explosions", "Shots", "InfoLabels"):
    assert g[key] == [], key
EOF

expect 0 "" "$sim" new 1 1 5 --flag 0 "$dir/one.gam"
[ "$(stat -c %s "$dir/one.gam")" = 185 ] || fail "1 x 1 map is not 185 bytes"
"$sim" info "$dir/one.gam" | python3 -c 'import json,sys; g=json.load(sys.stdin); assert g["MapFlag"] == 0 and g["Mission"] == 5' \
  || fail "--flag 0"
expect 0 "" "$sim" new --flag 1 200 200 0 "$dir/big.gam"
expect 0 "" "$sim" new 3 2 0 "$dir/fresh/sub.gam"
[ -f "$dir/fresh/sub.gam" ] || fail "a missing folder for the new map is created"

# Bad arguments: a clear message and exit code 2, and no file.
expect 2 "COLUMNS" "$sim" new 0 30 0 "$dir/bad.gam"
expect 2 "ROWS" "$sim" new 40 201 0 "$dir/bad.gam"
expect 2 "MISSION" "$sim" new 40 30 6 "$dir/bad.gam"
expect 2 "COLUMNS" "$sim" new 4x 30 0 "$dir/bad.gam"
expect 2 "--flag" "$sim" new 40 30 0 --flag 2 "$dir/bad.gam"
expect 2 "--flag" "$sim" new 40 30 0 "$dir/bad.gam" --flag
expect 2 "usage" "$sim" new 40 30 0
[ ! -e "$dir/bad.gam" ] || fail "a rejected command wrote a file"
expect 2 "usage" "$sim" info
expect 1 "Data I/O Error" "$sim" new 3 2 0 "$dir/m40.gam/inside.gam"

# Files the game rejects: its own messages, exit code 1.
expect 1 "Data I/O Error" "$sim" info "$dir/missing.gam"
expect 1 "Data I/O Error" "$sim" info "$dir"
printf 'PK\003\004 not a game file' >"$dir/zip.gam"
expect 1 "File format error" "$sim" info "$dir/zip.gam"
python3 -c 'import sys; d=bytearray(open(sys.argv[1],"rb").read()); d[4]=1; open(sys.argv[2],"wb").write(d)' "$dir/one.gam" "$dir/v1.gam"
expect 1 "File version error" "$sim" info "$dir/v1.gam"
head -c 150 "$dir/one.gam" >"$dir/cut.gam"
expect 1 "Malformed game file" "$sim" info "$dir/cut.gam"
[ ! -s "$dir/out" ] || fail "a rejected file printed JSON"

# The richest seed of the fuzz corpus: every list filled.
expect 0 "" "$sim" info "$root/fuzz/corpus/fuzz_saved_game/sample.gam"
python3 - "$dir/out" <<'EOF' || fail "JSON of the sample game"
import json, sys
g = json.load(open(sys.argv[1]))
assert (g["Money"], g["Spare1"], g["Spare2"], g["Spare7"]) == (4567, 9, 0xAB, -7)
tower = g["Cells"][0][1]["Object"]
assert tower["Image"] == [2, 1, 0, 5] and tower["TowerState"] == 1 and len(tower["Smoke"]) == 2, tower
assert tower["Smoke"][1]["Image"] == [0, 5, 0, 4] and tower["Smoke"][0]["Reserved"] == 16
assert g["Cells"][3][2]["Waves"] == [100 + 11, 200 + 11], g["Cells"][3][2]["Waves"]
assert [t["Image"][1] for t in g["Tanks"]] == [0, 1, 2]
assert g["Tanks"][0]["Route"] == [9, 5] and g["Tanks"][1]["ChanceTarget"] == 0
assert [o["Kind"] for o in g["Orders"]] == [0, 2] and g["Orders"][1]["MemberMoved"] == 0
assert g["Shots"][0]["Timer"] == 0xFFFF and g["Explosions"][1]["Frame"] == -1
assert [l["Text"] for l in g["InfoLabels"]] == ["+2000", "", 'say "hi"\\\n\u00c3\u00a9'], g["InfoLabels"]
assert g["InfoLabels"][2]["Color"] == 0xFFFFFFFF
EOF

[ "$failures" = 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "game files: all passed"
