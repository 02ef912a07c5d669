#!/usr/bin/env bash
# One shipped mission, played to its end: the autopilot wins it on Easy within
# the catalogue's game minutes for every seed, and a player who does nothing
# loses it on Difficult within the catalogue's minutes (or, for a mission the
# catalogue says cannot be lost by waiting, still stands after 30 minutes).
# usage: outcomes.sh TAVRINE_SIM TAVRINE_MISSIONS NEWGAMES_DIR INDEX quick|long "SEEDS"
set -u
sim=$1 missions=$2 folder=$3 index=$4 suite=$5 seeds=$6
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

line=$("$missions" --list | sed -n "${index}p")
[ -n "$line" ] || { echo "FAIL: no mission $index in the catalogue"; exit 1; }
IFS=$'\t' read -r file columns rows type easy idle quick <<<"$line"
game="$folder/$file"
[ -f "$game" ] || { echo "FAIL: $game was not built"; exit 1; }
# The suite this test was registered in must agree with the catalogue.
expected=long; [ "$quick" = 1 ] && expected=quick
[ "$suite" = "$expected" ] || fail "$file is registered as $suite but the catalogue says $expected"

# field JSON PATH: a field of the one-line JSON report ("Autopilot.Presses").
field() {
  python3 -c 'import json,sys
d = json.loads(sys.argv[1])
for k in sys.argv[2].split("."): d = d[k]
print(d)' "$1" "$2"
}

for seed in $seeds; do
  out=$("$sim" autoplay "$game" --new --difficulty 0 --seed "$seed" --max-minutes "$easy") || fail "autoplay exited with $?"
  result=$(field "$out" Result) clock=$(field "$out" GameClock)
  echo "$file, Easy, seed $seed, autopilot: $result at $clock (limit $easy min)"
  [ "$(field "$out" Outcome)" = 1 ] || fail "$file seed $seed: the autopilot did not win on Easy within $easy minutes: $out"
  [ "$(field "$out" Autopilot.Presses)" -gt 0 ] || fail "$file seed $seed: won without a single press of the mouse"
done

for seed in $seeds; do
  if [ "$idle" -gt 0 ]; then
    out=$("$sim" autoplay "$game" --new --difficulty 2 --seed "$seed" --idle --max-minutes "$idle") || fail "autoplay exited with $?"
    result=$(field "$out" Result) clock=$(field "$out" GameClock)
    echo "$file, Difficult, seed $seed, idle player: $result at $clock (limit $idle min)"
    [ "$(field "$out" Outcome)" = 2 ] || fail "$file seed $seed: an idle player was not beaten on Difficult within $idle minutes: $out"
  else
    out=$("$sim" autoplay "$game" --new --difficulty 2 --seed "$seed" --idle --max-minutes 30) || fail "autoplay exited with $?"
    [ "$(field "$out" Outcome)" = 0 ] || fail "$file seed $seed: said to hold while waiting, but: $out"
  fi
done

[ $failures = 0 ] && echo "$file: ok"
exit $((failures > 0))
