#!/usr/bin/env bash
# Plays every shipped mission with the autopilot and prints the balance table:
# per mission, difficulty and seed the result, the game time and the tanks the
# player lost. Each run is niced, at most JOBS at a time, and keeps its JSON in
# the output folder, so a table can be printed again without playing.
#
# usage: scripts/mission-table.sh [--sim PATH] [--games DIR] [--out DIR]
#          [--difficulties "0 1 2"] [--seeds "1 2 3"] [--missions "1 2 ... 8"]
#          [--minutes M] [--jobs N] [--idle] [--print-only]
# --idle plays a player who does nothing (with --minutes 2: the idle check).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
sim=$here/build/program/tavrine-sim
games=$here/build/program/NewGames
out=${TMPDIR:-/tmp}/tavrine-mission-table
difficulties="0 1 2" seeds="1 2 3" missions="1 2 3 4 5 6 7 8" minutes=60 jobs=2 idle="" printOnly=0
while [ $# -gt 0 ]; do
  case $1 in
    --sim) sim=$2; shift ;;
    --games) games=$2; shift ;;
    --out) out=$2; shift ;;
    --difficulties) difficulties=$2; shift ;;
    --seeds) seeds=$2; shift ;;
    --missions) missions=$2; shift ;;
    --minutes) minutes=$2; shift ;;
    --jobs) jobs=$2; shift ;;
    --idle) idle=--idle ;;
    --print-only) printOnly=1 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
mkdir -p "$out"
mapfile -t files < <(cd "$games" && ls ./*.gam | sed 's|^\./||' | sort)

if [ $printOnly = 0 ]; then
  for m in $missions; do
    file=${files[$((m - 1))]}
    for d in $difficulties; do
      for s in $seeds; do
        printf '%s\t%s\t%s\t%s\n' "$games/$file" "$d" "$s" "$out/m${m}_d${d}_s${s}${idle:+_idle}.json"
      done
    done
  done | xargs -P "$jobs" -d '\n' -n 1 bash -c '
    IFS=$'"'"'\t'"'"' read -r game d s json <<<"$0"
    nice -n 10 "'"$sim"'" autoplay "$game" --new --difficulty "$d" --seed "$s" --max-minutes "'"$minutes"'" '"$idle"' > "$json.part" && mv "$json.part" "$json"'
fi

python3 - "$out" "$missions" "$difficulties" "$seeds" "$idle" "${files[@]}" <<'EOF'
import json, os, re, sys
out, missions, diffs, seeds, idle, files = sys.argv[1], sys.argv[2].split(), sys.argv[3].split(), sys.argv[4].split(), sys.argv[5], sys.argv[6:]
names = ["Easy", "Normal", "Difficult"]
print("| Mission | Difficulty | " + " | ".join(f"seed {s}" for s in seeds) + " | won |")
print("|---|---|" + "---|" * (len(seeds) + 1))
for m in missions:
    title = files[int(m) - 1][:-4]
    for d in diffs:
        cells, won = [], 0
        for s in seeds:
            path = os.path.join(out, f"m{m}_d{d}_s{s}{'_idle' if idle else ''}.json")
            try:
                r = json.load(open(path))
            except (OSError, ValueError):
                cells.append("-")
                continue
            lost = "?"
            lines = r.get("InfoLines", [])
            if "Yours" in lines:
                for line in lines[lines.index("Yours"):]:
                    k = re.match(r"Tanks: \d+, (\d+) lost", line)
                    if k:
                        lost = k.group(1)
                        break
            mark = {1: "won", 2: "lost"}.get(r["Outcome"], "open")
            won += r["Outcome"] == 1
            cells.append(f"{mark} {r['GameClock']}, {lost} lost")
        print(f"| {title} | {names[int(d)]} | " + " | ".join(cells) + f" | {won}/{len(seeds)} |")
EOF
