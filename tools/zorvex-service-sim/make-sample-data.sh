#!/usr/bin/env bash
# Regenerates the binary sample data of the service simulator in data/:
#   pictures: the weather maps (mapy/), the zodiac set "Pastelowy", the
#     weather icon set "Słoneczko" and the update's wallpaper, drawn by
#     make-pictures.cpp (built here from the build folder given, default
#     ../../build);
#   sounds: the chime set "Kukułka", as many cuckoo calls as the hour on a
#     twelve-hour clock, made with sox and lame in repeatable mode.
# The output is committed; run this only to change it.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build="${1:-$here/../../build}"
data="$here/data"

command -v sox >/dev/null || { echo "make-sample-data: sox is required" >&2; exit 1; }
command -v lame >/dev/null || { echo "make-sample-data: lame is required" >&2; exit 1; }

cmake --build "$build" --target zorvex-service-sim-pictures
QT_QPA_PLATFORM=offscreen "$build/tools/zorvex-service-sim/zorvex-service-sim-pictures" "$data"
printf '1.2\r\n' > "$data/dodatki/Pastelowy/Gfx/Zodiak/Pastelowy/Wersja.ini"
printf '2.0\r\n' > "$data/dodatki/Sloneczko/Gfx/Pogoda/Słoneczko/Wersja.ini"

chime="$data/dodatki/Kukulka/Godziny/Kukułka"
mkdir -p "$chime"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# One call: "ku" a major third above "kuk", each a short decaying tone.
sox -R -n -r 8000 -c 1 "$tmp/ku.wav" synth 0.16 sine 740 fade q 0.01 0.16 0.08
sox -R -n -r 8000 -c 1 "$tmp/kuk.wav" synth 0.22 sine 587 fade q 0.01 0.22 0.12
sox -R -n -r 8000 -c 1 "$tmp/gap.wav" trim 0 0.07
sox -R -n -r 8000 -c 1 "$tmp/pause.wav" trim 0 0.35
sox -R "$tmp/ku.wav" "$tmp/gap.wav" "$tmp/kuk.wav" "$tmp/pause.wav" "$tmp/call.wav"
for hour in $(seq 1 24); do
    calls=$(( (hour - 1) % 12 + 1 ))
    set --
    for _ in $(seq 1 "$calls"); do set -- "$@" "$tmp/call.wav"; done
    if [ "$calls" -eq 1 ]; then cp "$tmp/call.wav" "$tmp/hour.wav"; else sox -R "$@" "$tmp/hour.wav"; fi
    lame --quiet -b 8 -m m --resample 8 "$tmp/hour.wav" "$chime/$(printf '%02d' "$hour").mp3"
done
printf '1.0\r\n' > "$chime/Wersja.ini"
