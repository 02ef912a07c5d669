#!/usr/bin/env bash
# tavrine-sim run --events end to end: a map built with the editor's events, then
# played with scripted presses, drags and keys through the main window's commands:
# clicks and bands, attack orders, decorations, the right button, hidden cells,
# Escape, the title's and the result screen's load dialog, save names, prepared
# maps that fail to load, the game control dialog, and malformed scripts.
# usage: events.sh TAVRINE_SIM SCRATCH_DIR
set -u
# run NAME ARGS... < script and check NAME PYTHON (the JSON as g, tanks t, shell s,
# orders o); land_map, refused and finish.
source "$(dirname "$0")/scripted_runs.bash" "$1" "$2"

# The map: land everywhere (the fill tool's question answered yes), two player
# tanks in cells (3, 3) and (4, 3), a computer tank in (13, 3), a computer
# building anchored at (13, 8), a player building at (3, 11), a decoration at (8, 11).
land_map 30 20 0 "$dir/built.gam" <<'EOF'
0 fog on
0 drop 4 0 0 12 110 110
0 drop 4 0 0 12 146 110
0 drop 4 1 0 12 470 110
0 drop 3 1 2 0 470 290
0 drop 3 0 3 0 110 400
0 drop 1 2 0 0 300 400
EOF
check build '
assert s["Questions"] == ["Fill Land ?"], s
assert [x["Image"][1] for x in t] == [0, 0, 1] and (t[0]["X"], t[0]["Y"]) == (109, 109), t
assert g["Cells"][13][8]["Object"]["Image"] == [3, 1, 2, 0]
assert g["Cells"][3][11]["Object"]["Image"] == [3, 0, 3, 0]
assert g["Cells"][8][11]["Object"]["Image"] == [1, 2, 0, 0]
assert all(c["Ground"][1] == 1 for col in g["Cells"] for c in col)'
game="$dir/built.gam --reveal"

# A map made from nothing: the new-map button, a land outline clicked shut on
# its first cell, an undo and a redo of it, the fill inside, and the map saved
# into NewGames, where the load dialog starts it as a new game.
run mapmaker "$dir/map.gam" --edit <<'EOF'
0 newmap 40 30 0 2
0 tool 0
0 down left 90 90
0 move 234 90
0 down left 234 90
0 move 234 234
0 down left 234 234
0 move 90 234
0 down left 90 234
0 move 90 90
0 down left 90 90
0 down right 90 90
0 undo
0 redo
0 tool 2
0 down left 162 162
0 up left 162 162
0 savemap Made.gam
EOF
check mapmaker '
assert (g["Columns"], g["Rows"], g["Mission"]) == (40, 30, 2), g["Columns"]
c = g["Cells"]
ground = lambda x, y: tuple(c[x][y]["Ground"])
assert ground(2, 2) == (0, 2, 1, 8) and ground(6, 6) == (0, 2, 1, 10), (ground(2, 2), ground(6, 6))
assert ground(4, 4) == (0, 1, 0, 0) and ground(1, 1) == (0, 0, 0, 0) and ground(30, 20) == (0, 0, 0, 0)
assert s["Pickers"] == ["save"] and s["Questions"] == ["Fill Land ?"], s'
[ -f "$dir/folder/NewGames/Made.gam" ] || fail "savemap wrote no NewGames/Made.gam"
run playmade --title --ticks 1 <<'EOF'
0 load Made.gam new
EOF
check playmade 'assert g["Columns"] == 40 and g["Money"] == 5000, (g["Columns"], g["Money"])'

# A click on a tank selects it; 5 pixels between press and release are a click
# that sends it to the release's cell, 6 pixels a band (here over no tank).
run click $game --ticks 2 <<'EOF'
0 down left 126 126
0 up left 126 126
0 down left 600 500
0 move 605 505 left
0 up left 605 505
1 down left 300 200
1 move 306 200 left
1 up left 306 200
EOF
check click '
assert t[0]["Order"] == 0 and o[0]["Kind"] == 0 and o[0]["TargetRef"] == 16 + 14 * 30, (t[0], o)
assert t[0]["Selected"] == 0 and g["UnitsSelected"] == 0, "the 6-pixel band selected nobody"'

# A band over both player tanks and the computer tank selects the player's
# only; a click on the computer tank makes both attack it, a click on the
# computer building then makes them attack that.
run attack $game --ticks 3 <<'EOF'
0 down left 100 100
0 move 500 140 left
0 up left 500 140
1 down left 486 126
1 up left 486 126
2 down left 480 300
2 up left 480 300
EOF
check attack '
assert [x["Selected"] for x in t] == [1, 1, 0] and g["UnitsSelected"] == 1, t
k = t[0]["Order"]
assert k >= 0 and t[1]["Order"] == k, t
assert (o[k]["Kind"], o[k]["TargetRef"]) == (1, 13 + 8 * 30), o
assert [x["Kind"] for x in o] == [2, 1] and o[0]["TargetRef"] == 2, o  # the tank attack came first'

# A click on a decoration neither moves nor deselects; a click on the player's
# building selects it instead of the tanks; a right press clears everything.
run decor $game --ticks 2 <<'EOF'
0 down left 126 126
0 up left 126 126
0 down left 300 410
0 move 360 460 left
0 up left 360 460
EOF
check decor 'assert t[0]["Selected"] == 1 and g["UnitsSelected"] == 1 and t[0]["Order"] == -1 and o == [], (t[0], o)'
run building $game --ticks 1 <<'EOF'
0 down left 126 126
0 up left 126 126
0 down left 130 420
0 up left 130 420
EOF
check building 'assert t[0]["Selected"] == 0 and g["UnitsSelected"] == 0 and g["SelectedBuilding"] == 3 + 11 * 30'
run right $game --ticks 1 <<'EOF'
0 down left 126 126
0 up left 126 126
0 down right 700 500
0 up right 700 500
EOF
check right 'assert t[0]["Selected"] == 0 and g["UnitsSelected"] == 0 and o == []'

# Without --reveal the new map is fogged: a press on a hidden tank finds nothing.
run fogged "$dir/built.gam" --ticks 1 <<'EOF'
0 down left 126 126
0 up left 126 126
EOF
check fogged 'assert t[0]["Selected"] == 0 and g["UnitsSelected"] == 0'

# Escape asks to exit: No carries on, Yes closes the window and ends the run.
run stay $game --ticks 5 --answer no <<'EOF'
0 key Escape
EOF
check stay 'assert s["Confirmations"] == ["Are you sure you want to exit ?"] and not s["Closed"] and g["Runtime"]["Ticks"] == 5'
run leave $game --ticks 5 --answer yes <<'EOF'
2 key Escape
3 down left 126 126
EOF
check leave 'assert s["Closed"] and g["Runtime"]["Ticks"] == 2 and t[0]["Selected"] == 0, s'

# The title offers the Load Game dialog by itself on its 91st frame, once; a key
# opens it again. Loading a prepared map from it starts the game.
mkdir -p "$dir/folder/NewGames" && cp "$dir/built.gam" "$dir/folder/NewGames/built.gam"
"$sim" run --title --library none --folder "$dir/folder" --ticks 90 >"$dir/t90.json" || fail "title 90"
grep -q '"Pickers":\[\]' "$dir/t90.json" || fail "the dialog opened before the 91st title frame: $(cat "$dir/t90.json")"
run title "--title" --ticks 200 <<'EOF'
150 key Other
EOF
check title 'assert s["Pickers"] == ["load", "load"] and g["Runtime"]["TitleShown"] == 1, s'
run titleload "--title" --ticks 100 <<'EOF'
0 pick built.gam new
EOF
check titleload 'assert s["Pickers"] == ["load"] and g["Runtime"]["TitleShown"] == 0 and g["Money"] == 5000 and len(t) == 3'

# After the mission (an empty map is won when first judged) any key or press
# opens the Load Game dialog; Escape does not ask to exit.
run result "$dir/map.gam" --new --ticks 150 <<'EOF'
120 key Escape
130 down right 5 5
EOF
check result 'assert g["Runtime"]["Outcome"] == 1 and s["Pickers"] == ["load", "load"] and s["Confirmations"] == [], s'

# Save names are plain file names inside SaveGames; anything else is refused.
run save $game <<'EOF'
0 save ../escaped.gam
0 save sub/inner.gam
0 save .hidden
0 save kept.gam
EOF
check save 'assert len(s["Messages"]) == 3 and all(m.startswith("Invalid game name") for m in s["Messages"]), s'
[ -f "$dir/folder/SaveGames/kept.gam" ] || fail "kept.gam was not saved"
[ ! -e "$dir/escaped.gam" ] && [ ! -e "$dir/folder/escaped.gam" ] || fail "a save escaped SaveGames"
[ "$(ls -A "$dir/folder/SaveGames")" = "kept.gam" ] || fail "SaveGames holds $(ls -A "$dir/folder/SaveGames")"

# A prepared map that fails to load starts no new game over the running one.
printf 'not a game' >"$dir/folder/NewGames/broken.gam"
run broken $game --ticks 1 <<'EOF'
0 load broken.gam new
EOF
check broken 'assert s["Messages"] == ["File format error"] and g["Money"] == 0 and g["Runtime"]["TitleShown"] == 0, (s, g["Money"])'

# The game control dialog: the speed, music and the minimap zoom, written to Tavrine.ini.
run control $game <<'EOF'
0 control speed=slow music=off
0 zoom
0 menu info
EOF
check control '
r = g["Runtime"]
assert (r["TimerInterval"], r["MusicOn"], r["MinimapZoom2"]) == (50, 0, 0), r
assert len(s["Information"]) == 1 and s["Information"][0].startswith("Enemies"), s'
grep -q 'Speed=0' "$dir/folder/Tavrine.ini" || fail "the settings were not written"

# Malformed scripts: the line number and exit code 2, and nothing is run.
refused '0 down left 1\n' 'line 1: down takes 3'
refused '# comment\n\n0 jump 1 2\n' 'line 3: unknown event'
refused '0 down sideways 1 2\n' 'line 1: the button'
refused '6 key Escape\n' 'line 1: the tick'
refused '3 key A\n1 key A\n' 'line 2: tick 1 comes before'
refused '0 move 1 2 right\n' 'line 1: move takes'
refused 'x key A\n' 'line 1: the tick'
refused '0 tool 2\n' 'line 1: tool needs the editing mode'
refused '0 undo\n' 'line 1: undo needs the editing mode'
refused '0 control speed=warp\n' 'line 1: speed must be'
refused '0 down left 99999999 0\n' 'line 1: a pixel position'
refused '0 key Tab\n' 'line 1: unknown key'
refused '0 down left 1 2 alt\n' 'line 1: down takes a button'
"$sim" run $game --events "$dir/none.txt" >/dev/null 2>&1; [ $? = 2 ] || fail "a missing events file is not a usage error"
"$sim" run $game --answer maybe >/dev/null 2>&1; [ $? = 2 ] || fail "--answer maybe accepted"
"$sim" run --title "$dir/map.gam" >/dev/null 2>&1; [ $? = 2 ] || fail "--title with a game file accepted"

finish events
