#!/usr/bin/env bash
# The campaign headless: a second mission locked until the first is won, a
# briefing answered Start, the win noted in the progress at once, N leading to
# the next briefing, the progress kept for the next run, a damaged progress file
# moved aside, the autosave on leaving a battle with its names reserved, and a
# saved mission that still counts when loaded again.
# Usage: campaign.sh TAVRINE_SIM SCRATCH_DIR
source "$(dirname "$0")/scripted_runs.bash" "$1" "$2"
f=$dir/folder
mkdir -p "$f/NewGames"

# Two missions "find the enemy headquarters" on maps without one: each is won
# at the first judgement, about 100 frames after it starts.
land_map 40 30 2 "$f/NewGames/a.gam" <<<'0 drop 4 0 0 12 110 110'
cp "$f/NewGames/a.gam" "$f/NewGames/b.gam"
cat >"$f/Campaign.txt" <<'EOF2'
Tavrine campaign 1
mission a.gam
name First
objective Win.
story One.
mission b.gam
name Second
objective Win again.
story Two.
new Three.
EOF2

run play --title --ticks 400 <<'EOF2'
0 campaign 2
1 campaign 1
5 answer ok
200 key N
205 answer ok
EOF2
check play '
assert any("opens once" in m for m in s["Messages"]), s["Messages"]
assert s["Briefings"] == ["Mission 1: First", "Mission 2: Second"], s["Briefings"]
c = g["Campaign"]["Missions"]
assert c[0]["Normal"]["Won"] == 1 and c[0]["Normal"]["Played"] == 1 and c[0]["Normal"]["BestSeconds"] >= 1, c[0]
assert c[1]["Open"] and c[1]["Normal"]["Won"] == 1, c[1]'

# Kept for the next run; the tool reads it too.
"$sim" campaign --folder "$f" --json >"$dir/progress.json" || fail "campaign --json"
grep -q '"Won":1' "$dir/progress.json" || fail "the progress was not kept: $(cat "$dir/progress.json")"

# Damaged: reported, kept aside, afresh.
printf 'Tavrine progress 1\nresult ?\n' >"$f/Campaign progress.txt"
"$sim" campaign --folder "$f" >/dev/null 2>"$dir/damaged.err" && fail "a damaged progress file was read"
run damaged --title --ticks 2 <<<'0 campaign 2'
check damaged '
assert any("damaged" in m for m in s["Messages"]), s["Messages"]
assert not g["Campaign"]["Missions"][1]["Open"]'
[ -f "$f/Campaign progress (damaged).txt" ] || fail "the damaged progress file was not kept aside"

# Autosave: a save under its names is refused; leaving the battle for a mission saves it.
run autosave --title --ticks 60 --autosave <<'EOF2'
0 campaign 1
1 answer ok
20 save Autosave.gam
30 campaign 1
31 answer ok
EOF2
check autosave 'assert any("kept for the autosave" in m for m in s["Messages"]), s["Messages"]'
[ -f "$f/SaveGames/Autosave.gam" ] || fail "leaving the battle wrote no autosave"
"$sim" info "$f/SaveGames/Autosave.gam" >/dev/null || fail "the autosave does not load"
# A saved campaign mission is that mission again when loaded: its win counts.
run resume --title --ticks 400 <<'EOF2'
0 campaign 1
1 answer ok
20 save resumed.gam
25 load resumed.gam
EOF2
check resume '
c = g["Campaign"]["Missions"][0]["Normal"]
assert c["Won"] == 1 and c["TanksBuilt"] >= 0, c'
# The game menu's ways to a new battle; the battle left for the quick skirmish
# is recorded to there and verifies.
run menu --title --ticks 60 --record "$dir/menu.replay" <<'EOF2'
0 campaign 1
1 answer ok
20 menu campaign
25 menu skirmish
30 menu quick
EOF2
check menu '
assert s["CampaignScreens"] == 1 and s["SkirmishDialogs"] == 1, s
assert any(l.startswith("Skirmish:") for l in g["Runtime"]["InfoLines"]), g["Runtime"]["InfoLines"]'
"$sim" replay "$dir/menu.replay" --library "$lib" --verify >/dev/null 2>"$dir/menu_replay.err" ||
  fail "the replay left for a quick skirmish does not verify: $(cat "$dir/menu_replay.err")"
# The skirmish's own replay verifies too, its seed and choices being no part of the battle.
run quick --title --ticks 30 --record "$dir/quick.replay" <<<'0 menu quick'
"$sim" replay "$dir/quick.replay" --library "$lib" --verify >/dev/null 2>"$dir/quick_replay.err" ||
  fail "a quick skirmish's replay does not verify: $(cat "$dir/quick_replay.err")"
finish campaign
