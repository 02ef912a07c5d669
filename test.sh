#!/usr/bin/env bash
# Installs what is missing, builds Tavrine and runs the whole test suite:
# the normal build's tests, the same engine tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short run of every fuzz target. With clang
# (installed by the step below) one build serves both of the last two: the
# engine is compiled once with the sanitizers and libFuzzer's coverage.
#   FUZZ_SECONDS=N  seconds per fuzz target (default 15; 0 skips fuzzing)
#   TEST_TIMEOUT=N  seconds after which ctest stops any one test (default 900;
#                   each test also has its own, shorter limit)
# It runs every test it builds, the autopilot's proofs that each shipped mission
# can be won included, and ends with one line "N passed, N failed, N skipped"
# over all of them. It exits non-zero when a test failed or when one skipped
# itself (a tool or a part of the build the test needs was not there): the
# skipped are listed with their reasons. The program folder of the normal build
# must be the same after the tests as after the build.
set -euo pipefail
cd "$(dirname "$0")"
start=$(date +%s)

scripts/install-deps.sh

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=$scratch/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
jobs=$(nproc)
timeout=${TEST_TIMEOUT:-900}
fuzz_seconds=${FUZZ_SECONDS:-15}
results=$scratch/results  # one "passed failed skipped" line per run, tests/ctest_results.py
: >"$results"
: >"$results.skipped"
# Skips asked for by the caller (FUZZ_SECONDS=0): counted and listed, not an error.
chosen_skips=0

# Each phase's wall time, and the processor time it used (on a shared machine
# the second says more about the work than the first).
phase_start=$start
phase_cpu=0
phase() {
  local now cpu
  now=$(date +%s)
  times >"$scratch/times"  # in this shell: a subshell would not see the children
  cpu=$(awk 'NR == 2 { split($1, u, "m"); split($2, s, "m"); printf "%d", u[1] * 60 + u[2] + s[1] * 60 + s[2] }' "$scratch/times")
  echo "-- $1 took $((now - phase_start))s (processor time $((cpu - phase_cpu))s)"
  phase_start=$now
  phase_cpu=$cpu
}

echo "== normal build"
# The optimisation of RelWithDebInfo without its debug information, which the
# tests do not need and which costs a good part of the build's time. No
# benchmarks: they measure, they do not test.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DTAVRINE_BENCH=OFF -DTAVRINE_WERROR=ON >/dev/null
cmake --build build
phase "normal build"

# skip_fuzzers REASON: every fuzz target counted and listed as skipped.
skip_fuzzers() {
  local target count=0
  for target in $(find fuzz -maxdepth 1 -name 'fuzz_*.cpp' -printf '%f\n' | sed 's/\.cpp$//' | sort); do
    echo "fuzz $target: $1" >>"$results.skipped"
    count=$((count + 1))
  done
  echo "0 0 $count" >>"$results"
  fuzz_skipped=$count
}

# ctest_run DIR LABEL [ctest options...]: the tests of one build, counted into
# $results. A failing test does not stop the script: the last line counts all.
ctest_run() {
  local dir=$1 label=$2
  shift 2
  (cd "$dir" && env "${run_env[@]}" ctest --output-on-failure -j "$jobs" --timeout "$timeout" \
    --output-junit "$scratch/$label.xml" "$@") || true
  python3 tests/ctest_results.py "$results" "$scratch/$label.xml" "$label"
}

# program_sums: a checksum of every file in the normal build's program folder
# (the game's data, its settings file and its saves when a test wrote them).
program_sums() { (cd build/program && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
program_sums >"$scratch/program.before"

run_env=()
ctest_run build normal -LE missions-long
phase "normal tests"

# The engine tests need the headless tool, the generated library and the
# prepared missions beside them (the tool tests run on them). The content is the
# same bytes in every build of this tree: the sanitizer build copies the normal
# build's instead of compiling and running the generators again.
sanitized_targets="tavrine_engine_tests tavrine-sim tavrine_content tavrine_mission_maps"
sanitizer_env=(ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1)
if command -v clang++ >/dev/null; then
  echo "== sanitizer build with clang (AddressSanitizer + UndefinedBehaviorSanitizer + fuzzer coverage)"
  # Debug keeps the engine's own checks; -O1 keeps the sanitized tests quick;
  # line tables are all the sanitizers' reports need.
  CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" \
    -DTAVRINE_SANITIZE=ON -DTAVRINE_FUZZ=ON -DTAVRINE_GUI=OFF -DTAVRINE_BENCH=OFF -DTAVRINE_WERROR=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" -DTAVRINE_CONTENT_FROM="$PWD/build/program" >/dev/null
  targets=""
  if [ "$fuzz_seconds" -gt 0 ]; then
    targets=$(find fuzz -maxdepth 1 -name 'fuzz_*.cpp' -printf '%f\n' | sed 's/\.cpp$//' | sort)
  else
    skip_fuzzers "FUZZ_SECONDS=0"
    chosen_skips=$fuzz_skipped
  fi
  # shellcheck disable=SC2086
  cmake --build build-fuzz --target $sanitized_targets $targets
  phase "sanitizer and fuzz build"
  run_env=("${sanitizer_env[@]}")
  ctest_run build-fuzz sanitized -L engine
  phase "sanitizer tests"
  if [ -n "$targets" ]; then
    echo "== fuzz targets, ${fuzz_seconds}s each"
    # shellcheck disable=SC2086
    tests/run_fuzzers.sh build-fuzz/fuzz "$fuzz_seconds" $targets | tee "$scratch/fuzz.log" || true
    fuzz_passed=$(grep -c '^-- fuzz_[a-z0-9_]*: Done' "$scratch/fuzz.log" || true)
    fuzz_total=$(wc -w <<<"$targets")
    echo "$fuzz_passed $((fuzz_total - fuzz_passed)) 0" >>"$results"
    phase "fuzzing"
  fi
else
  echo "== sanitizer build with the default compiler (AddressSanitizer + UndefinedBehaviorSanitizer)"
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
    -DTAVRINE_SANITIZE=ON -DTAVRINE_GUI=OFF -DTAVRINE_BENCH=OFF -DTAVRINE_WERROR=ON \
    -DTAVRINE_CONTENT_FROM="$PWD/build/program" >/dev/null
  # shellcheck disable=SC2086
  cmake --build build-asan --target $sanitized_targets
  phase "sanitizer build"
  run_env=("${sanitizer_env[@]}")
  ctest_run build-asan sanitized -L engine
  phase "sanitizer tests"
  skip_fuzzers "clang++ not found, the fuzz targets were neither built nor run"
fi

# Nothing the tests ran may have written into the program folder (a settings
# file, a save, a changed picture): a newcomer's ./run.sh starts from it.
program_sums >"$scratch/program.after"
if changed=$(diff "$scratch/program.before" "$scratch/program.after"); then
  echo "1 0 0" >>"$results"
else
  echo "== FAILED: the tests changed the program folder build/program:"
  grep '^[<>]' <<<"$changed" | awk '{ print $3 }' | sort -u | sed 's/^/   /'
  echo "0 1 0" >>"$results"
fi

echo "== finished in $(( $(date +%s) - start ))s"
if [ -s "$results.skipped" ]; then
  echo "== skipped:"
  sed 's/^/   /' "$results.skipped"
fi
read -r passed failed skipped < <(awk '{ p += $1; f += $2; s += $3 } END { print p + 0, f + 0, s + 0 }' "$results")
echo "$passed passed, $failed failed, $skipped skipped"
# A test that skipped itself here, where install-deps.sh put every tool in place,
# lacked something it needs: that is a fault of the machine or of the build.
[ "$failed" = 0 ] && [ "$skipped" = "$chosen_skips" ]
