#!/usr/bin/env bash
# Skirmishes headless: one started by a script line is recorded from its map, and
# its replay verifies and names the map and seed; a battle left for a skirmish
# ends its replay there; R and N after a won skirmish lead on to its map again
# or a new one; malformed skirmish lines are refused.
# Usage: skirmish.sh TAVRINE_SIM SCRATCH_DIR
source "$(dirname "$0")/scripted_runs.bash" "$1" "$2"

run first --title --ticks 120 --record "$dir/first.replay" <<<'0 skirmish 11 lakes 40x30 mirror 2 1 0'
check first 'assert g["Runtime"]["InfoLines"][-2:] == ["Skirmish: lakes 40x30, mirror, mission 3", "Seed: 11"], g["Runtime"]["InfoLines"]'
"$sim" replay "$dir/first.replay" --verify --library "$lib" --json >"$dir/first-replay.json" 2>"$dir/first-replay.err" ||
  fail "the skirmish's replay does not verify: $(cat "$dir/first-replay.err")"
grep -q '"Seed: 11"' "$dir/first-replay.json" || fail "the replay does not name the seed"

"$sim" generate "$dir/map.gam" --seed 5 --size 40x30 --library "$lib" >/dev/null || fail "generate"
run left "$dir/map.gam" --new --ticks 90 --record "$dir/left.replay" <<<'40 skirmish quick'
check left 'assert g["GameTime"] < 3, g["GameTime"]'
"$sim" replay "$dir/left.replay" --verify --library "$lib" >"$dir/left-replay.json" 2>"$dir/left-replay.err" ||
  fail "the replay of the battle left does not verify: $(cat "$dir/left-replay.err")"
grep -q '"Ticks":40,' "$dir/left-replay.json" || fail "the replay of the battle left did not end at the skirmish"

# A won skirmish, saved and loaded: R plays its map again, N a new one.
mkdir -p "$dir/folder/SaveGames"
echo '0 skirmish 5 lakes 40x30 none 1 1 0' >"$dir/won.txt"
"$sim" autoplay --title --events "$dir/won.txt" --library "$lib" --folder "$dir/folder" \
  --out "$dir/folder/SaveGames/won.gam" >"$dir/won.json" 2>&1 || fail "the autopilot did not win the skirmish: $(cat "$dir/won.json")"
for key in R N; do
  run "again$key" --title --ticks 300 <<<"0 load won.gam
200 key $key"
done
check againR 'assert g["Runtime"]["Outcome"] == 0 and g["GameTime"] < 5 and g["Runtime"]["InfoLines"][-1] == "Seed: 5", g["Runtime"]["InfoLines"]'
check againN 'l = g["Runtime"]["InfoLines"]; assert g["GameTime"] < 5 and l[-2] == "Skirmish: lakes 40x30, no symmetry, mission 2" and l[-1] != "Seed: 5", l'

game="$dir/map.gam --new"
refused '0 skirmish 1 swamp small none 1\n' "unknown landscape 'swamp'"
refused '0 skirmish 1 lakes 30x30 none 1\n' "the size must be"
refused '0 skirmish 1 lakes small none 6\n' "the mission must be a whole number from 0 to 5"
finish skirmish
