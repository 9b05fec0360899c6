#!/bin/sh
# Generates the bundled "Lektor" chime set: a Polish voice announcing each
# hour, 01.mp3 … 24.mp3 (file 24 is played at midnight, so it says "północ").
# Needs espeak-ng (Polish voice) and lame. Run once from anywhere; the output
# is committed, so users never need either tool.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../../data/Godziny/Lektor"}
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

set -- pierwsza druga trzecia czwarta piąta szósta siódma ósma dziewiąta \
    dziesiąta jedenasta dwunasta trzynasta czternasta piętnasta szesnasta \
    siedemnasta osiemnasta dziewiętnasta dwudziesta "dwudziesta pierwsza" \
    "dwudziesta druga" "dwudziesta trzecia"

# say NAME TEXT: speaks TEXT into $out/NAME.mp3.
say() {
    espeak-ng -v pl -s 150 -w "$tmp/$1.wav" "$2"
    lame --quiet -b 24 -m m --resample 16 "$tmp/$1.wav" "$tmp/$1.mp3"
    mv "$tmp/$1.mp3" "$out/$1.mp3"
}

hour=1
for word in "$@"; do
    say "$(printf '%02d' "$hour")" "Godzina $word"
    hour=$((hour + 1))
done
say 24 "Północ"

printf '1.0\n' > "$tmp/Wersja.ini"
mv "$tmp/Wersja.ini" "$out/Wersja.ini"
