#!/usr/bin/env bash
# tavrine-sim render end to end: frames written as PNG pictures of the asked
# size, offscreen, and the usage errors. Registered only in builds with the
# desktop side, whose tavrine-sim must have the render command.
# usage: render.sh TAVRINE_SIM SCRATCH_DIR
set -u
sim=$1 dir=$2
rm -rf "$dir" && mkdir -p "$dir"
unset QT_QPA_PLATFORM DISPLAY  # the tool must manage without a display
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The build has the desktop side (or this test would not be registered), so its
# tool must render: without the command the test cannot run and says so as a
# skip (exit 77), which ./test.sh counts and refuses.
if "$sim" render 2>&1 | grep -q "unknown command 'render'"; then
  echo "SKIP: this build has the desktop program but its tavrine-sim has no render command"
  exit 77
fi

# size FILE: the width and height in a PNG's header.
size() {
  python3 - "$1" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read(24)
assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
print("%dx%d" % struct.unpack(">II", data[16:24]))
PY
}

"$sim" new 40 30 0 "$dir/map.gam" || fail "new map"
"$sim" render "$dir/map.gam" --library none --ticks 3 --view 640x480 --out "$dir/frame.png" 2>"$dir/err" || fail "render: $(cat "$dir/err")"
[ "$(size "$dir/frame.png")" = 640x480 ] || fail "frame size $(size "$dir/frame.png")"
"$sim" render --title --library none --out "$dir/title.png" 2>"$dir/err" || fail "title: $(cat "$dir/err")"
[ "$(size "$dir/title.png")" = 800x600 ] || fail "title size"

# With no ticks the frame is the one the player sees after the load's fade-in,
# not a black one: an unfogged sea drawn with the generated library.
lib=$(dirname "$sim")/Tavrine.isd
if [ -f "$lib" ]; then
  "$sim" run "$dir/map.gam" --reveal --library "$lib" --out "$dir/open.gam" >/dev/null || fail "unfogged map"
  "$sim" render "$dir/open.gam" --library "$lib" --out "$dir/loaded.png" 2>"$dir/err" || fail "render: $(cat "$dir/err")"
  python3 - "$dir/loaded.png" <<'PY' || fail "the frame after loading is black"
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
pos, idat = 8, b""
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    if kind == b"IDAT": idat += data[pos + 8:pos + 8 + length]
    pos += 12 + length
raw = zlib.decompress(idat)
assert sum(b > 40 for b in raw) > len(raw) // 10
PY
fi

"$sim" render "$dir/map.gam" --library none >/dev/null 2>&1
[ $? = 2 ] || fail "render without --out should exit 2"
"$sim" render --library none --out "$dir/x.png" >/dev/null 2>&1
[ $? = 2 ] || fail "render without a game or --title should exit 2"
"$sim" render "$dir/missing.gam" --library none --out "$dir/x.png" >/dev/null 2>&1
[ $? = 1 ] || fail "render of a missing game should exit 1"
"$sim" render "$dir/map.gam" --library none --out "$dir/no/such/folder/x.png" >/dev/null 2>&1
[ $? = 1 ] || fail "an unwritable picture should exit 1"

[ $failures = 0 ] && echo "render: ok"
exit $((failures > 0))
