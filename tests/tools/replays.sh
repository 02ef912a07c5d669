#!/usr/bin/env bash
# Replays end to end. The golden battles in tests/fixtures/replays (the autopilot
# playing shipped missions through the window's commands: fighting, production,
# the computer's waves and an outcome) must play back to the very checksum they
# were recorded with: any change to a rule of the battle fails here until they
# are re-recorded on purpose with TAVRINE_UPDATE_REPLAYS=1. A replay with a byte
# changed fails to verify with a clear message, a malformed line is named, and a
# scripted run with dialogs open over many ticks records a replay that verifies.
# usage: replays.sh TAVRINE_SIM SCRATCH_DIR
set -u
source "$(dirname "$0")/scripted_runs.bash" "$1" "$2"
fixtures=$(cd "$(dirname "$0")/../fixtures/replays" && pwd)
newgames=$(dirname "$sim")/NewGames

# The golden battles: file, mission, difficulty, seed. In Mountain Pass the
# buildings of both sides are hit, smoke, lose their smoke and burn down.
golden=(
  "beachhead.replay|01 Beachhead.gam|0|1"
  "river_crossing.replay|02 River Crossing.gam|1|2"
  "hold_the_line.replay|03 Hold the Line.gam|0|3"
  "mountain_pass.replay|04 Mountain Pass.gam|1|1"
)

if [ "${TAVRINE_UPDATE_REPLAYS:-0}" = 1 ]; then
  for row in "${golden[@]}"; do
    IFS='|' read -r file mission difficulty seed <<<"$row"
    "$sim" autoplay "$newgames/$mission" --new --difficulty "$difficulty" --seed "$seed" \
      --record "$fixtures/$file" >"$dir/out" 2>&1 || fail "recording $file: $(cat "$dir/out")"
    echo "re-recorded $file: $(cat "$dir/out")"
  done
fi

for row in "${golden[@]}"; do
  IFS='|' read -r file _ <<<"$row"
  out=$("$sim" replay "$fixtures/$file" --verify 2>"$dir/err") || fail "$file does not verify: $(cat "$dir/err")"
  python3 - "$out" "$file" <<'PY' || fail "$file is not a whole battle: $out"
import json, sys
s = json.loads(sys.argv[1])
assert s["Outcome"] in (1, 2), "no outcome"
assert s["EnemyTanks"] < 50 and s["Tanks"] > 0
PY
done
# Each golden battle holds fighting orders, band selections and the end line.
for row in "${golden[@]}"; do
  IFS='|' read -r file _ <<<"$row"
  grep -q '^[0-9]* down left' "$fixtures/$file" || fail "$file: no presses"
  grep -q '^# end ticks [0-9]* outcome [12] ' "$fixtures/$file" || fail "$file: no decided end"
done

# The scripted golden battle: the pause, a save over an existing game (Yes), a
# Game Control change, the information box, a load that fails and a declined
# exit play back from what the recording saw, whatever the viewer's files, and
# each box shows as it was recorded.
scripted=save_and_exit
if [ "${TAVRINE_UPDATE_REPLAYS:-0}" = 1 ]; then
  mkdir -p "$dir/saved/SaveGames"
  cp "$newgames/01 Beachhead.gam" "$dir/saved/SaveGames/mine.gam"
  echo "not a game" >"$dir/saved/SaveGames/bad.gam"
  "$sim" run "$newgames/01 Beachhead.gam" --new --ticks 300 --events "$fixtures/$scripted.events" \
    --folder "$dir/saved" --library "$lib" --record "$fixtures/$scripted.replay" >"$dir/out" 2>&1 || fail "recording $scripted: $(cat "$dir/out")"
fi
"$sim" replay "$fixtures/$scripted.replay" --verify >"$dir/scripted.json" 2>"$dir/err" ||
  fail "$scripted does not verify: $(cat "$dir/err")"
for box in "answer yes box=confirm text=Replace" "answer no box=confirm" "disk saved 1" "disk read 2" \
  "answer ok box=message text=File%20format%20error" "answer control interval=20"; do
  grep -q "^[0-9]* $box" "$fixtures/$scripted.replay" || fail "$scripted: no '$box'"
done
# A battle recorded with another answer than the one played back is named.
sed 's/ answer yes box=confirm/ answer yes box=question/' "$fixtures/$scripted.replay" >"$dir/other.replay"
"$sim" replay "$dir/other.replay" --verify >/dev/null 2>"$dir/err" && fail "another question verified"
grep -q 'box 2: the replay showed the confirmation "Replace the saved game "mine.gam"?" where the recording showed the question' "$dir/err" ||
  fail "another question: $(cat "$dir/err")"

# One changed byte in the game data: the data's own checksum says so.
first="$fixtures/beachhead.replay"
python3 - "$first" "$dir/data.replay" <<'PY'
import sys
lines = open(sys.argv[1]).read().split("\n")
i = next(n for n, l in enumerate(lines) if l.startswith("# data ")) + 3
l = lines[i]
c = l[10]
lines[i] = l[:10] + ("B" if c != "B" else "C") + l[11:]
open(sys.argv[2], "w").write("\n".join(lines))
PY
"$sim" replay "$dir/data.replay" --verify >/dev/null 2>"$dir/err" && fail "a changed byte of game data verified"
grep -q 'line [0-9]*: the game data does not match its checksum' "$dir/err" || fail "changed game data: $(cat "$dir/err")"

# One changed digit of the final checksum: the run no longer verifies.
sed -E 's/^(# end .* checksum )(.)/\1X\2/; s/checksum X0/checksum 1/; s/checksum X[^ ]/checksum 0/' "$first" >"$dir/sum.replay"
"$sim" replay "$dir/sum.replay" --verify >/dev/null 2>"$dir/err"
[ $? = 1 ] || fail "a changed checksum did not exit 1"
grep -q "does not verify: the game record's checksum is" "$dir/err" || fail "changed checksum: $(cat "$dir/err")"

# A malformed event line is named.
awk '/^[0-9]+ down/ && !done { print $1 " down sideways 1 2"; done = 1; next } { print }' "$first" >"$dir/bad.replay"
line=$(grep -n 'down sideways' "$dir/bad.replay" | cut -d: -f1)
"$sim" replay "$dir/bad.replay" >/dev/null 2>"$dir/err"
[ $? = 2 ] || fail "a malformed line did not exit 2"
grep -q "bad.replay: line $line: the button must be left, right or middle" "$dir/err" || fail "malformed line: $(cat "$dir/err")"

# A scripted run with dialogs left open over many ticks (the game runs on under
# them), a refused exit and a confirmed one, recorded and played back.
cat >"$dir/events" <<'E'
5 down left 100 100
7 move 600 400 left
9 up left 600 400
20 down left 700 300
21 up left 700 300
40 menu info
90 answer ok
100 menu control
150 answer control interval=20 mode=1 difficulty=2 music=off sound=off
160 minimap down 10 10
170 button menu down
175 panel
180 button menu up
200 menu exit
260 answer no
300 key Escape
330 answer yes
E
"$sim" run "$newgames/01 Beachhead.gam" --new --ticks 600 --events "$dir/events" --library "$lib" --folder "$dir/folder" --record "$dir/run.replay" \
  >"$dir/run.json" 2>"$dir/err" || fail "run --record: $(cat "$dir/err")"
"$sim" replay "$dir/run.replay" --verify >"$dir/replay.json" 2>"$dir/err" || fail "the recorded run does not verify: $(cat "$dir/err")"
python3 - "$dir/run.json" "$dir/replay.json" <<'PY' || fail "the replay printed another battle than the run"
import json, sys
run, replay = (json.loads(open(p).read()) for p in sys.argv[1:])
assert run["Ticks"] == 330 and run["Shell"]["Closed"], run
for k in ("Ticks", "Outcome", "GameTime", "Money", "OwnTanks", "EnemyTanks", "Tanks", "Orders"):
    assert run[k] == replay[k], k
assert replay["Shell"]["Closed"] and len(replay["Shell"]["Confirmations"]) == 2
assert replay["Shell"]["Messages"] == run["Shell"]["Messages"], replay["Shell"]["Messages"]
PY
grep -q '^150 answer control interval=20 mode=1 difficulty=2 music=off sound=off box=control$' "$dir/run.replay" || fail "the control answer was not recorded"

# A battle recorded where no library was found ran without pictures: its replay
# says so and plays without them, whatever library the viewer has. One recorded
# with the library says which it needs when that one is not given.
mkdir -p "$dir/bare"
"$sim" run "$newgames/01 Beachhead.gam" --new --ticks 400 --folder "$dir/bare" --record "$dir/bare.replay" >/dev/null 2>"$dir/err" ||
  fail "run --record without a library: $(cat "$dir/err")"
grep -q '^# library none$' "$dir/bare.replay" || fail "the replay does not say it ran without a library"
"$sim" replay "$dir/bare.replay" --verify >/dev/null 2>"$dir/err" || fail "a battle without a library does not verify: $(cat "$dir/err")"
"$sim" replay "$dir/run.replay" --verify --library none >/dev/null 2>"$dir/err" && fail "a battle played without its library verified"
grep -q 'run.replay: the replay needs the picture library it was recorded with (checksum [0-9a-f]*), and no library was loaded' "$dir/err" ||
  fail "another library: $(cat "$dir/err")"

# A battle left by loading a saved game ends at the load, the disk's answers to
# the load after its pick.
printf '10 save a.gam\n20 load a.gam\n' >"$dir/reload"
"$sim" run "$newgames/01 Beachhead.gam" --new --ticks 40 --events "$dir/reload" --library "$lib" --folder "$dir/folder" \
  --record "$dir/reload.replay" >/dev/null 2>"$dir/err" || fail "run --record with a load: $(cat "$dir/err")"
"$sim" replay "$dir/reload.replay" --verify >/dev/null 2>"$dir/err" || fail "a battle left by a load does not verify: $(cat "$dir/err")"

finish replays
