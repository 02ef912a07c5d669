#!/usr/bin/env bash
# Installs what is missing, builds Tavrine and runs the whole test suite:
# the normal build's tests, the same engine tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short run of every fuzz target.
#   FUZZ_SECONDS=N  seconds per fuzz target (default 15; 0 skips fuzzing)
set -euo pipefail
cd "$(dirname "$0")"
start=$(date +%s)

scripts/install-deps.sh

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
jobs=$(nproc)

echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRINE_WERROR=ON >/dev/null
cmake --build build
(cd build && ctest --output-on-failure -j "$jobs" -LE missions-long)

echo "== sanitizer build (AddressSanitizer + UndefinedBehaviorSanitizer)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRINE_SANITIZE=ON \
  -DTAVRINE_GUI=OFF -DTAVRINE_BENCH=OFF -DTAVRINE_WERROR=ON >/dev/null
cmake --build build-asan
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs" -L engine)

fuzz_seconds=${FUZZ_SECONDS:-15}
if [ "$fuzz_seconds" -gt 0 ] && command -v clang++ >/dev/null; then
  echo "== fuzz targets, ${fuzz_seconds}s each"
  CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRINE_FUZZ=ON \
    -DTAVRINE_GUI=OFF -DTAVRINE_BENCH=OFF -DTAVRINE_WERROR=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
  targets=$(find fuzz -maxdepth 1 -name 'fuzz_*.cpp' -printf '%f\n' | sed 's/\.cpp$//' | sort)
  if [ -n "$targets" ]; then
    # shellcheck disable=SC2086
    cmake --build build-fuzz --target $targets
    tests/run_fuzzers.sh build-fuzz/fuzz "$fuzz_seconds" $targets
  fi
fi

echo "== all tests passed in $(( $(date +%s) - start ))s"
