#!/usr/bin/env bash
# Regenerates the pictures of the upcoming-dates page in data/Gfx/:
#   01.png  the narrow stripe down the page's left edge
#   02.jpg  the background of the first table head (red)
#   03.jpg  the background of the second table head (blue)
# The heads come from GStreamer's test source; the stripe is written by a few
# lines of Python (3 blue pixels, then white, wide enough that a view which
# tiles it sideways instead of only downwards still shows one stripe).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="$here/../../data/Gfx"
mkdir -p "$out"
command -v gst-launch-1.0 >/dev/null || { echo "make-pictures: gst-launch-1.0 is required" >&2; exit 1; }

picture() { # pattern foreground background width height encoder file
    gst-launch-1.0 -q videotestsrc num-buffers=1 pattern="$1" foreground-color="$2" background-color="$3" \
        ! "video/x-raw,width=$4,height=$5,format=RGB" ! videoconvert ! $6 ! filesink location="$out/$7"
}

python3 - "$out/01.png" <<'PY'
import struct, sys, zlib
width, height = 2400, 4
row = b"\x00" + bytes([0x95, 0xBD, 0xEE]) * 3 + b"\xff\xff\xff" * (width - 3)
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
png += chunk(b"IDAT", zlib.compress(row * height, 9)) + chunk(b"IEND", b"")
open(sys.argv[1], "wb").write(png)
PY
picture gradient 0xFFA80C24 0xFFE63A55 8 17 "jpegenc quality=92" 02.jpg
picture gradient 0xFF2F6FC0 0xFF6BA8F0 8 17 "jpegenc quality=92" 03.jpg
