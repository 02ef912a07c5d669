#!/usr/bin/env bash
# Runs each named fuzz target for a bounded time over a copy of its seed corpus.
# usage: run_fuzzers.sh FUZZ_BIN_DIR SECONDS TARGET...
set -euo pipefail
bin=$1 seconds=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
for target in "$@"; do
  work=$(mktemp -d)
  [ -d "$root/fuzz/corpus/$target" ] && cp -r "$root/fuzz/corpus/$target/." "$work/"
  echo "-- $target"
  if ! "$bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$work/" "$work" > "$work.log" 2>&1; then
    tail -40 "$work.log"
    echo "fuzz target $target failed; inputs kept in $work"
    exit 1
  fi
  grep -E 'stat::number_of_executed_units|Done [0-9]+ runs' "$work.log" | tail -2
  rm -rf "$work" "$work.log"
done
