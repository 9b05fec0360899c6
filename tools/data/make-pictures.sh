#!/usr/bin/env bash
# Regenerates the pictures of the upcoming-dates page in data/Gfx/:
#   01.png  the narrow stripe down the page's left edge
#   02.jpg  the background of the first table head (red)
#   03.jpg  the background of the second table head (blue)
# Made with GStreamer's test source, so nothing beyond the sound packages
# the program already needs is required.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="$here/../../data/Gfx"
mkdir -p "$out"
command -v gst-launch-1.0 >/dev/null || { echo "make-pictures: gst-launch-1.0 is required" >&2; exit 1; }

picture() { # pattern foreground background width height encoder file
    gst-launch-1.0 -q videotestsrc num-buffers=1 pattern="$1" foreground-color="$2" background-color="$3" \
        ! "video/x-raw,width=$4,height=$5,format=RGB" ! videoconvert ! $6 ! filesink location="$out/$7"
}

picture solid-color 0xFF95BDEE 0xFF95BDEE 3 16 pngenc 01.png
picture gradient 0xFFA80C24 0xFFE63A55 8 17 "jpegenc quality=92" 02.jpg
picture gradient 0xFF2F6FC0 0xFF6BA8F0 8 17 "jpegenc quality=92" 03.jpg
