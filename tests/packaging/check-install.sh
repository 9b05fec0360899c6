#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what the desktop
# reads of it: the launcher, the AppStream entry, the package types, the
# icons and the manual page; then starts the installed program from there,
# which must find its libraries and data relative to itself.
#   check-install.sh BUILD_DIR
set -euo pipefail
build=${1:?build folder}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "check-install: $*" >&2; exit 1; }

share="$prefix/share"
for f in applications/zorvex.desktop mime/packages/zorvex.xml metainfo/io.github.zorvex.Zorvex.metainfo.xml \
         man/man1/zorvex.1 icons/hicolor/scalable/apps/zorvex.svg zorvex/Imieniny.ini; do
  [ -f "$share/$f" ] || fail "missing $f"
done
for size in 16 22 24 32 48 64 128 256; do
  f="$share/icons/hicolor/${size}x${size}/apps/zorvex.png"
  [ -f "$f" ] || fail "missing the ${size} px icon"
  python3 - "$f" "$size" <<'PY' || fail "the ${size} px icon has another size"
import struct, sys
with open(sys.argv[1], "rb") as f:
    head = f.read(24)
w, h = struct.unpack(">II", head[16:24])
sys.exit(0 if head[:8] == b"\x89PNG\r\n\x1a\n" and w == h == int(sys.argv[2]) else 1)
PY
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$share/applications/zorvex.desktop" || fail "the launcher does not validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$share/metainfo/io.github.zorvex.Zorvex.metainfo.xml" >/dev/null \
    || fail "the AppStream entry does not validate"
fi
if command -v man >/dev/null; then
  man -l "$share/man/man1/zorvex.1" 2>&1 >/dev/null | grep -q . && fail "the manual page has errors"
fi

# Moved elsewhere, the copy still runs on its own libraries and data.
mv "$prefix" "$tmp/moved"
out=$(env -u ZORVEX_DATA_DIR XDG_DATA_HOME="$tmp/home" "$tmp/moved/bin/zorvex" --print today --date 2025-06-24) \
  || fail "the moved program did not run"
case "$out" in
  *Imieniny:*) ;;
  *) fail "the moved program did not find its data: $out" ;;
esac
"$tmp/moved/bin/zorvex" --version >/dev/null || fail "--version failed"
echo "check-install: ok"
