#!/usr/bin/env bash
# Skirmishes headless: one started by a script line is recorded from its map, and
# its replay verifies and names the map and seed; a battle left for a skirmish
# ends its replay there; malformed skirmish lines are refused.
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

game="$dir/map.gam --new"
refused '0 skirmish 1 swamp small none 1\n' "unknown landscape 'swamp'"
refused '0 skirmish 1 lakes 30x30 none 1\n' "the size must be"
refused '0 skirmish 1 lakes small none 6\n' "the mission must be a whole number from 0 to 5"
finish skirmish
