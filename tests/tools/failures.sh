#!/usr/bin/env bash
# tavrine-sim run --events end to end: every failure is said and nothing is
# overwritten unasked. Damaged game files of every kind, loaded over a battle
# that goes on exactly as if nothing had been tried; the question before a save
# replaces a file, whose "No" leaves the file byte for byte; refused names; and
# an editor outline closed by the right button that a fill cannot leak out of.
# usage: failures.sh TAVRINE_SIM SCRATCH_DIR
set -u
# run NAME ARGS... < script, check NAME PYTHON (the JSON as g, its shell as s),
# land_map and finish.
source "$(dirname "$0")/scripted_runs.bash" "$1" "$2"
mkdir -p "$dir/folder/SaveGames" "$dir/folder/NewGames"

# The battle: land everywhere, a tank of each side far apart, saved as a game.
land_map 40 30 0 "$dir/folder/SaveGames/battle.gam" <<'EOF'
0 drop 4 0 0 12 110 110
0 drop 4 1 0 12 470 470
EOF

# Damaged files of every kind, each made from the battle's own file.
python3 - "$dir/folder/SaveGames" <<'PY'
import os, struct, sys
d = sys.argv[1]
good = open(os.path.join(d, "battle.gam"), "rb").read()
files = {
    "empty.gam": b"",
    "short.gam": good[:3],
    "magic.gam": b"PK\x03\x04" + good[4:],
    "version.gam": good[:4] + struct.pack("<i", 1) + good[8:],
    "header.gam": good[:8],
    "cut106.gam": good[:106],
    "cut5000.gam": good[:5000],
    "cutlast.gam": good[:-1],
    "count.gam": good[:102] + struct.pack("<i", 0x7FFFFFFF) + good[106:],
    "negative.gam": good[:102] + struct.pack("<i", -1) + good[106:],
}
for name, data in files.items():
    open(os.path.join(d, name), "wb").write(data)
PY
damaged="empty short magic version header cut106 cut5000 cutlast count negative"

# The battle alone, and the same battle with a damaged file tried every 5 ticks:
# each gives its message, and the battle ends exactly as the undisturbed one.
run alone --title --ticks 80 <<'EOF'
0 load battle.gam
EOF
{
  echo "0 load battle.gam"
  tick=5
  for f in $damaged; do echo "$tick load $f.gam"; tick=$((tick + 5)); done
} | run tried --title --ticks 80
check tried '
import json
alone = json.load(open(sys.argv[1].replace("tried", "alone")))
damaged = lambda n: "The game file \"%s.gam\" is damaged and cannot be loaded." % n
expected = ["File format error", "File format error", "File format error", "File version error"] + \
    [damaged(n) for n in ["header", "cut106", "cut5000", "cutlast", "count", "negative"]]
assert s["Messages"] == expected, s["Messages"]
assert s["Pickers"] == ["load"] * 11, s["Pickers"]
r = g["Runtime"]
assert r["TitleShown"] == 0 and r["Outcome"] == 0 and g["GameTime"] > 0 and len(g["Tanks"]) == 2, r
del g["Shell"], alone["Shell"]
assert g == alone, "the battle did not go on as if nothing had been tried"'

# A damaged prepared map from the title: the message, and the title offers the
# dialog again (here answered with the battle).
cp "$dir/folder/SaveGames/cut5000.gam" "$dir/folder/NewGames/broken.gam"
run title --title --ticks 200 <<'EOF'
0 pick broken.gam new
0 pick battle.gam
EOF
check title '
assert s["Messages"] == ["The game file \"broken.gam\" is damaged and cannot be loaded."], s
assert s["Pickers"] == ["load", "load"] and g["Runtime"]["TitleShown"] == 0 and len(g["Tanks"]) == 2, s'

# Saving over an existing game or prepared map asks first; "No" keeps the file
# byte for byte, "Yes" replaces it. A new name is saved without a question.
for answer in no yes; do
  cp "$dir/folder/SaveGames/cut5000.gam" "$dir/folder/SaveGames/old.gam"
  cp "$dir/folder/SaveGames/cut106.gam" "$dir/folder/NewGames/Mission.gam"
  rm -f "$dir/folder/SaveGames/new.gam"
  run "save_$answer" "$dir/folder/SaveGames/battle.gam" --ticks 3 --answer "$answer" <<'EOF'
3 save old.gam
3 save new.gam
EOF
  check "save_$answer" 'assert s["Confirmations"] == ["Replace the saved game \"old.gam\"?"] and s["Messages"] == [], s'
  run "map_$answer" "$dir/map.gam" --edit --answer "$answer" <<'EOF'
0 savemap Mission.gam
EOF
  check "map_$answer" 'assert s["Confirmations"] == ["Replace the prepared map \"Mission.gam\"?"], s'
  [ -f "$dir/folder/SaveGames/new.gam" ] || fail "$answer: new.gam was not saved"
  if [ $answer = no ]; then
    cmp -s "$dir/folder/SaveGames/cut5000.gam" "$dir/folder/SaveGames/old.gam" || fail "No changed old.gam"
    cmp -s "$dir/folder/SaveGames/cut106.gam" "$dir/folder/NewGames/Mission.gam" || fail "No changed Mission.gam"
  else
    cmp -s "$dir/folder/SaveGames/new.gam" "$dir/folder/SaveGames/old.gam" || fail "Yes did not replace old.gam"
    cmp -s "$dir/map.gam" "$dir/folder/NewGames/Mission.gam" || fail "Yes did not replace Mission.gam"
  fi
done

# Refused names: a message for each, saying why; nothing written.
run names "$dir/folder/SaveGames/battle.gam" <<'EOF'
0 save ../escaped.gam
0 save sub/inner.gam
0 save back\slash.gam
0 save .hidden
0 load ../SaveGames/battle.gam
EOF
check names '
m = s["Messages"]
assert len(m) == 5 and all(x.startswith("Invalid game name: ") for x in m), m
assert "folder separator" in m[0] and "folder separator" in m[2] and "begins with a dot" in m[3], m'
[ ! -e "$dir/folder/escaped.gam" ] && [ ! -e "$dir/folder/SaveGames/.hidden" ] || fail "a refused name was saved"

# The editor: a square outlined by presses on three corners, closed by the right
# button and filled inside. No cell outside the square changes.
run outline "$dir/map.gam" --edit <<'EOF'
0 tool 0
0 down left 126 126
0 move 414 126
0 down left 414 126
0 move 414 414
0 down left 414 414
0 move 126 414
0 down left 126 414
0 down right 126 414
0 tool 2
0 down left 270 270
0 up left 270 270
EOF
"$sim" info "$dir/map.gam" >"$dir/blank.json" || fail "info of the blank map"
check outline '
before = json.load(open(sys.argv[1].replace("outline", "blank")))["Cells"]
c = g["Cells"]
inside = lambda x, y: 3 <= x <= 11 and 3 <= y <= 11
changed = [(x, y) for x in range(40) for y in range(30) if c[x][y] != before[x][y]]
assert changed and all(inside(x, y) for x, y in changed), [p for p in changed if not inside(*p)]
assert c[7][7]["Ground"] == [0, 1, 0, 0], c[7][7]["Ground"]
assert c[3][7]["Ground"][:3] == [0, 2, 1], "the closing side is coast"
assert s["Questions"] == ["Fill Land ?"], s'

finish failures
