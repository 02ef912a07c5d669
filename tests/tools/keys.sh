#!/usr/bin/env bash
# tavrine-sim run --events end to end for the battle keys and the minimap's fit:
# the minimap's zoom at each display mode, a band dragged over the minimap and the
# status bar, P freezing the battle, an arrow held, a control group stored,
# cleared and recalled, and the focus pause.
# usage: keys.sh TAVRINE_SIM SCRATCH_DIR
set -u
source "$(dirname "$0")/scripted_runs.bash" "$1" "$2"
# check NAME PYTHON with the Runtime object as r and the selected tanks' indices as sel too.
check_run() {
  check "$1" 'r = g["Runtime"]
sel = [i for i, x in enumerate(t) if x["Selected"]]
'"$2"
}

# The minimap opens with 2 pixels per cell only where it fits: 80 x 60 at every
# mode, 200 x 200 at none.
"$sim" new 200 200 1 "$dir/big.gam" >/dev/null || fail "new 200 x 200"
"$sim" new 80 60 1 "$dir/mid.gam" >/dev/null || fail "new 80 x 60"
for view in 640x480 800x600 1024x768; do
  run "zoom-big-$view" "$dir/big.gam" --view "$view" </dev/null
  check_run "zoom-big-$view" 'assert r["MinimapZoom2"] == 0, r'
  run "zoom-mid-$view" "$dir/mid.gam" --view "$view" </dev/null
  check_run "zoom-mid-$view" 'assert r["MinimapZoom2"] == 1, r'
done
run zoom-toggle "$dir/big.gam" --ticks 1 <<'EOF'
1 zoom
EOF
check_run zoom-toggle 'assert r["MinimapZoom2"] == 1, "the zoom button still toggles"'

# The battle map (60 x 40, mission 1, land): player tanks in cells (3, 3) and
# (4, 3), one under the minimap panel (21, 15) and one under the status bar
# (10, 16); a computer building far away keeps the mission running.
land_map 60 40 1 "$dir/built.gam" <<'EOF'
0 drop 4 0 0 12 110 110
0 drop 4 0 0 12 146 110
0 drop 4 0 0 12 770 550
0 drop 4 0 0 12 370 580
0 drop 3 1 2 0 1900 1300
EOF
check_run build 'assert len(t) == 4, t'
game="$dir/built.gam --reveal"

# A band from the battlefield into the minimap and beyond the window selects the
# tanks under the minimap and under the status bar.
run band $game --ticks 2 <<'EOF'
1 down left 300 450
1 move 780 560 left
1 move 5000 5000 left
1 up left 5000 5000
EOF
check_run band 'assert sel == [2, 3], sel'

# P stops the battle for 300 ticks: the clock and every tank stand still; then it goes on.
order='0 down left 90 90
0 move 200 140 left
0 up left 200 140
0 down left 700 400
0 up left 700 400'
run before-pause $game --ticks 100 <<<"$order"
run paused $game --ticks 400 <<<"$order
100 key P"
run resumed $game --ticks 600 <<<"$order
100 key P
400 key Pause"
python3 - "$dir/before-pause.json" "$dir/paused.json" "$dir/resumed.json" <<'PY' || fail "pause"
import json, sys
a, b, c = (json.load(open(p)) for p in sys.argv[1:])
pos = lambda g: [(x["X"], x["Y"], x["Image"][3]) for x in g["Tanks"]]
assert a["GameTime"] >= 2 and b["GameTime"] == a["GameTime"], (a["GameTime"], b["GameTime"])
assert pos(a) == pos(b), "tanks moved while paused"
assert b["Runtime"]["Paused"] is True and c["Runtime"]["Paused"] is False
assert c["GameTime"] > b["GameTime"] and pos(c) != pos(b), "the battle did not go on"
PY

# An arrow held for 10 ticks scrolls 10 steps; a tap in one tick scrolls one.
run arrow $game --ticks 20 <<'EOF'
0 move 400 300
0 keydown Right
10 keyup Right
12 key Down
EOF
check_run arrow 'assert (g["ViewX"], g["ViewY"]) == (240, 24), (g["ViewX"], g["ViewY"])'

# Ctrl+1 stores the banded pair, a right press clears the selection, 1 brings it back.
stored='0 down left 90 90
0 move 200 140 left
0 up left 200 140
1 key Ctrl+1
2 down right 500 300
2 up right 500 300'
run groups-cleared $game --ticks 3 <<<"$stored"
check_run groups-cleared 'assert sel == [], sel'
run groups $game --ticks 30 <<<"$stored
3 key 3
4 key 1"
check_run groups 'assert sel == [0, 1] and g["UnitsSelected"] == 1, sel'

# Focus out pauses (the clock stands still), focus in goes on.
run focus-out $game --ticks 200 <<'EOF'
0 focus out
EOF
check_run focus-out 'assert r["Paused"] is True and g["GameTime"] == 0, (r["Paused"], g["GameTime"])'
run focus-in $game --ticks 200 <<'EOF'
0 focus out
100 focus in
EOF
check_run focus-in 'assert r["Paused"] is False and g["GameTime"] >= 2, (r["Paused"], g["GameTime"])'

# Malformed lines.
refused '0 focus sideways\n' "line 1: focus must be in or out, not 'sideways'"
refused '0 keydown\n' 'line 1: keydown takes 1 argument'

finish keys
