#!/usr/bin/env python3
"""Surveys the skirmish generator with tavrine-sim.

  skirmish-survey.py sweep [--sim PATH] [--seeds N]
      every landscape x symmetry x size preset x N seeds (default 10): generates
      each map with --json, prints the attempts per map (mean, worst) and every
      map that failed a check.
  skirmish-survey.py autopilot [--sim PATH] [--first-seed S] [--jobs J]
      40 maps (8 per landscape, sizes, symmetries and missions taken in turn)
      played by the autopilot on Easy, Normal and Difficult for at most 30 game
      minutes, two games at a time by default, niced; prints one line per map
      and the wins per difficulty.

Maps go into a scratch folder that is removed afterwards.
"""
import argparse
import concurrent.futures
import json
import os
import subprocess
import sys
import tempfile

LANDSCAPES = ["continent", "islands", "lakes", "highlands", "river"]
SYMMETRIES = ["none", "mirror", "rotate"]
SIZES = ["small", "medium", "large", "huge"]
DIFFICULTIES = ["Easy", "Normal", "Difficult"]


def generate(sim, out, seed, size, landscape, symmetry, mission=1):
    run = subprocess.run(
        [sim, "generate", out, "--seed", str(seed), "--size", size, "--landscape", landscape,
         "--symmetry", symmetry, "--mission", str(mission), "--json"],
        capture_output=True, text=True)
    try:
        report = json.loads(run.stdout)
    except json.JSONDecodeError:
        report = {"ok": False, "attempts": 0, "failure": run.stderr.strip() or "no report"}
    report["exit"] = run.returncode
    return report


def sweep(args, scratch):
    attempts, failures = [], []
    worst = None
    for landscape in LANDSCAPES:
        for symmetry in SYMMETRIES:
            for size in SIZES:
                for seed in range(1, args.seeds + 1):
                    r = generate(args.sim, os.path.join(scratch, "map.gam"), seed, size, landscape, symmetry)
                    name = f"{landscape} {symmetry} {size} seed {seed}"
                    if not r["ok"] or r["exit"] != 0:
                        failures.append(f"{name}: {r.get('failure', '?')}")
                        continue
                    attempts.append(r["attempts"])
                    if worst is None or r["attempts"] > worst[0]:
                        worst = (r["attempts"], name)
    total = len(attempts) + len(failures)
    print(f"maps {total}, passed {len(attempts)}, failed {len(failures)}")
    if attempts:
        print(f"attempts per map: mean {sum(attempts) / len(attempts):.2f}, worst {worst[0]} ({worst[1]})")
        hist = {}
        for a in attempts:
            hist[a] = hist.get(a, 0) + 1
        print("attempts histogram: " + ", ".join(f"{k}: {hist[k]}" for k in sorted(hist)))
    for f in failures:
        print("FAILED " + f)
    return 1 if failures else 0


def play(sim, path, difficulty):
    run = subprocess.run(
        ["nice", sim, "autoplay", path, "--new", "--difficulty", str(difficulty), "--max-minutes", "30"],
        capture_output=True, text=True)
    try:
        r = json.loads(run.stdout)
        return r["Outcome"], r["GameClock"]
    except (json.JSONDecodeError, KeyError):
        return -1, run.stderr.strip()[:80]


def autopilot(args, scratch):
    maps = []
    for i in range(40):
        landscape = LANDSCAPES[i % 5]
        k = i // 5
        size = SIZES[(k + i) % 4]
        symmetry = SYMMETRIES[k % 3]
        mission = (i * 7 + k) % 6
        seed = args.first_seed + i
        path = os.path.join(scratch, f"map{i:02d}.gam")
        r = generate(args.sim, path, seed, size, landscape, symmetry, mission)
        if not r["ok"]:
            print(f"generation failed: {landscape} {size} {symmetry} seed {seed}: {r.get('failure')}")
            continue
        maps.append((i, f"{landscape:9} {size:6} {symmetry:6} mission {mission} seed {seed}", path))
    jobs = [(m, d) for m in maps for d in range(3)]
    results = {}
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        futures = {pool.submit(play, args.sim, m[2], d): (m[0], d) for m, d in jobs}
        for f in concurrent.futures.as_completed(futures):
            results[futures[f]] = f.result()
    wins = [0, 0, 0]
    names = {0: "running", 1: "won", 2: "LOST", -1: "ERROR"}
    for i, label, _ in maps:
        cells = []
        for d in range(3):
            outcome, clock = results[(i, d)]
            if outcome == 1:
                wins[d] += 1
            cells.append(f"{DIFFICULTIES[d]}: {names.get(outcome, '?')} {clock}")
        print(f"{label}  " + "  ".join(cells))
        sys.stdout.flush()
    print("wins within 30 minutes: " + ", ".join(f"{DIFFICULTIES[d]} {wins[d]}/{len(maps)}" for d in range(3)))
    return 0 if wins[0] == len(maps) else 1


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("mode", choices=["sweep", "autopilot"])
    p.add_argument("--sim", default=os.path.join(os.path.dirname(__file__), "..", "build", "program", "tavrine-sim"))
    p.add_argument("--seeds", type=int, default=10)
    p.add_argument("--first-seed", type=int, default=5001)
    p.add_argument("--jobs", type=int, default=2)
    args = p.parse_args()
    args.sim = os.path.abspath(args.sim)
    with tempfile.TemporaryDirectory(prefix="skirmish-survey-") as scratch:
        return sweep(args, scratch) if args.mode == "sweep" else autopilot(args, scratch)


if __name__ == "__main__":
    sys.exit(main())
