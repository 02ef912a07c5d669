#!/usr/bin/env bash
# Runs each named fuzz target for a bounded time over a copy of its seed corpus,
# as many at once as there are processors (FUZZ_JOBS sets another number).
# usage: run_fuzzers.sh FUZZ_BIN_DIR SECONDS TARGET...
set -euo pipefail
bin=$1 seconds=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${FUZZ_JOBS:-$(nproc)}

# One target: its report on stdout, and exit status 1 when it found a fault (the
# inputs are then kept).
run_one() {
  local target=$1 work
  work=$(mktemp -d)
  [ -d "$root/fuzz/corpus/$target" ] && cp -r "$root/fuzz/corpus/$target/." "$work/"
  if ! "$bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$work/" "$work" > "$work.log" 2>&1; then
    echo "-- $target"
    tail -40 "$work.log"
    echo "fuzz target $target failed; inputs kept in $work"
    return 1
  fi
  echo "-- $target: $(grep -E 'Done [0-9]+ runs' "$work.log" | tail -1)"
  rm -rf "$work" "$work.log"
}
export -f run_one
export bin seconds root

printf '%s\n' "$@" | xargs -P "$jobs" -I{} bash -c 'run_one "$1"' _ {}
