#!/usr/bin/env bash
# Runs our benchmarks beside the tools people would use instead, on the same
# inputs in the same run, and prints one table of ratios (ours / theirs:
# below 1 is faster). A reference tool that is not installed leaves its row
# out and says so.
#
#   bench/compare.sh [--idle] [BUILD_DIR]
#
# --idle also measures the idle cost (tools/measure/idle-cost, 20 s a case)
# beside a bare Qt window with the same scroll and an idle conky.
set -euo pipefail
cd "$(dirname "$0")/.."
idle=0
if [ "${1:-}" = "--idle" ]; then
  idle=1
  shift
fi
build=${1:-build}
bench=$build/bench
[ -x "$bench/bench_archive" ] || { echo "compare.sh: no benchmarks in $bench (build with -DZORVEX_BUILD_BENCH=ON)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Median of three repetitions, as JSON.
run() {
  local prog=$1 filter=$2
  "$bench/$prog" --benchmark_filter="$filter" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_format=json >"$work/$prog.json" 2>/dev/null
}

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export ZORVEX_AUDIO_SINK=fakesink
run bench_archive 'BM_(ArchiveCreate|ZlibCompress|ArchiveExtract|ZlibDecompress)/2'
run bench_tags 'BM_(ZorvexId3|TagLibId3)'
run bench_playlist 'BM_(ZorvexAddFolder|TagLibAddFolder)'
mkdir -p "$work/mp3"
ZORVEX_BENCH_MP3_DIR="$work/mp3" run bench_mp3length 'BM_(ParseLengths/1|LibraryOpen)$'
run bench_discs 'BM_(ScanImageFolders|BaselineDirIterator)'

# The resampler against ImageMagick on one 4000 x 3000 picture. ImageMagick
# reads its own memory-mapped format, and its start-up and read are taken
# off by timing the same command without the resize.
magick=""
for c in /usr/bin/convert convert; do
  if command -v "$c" >/dev/null 2>&1 && "$c" -version 2>/dev/null | grep -q ImageMagick; then
    magick=$(command -v "$c")
    break
  fi
done
if [ -n "$magick" ]; then
  mkdir -p "$work/pictures"
  "$magick" -size 4000x3000 gradient:navy-orange -attenuate 0.3 +noise Gaussian "$work/pictures/p.jpg"
  "$magick" "$work/pictures/p.jpg" "$work/p.mpc"
  ZORVEX_BENCH_PICTURES="$work/pictures" run bench_wallpaper 'BM_ResampleOneLanczos3'
fi

python3 - "$work" "$magick" <<'EOF'
import glob, json, os, shutil, subprocess, sys, time

work, magick = sys.argv[1], sys.argv[2]
MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1000.0}


def median(prog, name):
    path = os.path.join(work, prog + ".json")
    if not os.path.exists(path):
        return None
    for b in json.load(open(path)).get("benchmarks", []):
        run = b.get("run_name", "")
        # Options such as real time or a fixed iteration count extend the name.
        if (run == name or run.startswith(name + "/")) and b.get("aggregate_name") == "median":
            return b["real_time"] * MS[b["time_unit"]]
    return None


def timed(cmd, runs=5):
    best = []
    for _ in range(runs):
        t = time.perf_counter()
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        best.append((time.perf_counter() - t) * 1000)
    best.sort()
    return best[len(best) // 2]


rows = [
    ("package archive, pack (zlib level 2)", "zlib compress2", median("bench_archive", "BM_ArchiveCreate/2"),
     median("bench_archive", "BM_ZlibCompress/2")),
    ("package archive, unpack", "zlib uncompress", median("bench_archive", "BM_ArchiveExtract/2"),
     median("bench_archive", "BM_ZlibDecompress/2")),
    ("ID3 tags of a folder", "TagLib", median("bench_tags", "BM_ZorvexId3"), median("bench_tags", "BM_TagLibId3")),
    ("10,000 files with titles and lengths", "TagLib", median("bench_playlist", "BM_ZorvexAddFolder"),
     median("bench_playlist", "BM_TagLibAddFolder")),
    ("disc image search, 20,000 files", "QDirIterator listing", median("bench_discs", "BM_ScanImageFolders"),
     median("bench_discs", "BM_BaselineDirIterator")),
]
# GStreamer's discoverer on the same files: its start-up (registry, plugins)
# is taken off by timing one file alone.
discoverer = shutil.which("gst-discoverer-1.0")
mp3s = sorted(glob.glob(os.path.join(work, "mp3", "*.mp3")))
if discoverer and len(mp3s) > 1:
    every = timed([discoverer] + mp3s, runs=3)
    one = timed([discoverer, mp3s[0]], runs=3)
    rows.insert(4, ("lengths of a folder of VBR MP3 files", "gst-discoverer-1.0",
                    median("bench_mp3length", "BM_ParseLengths/1"),
                    max(every - one, 0.001) * len(mp3s) / (len(mp3s) - 1)))
else:
    # Without the discoverer: opening each file through GStreamer as the
    # player does (which itself reads MP3 lengths without decoding).
    rows.insert(4, ("lengths of a folder of VBR MP3 files", "player's GStreamer open",
                    median("bench_mp3length", "BM_ParseLengths/1"), median("bench_mp3length", "BM_LibraryOpen")))
if magick:
    mpc = os.path.join(work, "p.mpc")
    resize = timed([magick, mpc, "-filter", "Lanczos", "-resize", "480x270!", "null:"])
    read = timed([magick, mpc, "null:"])
    rows.append(("Lanczos resample 4000x3000 to 480x270", "ImageMagick -resize",
                 median("bench_wallpaper", "BM_ResampleOneLanczos3"), max(resize - read, 0.001)))

print(f"{'what':52} {'reference':22} {'ours ms':>10} {'theirs ms':>10} {'ratio':>7}")
for what, ref, ours, theirs in rows:
    if ours is None or theirs is None:
        print(f"{what:52} {ref:22} {'-':>10} {'-':>10} {'-':>7}  (not measured)")
        continue
    ratio = ours / theirs
    print(f"{what:52} {ref:22} {ours:10.2f} {theirs:10.2f} " + (f"{ratio:7.2f}" if ratio >= 0.1 else f"{ratio:7.4f}"))
if not magick:
    print("ImageMagick is not installed: the resampler row is left out")
if not discoverer:
    print("gst-discoverer-1.0 is not installed (gstreamer1.0-plugins-base-apps): its lengths row is left out")
EOF

if [ $idle = 1 ]; then
  echo
  echo "idle cost, % of one core, beside bare Qt windows with the same scroll:"
  tools/measure/idle-cost --seconds 20 --rounds 1 "$build/src/zorvex"
fi
