#!/usr/bin/env bash
# tavrine-sim autoplay end to end on a map made here: the JSON report, the
# stop at the outcome or at the time limit, and the usage errors.
# usage: autoplay.sh TAVRINE_SIM SCRATCH_DIR
set -u
sim=$1 dir=$2
rm -rf "$dir" && mkdir -p "$dir"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
field() {
  python3 -c 'import json,sys
d = json.loads(sys.argv[1])
for k in sys.argv[2].split("."): d = d[k]
print(d)' "$1" "$2"
}

# An empty map of mission 1 has no enemy building: won at the first judgement,
# 100 frames after loading.
"$sim" new 40 30 1 "$dir/empty.gam" || fail "new map"
out=$("$sim" autoplay "$dir/empty.gam" --new --library none) || fail "autoplay exited with $?"
[ "$(field "$out" Result)" = "Mission Accomplished" ] || fail "empty mission 1: $out"
[ "$(field "$out" Ticks)" = 100 ] || fail "judged after $(field "$out" Ticks) ticks"
[ "$(field "$out" Difficulty)" = 0 ] || fail "the autopilot plays Easy unless told"
[ "$(field "$out" Player)" = autopilot ] || fail "player"
grep -q '"InfoLines":\["Enemies"' <<<"$out" || fail "no statistics lines: $out"

# The first prepared map, which the build lays beside the tool: a player who
# does nothing is beaten on Difficult, and holds out on Easy until the time
# limit ends the game (half a game minute here).
beachhead="$(dirname "$sim")/NewGames/01 Beachhead.gam"
if [ -f "$beachhead" ]; then
  out=$("$sim" autoplay "$beachhead" --new --idle --difficulty 2)
  [ "$(field "$out" Result)" = "Mission Failed" ] || fail "idle on Difficult: $out"
  [ "$(field "$out" Player)" = idle ] || fail "idle player"
  [ "$(field "$out" Autopilot.Presses)" = 0 ] || fail "an idle player pressed the mouse"
  out=$("$sim" autoplay "$beachhead" --new --idle --max-minutes 0.5)
  [ "$(field "$out" Result)" = "Time ran out" ] || fail "time limit: $out"
  [ "$(field "$out" GameTime)" = 30 ] || fail "stopped at $(field "$out" GameTime) seconds"
  # The autopilot wins it on Difficult by sending every tank at the
  # headquarters at once, before the factory has filled the field.
  out=$("$sim" autoplay "$beachhead" --new --difficulty 2 --seed 1 --max-minutes 3)
  [ "$(field "$out" Result)" = "Mission Accomplished" ] || fail "the rush on Difficult: $out"
else
  fail "no $beachhead"
fi

# The options of run: the program folder, a save afterwards, the whole record,
# the fog cleared, and scripted input beside the autopilot.
# (A small map: the whole record must fit one argument of the checks.)
"$sim" new 10 8 1 "$dir/small.gam" || fail "new small map"
mkdir -p "$dir/folder/SaveGames"
printf '0 move 10 10\n' >"$dir/events.txt"
out=$("$sim" autoplay "$dir/small.gam" --new --library none --folder "$dir/folder" --out "$dir/after.gam" --json \
  --reveal --answer no --events "$dir/events.txt") || fail "autoplay with run's options exited with $?"
[ "$(field "$out" Result)" = "Mission Accomplished" ] || fail "with run's options: $out"
[ "$(field "$out" Game.Runtime.Ticks)" = 100 ] || fail "no whole record under Game: $out"
[ "$(field "$out" Game.Mission)" = 1 ] || fail "the record's fields under Game: $out"
grep -q '"Shell":{' <<<"$out" || fail "a scripted run reports its shell: $out"
grep -q '"Hidden":1' <<<"$out" && fail "--reveal left fog"
[ -s "$dir/after.gam" ] || fail "--out saved nothing"

"$sim" autoplay "$dir/empty.gam" --max-minutes 0 >/dev/null 2>&1
[ $? = 2 ] || fail "--max-minutes 0 should exit 2"
"$sim" autoplay "$dir/empty.gam" --max-minutes soon >/dev/null 2>&1
[ $? = 2 ] || fail "--max-minutes soon should exit 2"
"$sim" autoplay "$dir/empty.gam" --edit >/dev/null 2>&1
[ $? = 2 ] || fail "--edit should exit 2"
"$sim" autoplay >/dev/null 2>&1
[ $? = 2 ] || fail "no game should exit 2"
"$sim" autoplay "$dir/missing.gam" --library none >/dev/null 2>&1
[ $? = 1 ] || fail "a missing game should exit 1"

[ $failures = 0 ] && echo "autoplay: ok"
exit $((failures > 0))
