#!/usr/bin/env bash
# Installs what is missing, builds Tavrine and runs the whole test suite:
# the normal build's tests, the same engine tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short run of every fuzz target. With clang
# (installed by the step below) one build serves both of the last two: the
# engine is compiled once with the sanitizers and libFuzzer's coverage.
#   FUZZ_SECONDS=N  seconds per fuzz target (default 15; 0 skips fuzzing)
#   TEST_TIMEOUT=N  seconds after which ctest stops any one test (default 900;
#                   each test also has its own, shorter limit)
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
skipped=""

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
(cd build && ctest --output-on-failure -j "$jobs" --timeout "$timeout" -LE missions-long)
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
    skipped="FUZZ_SECONDS=0"
  fi
  # shellcheck disable=SC2086
  cmake --build build-fuzz --target $sanitized_targets $targets
  phase "sanitizer and fuzz build"
  (cd build-fuzz && env "${sanitizer_env[@]}" ctest --output-on-failure -j "$jobs" --timeout "$timeout" -L engine)
  phase "sanitizer tests"
  if [ -n "$targets" ]; then
    echo "== fuzz targets, ${fuzz_seconds}s each"
    # shellcheck disable=SC2086
    tests/run_fuzzers.sh build-fuzz/fuzz "$fuzz_seconds" $targets
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
  (cd build-asan && env "${sanitizer_env[@]}" ctest --output-on-failure -j "$jobs" --timeout "$timeout" -L engine)
  phase "sanitizer tests"
  skipped="clang++ not found"
fi

if [ -n "$skipped" ]; then
  echo "== FUZZING SKIPPED ($skipped): the fuzz targets were neither built nor run"
  echo "== all other tests passed in $(( $(date +%s) - start ))s"
else
  echo "== all tests passed in $(( $(date +%s) - start ))s"
fi
