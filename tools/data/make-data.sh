#!/usr/bin/env bash
# Regenerates the shipped data folder data/ from the sources in tools/data/src/.
#
#   tools/data/make-data.sh            # text files and sounds
#   tools/data/make-data.sh --text     # text files only (needs iconv)
#   tools/data/make-data.sh --sounds   # sounds only (needs sox and lame)
#
# Text files: the sources are UTF-8 with LF line ends; the program reads
# Windows private-profile INI files in Windows-1250 with CR LF line ends, so
# every src/NAME.utf8 becomes data/NAME converted that way. iconv stops with
# an error on any character that Windows-1250 cannot hold.
#
# Sounds: data/Godziny/Godzina.mp3 (soft two-note chime), Ping.mp3 (short
# ping) and Poczta.mp3 (gentle rising two-note "new mail" sound) are made
# from decaying sine tones with sox and encoded with lame as mono 22050 Hz
# CBR MP3. sox runs in repeatable mode (-R) so the output is the same on
# every run.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
src="$here/src"
out="$root/data"

do_text=1
do_sounds=1
case "${1:-}" in
    "") ;;
    --text) do_sounds=0 ;;
    --sounds) do_text=0 ;;
    *) echo "usage: $0 [--text|--sounds]" >&2; exit 2 ;;
esac

need() {
    command -v "$1" >/dev/null 2>&1 || { echo "make-data: '$1' is required" >&2; exit 1; }
}

make_text() {
    need iconv
    local f name
    for f in "$src"/*.utf8; do
        name="$(basename "$f" .utf8)"
        # Convert first, then add CR before every LF (the byte 0x0A never
        # occurs inside a Windows-1250 character, so this is safe).
        iconv -f UTF-8 -t WINDOWS-1250 "$f" | sed 's/$/\r/' > "$out/$name.tmp"
        mv "$out/$name.tmp" "$out/$name"
        echo "data/$name"
    done
}

# tone OUT FREQ AMP DECAY LEN
#   a sine of FREQ Hz at amplitude AMP with an 8 ms soft attack, decaying
#   exponentially (a logarithmic fade spread over DECAY seconds), cut to LEN
#   seconds (LEN <= DECAY).
tone() {
    sox -R -n -r 22050 -c 1 -b 16 "$1" synth "$4" sine "$2" vol "$3" \
        fade q 0.008 fade l 0 "$4" "$4" trim 0 "$5"
}

# delay IN OUT SECONDS: put SECONDS of silence in front.
delay() {
    sox -R "$1" "$2" pad "$3" 0
}

# finish OUT LEN IN...: mix the inputs, fade the last 0.2 s out to silence,
# normalise to -3 dBFS.
finish() {
    local dst="$1" len="$2"
    shift 2
    if [ "$#" -gt 1 ]; then
        sox -R -m "$@" "$dst" fade t 0 "$len" 0.2 gain -n -3
    else
        sox -R "$1" "$dst" fade t 0 "$len" 0.2 gain -n -3
    fi
}

encode() {
    # MPEG-2 layer III, mono, constant 48 kbit/s, no ID3 tag.
    lame --quiet --noreplaygain -m m -b 48 -q 2 "$1" "$2"
}

make_sounds() {
    need sox
    need lame
    tmp="$(mktemp -d)"
    trap 'rm -rf "$tmp"' EXIT
    mkdir -p "$out/Godziny"

    # Godzina: E5 struck, then C5 0.35 s later, each with weaker overtones.
    tone "$tmp/g1.wav" 659.26 0.50 4.0 1.4
    tone "$tmp/g2.wav" 1318.51 0.12 2.5 1.4
    tone "$tmp/g3.wav" 1977.78 0.05 1.4 1.4
    tone "$tmp/g4.wav" 523.25 0.50 4.0 1.05
    tone "$tmp/g5.wav" 1046.50 0.12 2.5 1.05
    sox -R -m "$tmp/g4.wav" "$tmp/g5.wav" "$tmp/g45.wav"
    delay "$tmp/g45.wav" "$tmp/g45d.wav" 0.35
    finish "$tmp/godzina.wav" 1.4 "$tmp/g1.wav" "$tmp/g2.wav" "$tmp/g3.wav" "$tmp/g45d.wav"
    encode "$tmp/godzina.wav" "$out/Godziny/Godzina.mp3"
    echo "data/Godziny/Godzina.mp3"

    # Ping: a single high A6 with a quick decay.
    tone "$tmp/p1.wav" 1760.00 0.50 1.2 0.5
    tone "$tmp/p2.wav" 3520.00 0.10 0.6 0.5
    tone "$tmp/p3.wav" 5280.00 0.03 0.5 0.5
    finish "$tmp/ping.wav" 0.5 "$tmp/p1.wav" "$tmp/p2.wav" "$tmp/p3.wav"
    encode "$tmp/ping.wav" "$out/Godziny/Ping.mp3"
    echo "data/Godziny/Ping.mp3"

    # Poczta: G5 then C6 0.18 s later, soft and rising.
    tone "$tmp/m1.wav" 783.99 0.45 2.5 0.9
    tone "$tmp/m2.wav" 1567.98 0.08 1.5 0.9
    tone "$tmp/m3.wav" 1046.50 0.45 2.5 0.72
    tone "$tmp/m4.wav" 2093.00 0.08 1.5 0.72
    sox -R -m "$tmp/m3.wav" "$tmp/m4.wav" "$tmp/m34.wav"
    delay "$tmp/m34.wav" "$tmp/m34d.wav" 0.18
    finish "$tmp/poczta.wav" 0.9 "$tmp/m1.wav" "$tmp/m2.wav" "$tmp/m34d.wav"
    encode "$tmp/poczta.wav" "$out/Godziny/Poczta.mp3"
    echo "data/Godziny/Poczta.mp3"
}

mkdir -p "$out"
if [ "$do_text" = 1 ]; then make_text; fi
if [ "$do_sounds" = 1 ]; then make_sounds; fi
