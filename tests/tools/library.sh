#!/usr/bin/env bash
# tavrine-sim library: the JSON of a library file, its export, and a rejected file.
# usage: library.sh TAVRINE_SIM WORK_DIR
set -euo pipefail
sim=$1 work=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
sample=$root/fuzz/corpus/fuzz_library/sample.isd
rm -rf "$work" && mkdir -p "$work"
fail() { echo "FAIL: $*"; exit 1; }

json=$("$sim" library "$sample" --export "$work/out")
grep -q '"Tag":77,"pictures":\[\]' <<<"$json" || fail "the empty list with Tag 77 is missing: $json"
grep -q '"width":4,"height":3,"bitsPerPixel":8,"compression":"rle8"' <<<"$json" || fail "rle8 picture: $json"
grep -q '"formatTag":1,"channels":2,"sampleRate":44100,"bitsPerSample":16,"formatBytes":18,"dataBytes":4' <<<"$json" \
  || fail "second wave: $json"
[ "$(ls "$work/out" | grep -c '\.bmp$')" = 12 ] || fail "expected 12 exported pictures: $(ls "$work/out")"
[ -f "$work/out/0-0-8-0.bmp" ] && [ -f "$work/out/wave-1.wav" ] || fail "export names: $(ls "$work/out")"
[ "$(head -c 2 "$work/out/0-0-0-0.bmp")" = BM ] || fail "exported picture is no bitmap"

printf '\xb9\x78\x00\x00\x01\x00\x00\x00' > "$work/v1.isd"
if "$sim" library "$work/v1.isd" > "$work/stdout" 2> "$work/stderr"; then fail "version 1 accepted"; fi
[ "$(head -1 "$work/stderr")" = "File version error" ] || fail "message: $(cat "$work/stderr")"
[ ! -s "$work/stdout" ] || fail "output for a rejected file"
head -c 40 "$sample" > "$work/cut.isd"
if "$sim" library "$work/cut.isd" 2> "$work/stderr" >/dev/null; then fail "truncated file accepted"; fi
[ "$(head -1 "$work/stderr")" = "Data I/O Error" ] || fail "message: $(cat "$work/stderr")"
echo "library tool: ok"
