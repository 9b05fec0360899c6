#!/usr/bin/env python3
"""Rewrites the source lists of src/<layer>/CMakeLists.txt from the files on
disk, so an added or moved file needs no hand edit (and two branches that
both add files merge by running this again)."""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
for layer in ("core", "platform", "ui", "app"):
    folder = root / "src" / layer
    cmake = folder / "CMakeLists.txt"
    text = cmake.read_text()
    files = sorted(
        str(p.relative_to(folder))
        for p in folder.rglob("*")
        if p.suffix in (".cpp", ".h") and p.name != "main.cpp"
    )
    name = "ZORVEX_%s_SOURCES" % layer.upper()
    pattern = re.compile(r"set\(%s\n(.*?)\n\)" % name, re.S)
    if not pattern.search(text):
        sys.exit("%s: no set(%s ...) block" % (cmake, name))
    body = "\n".join("  " + f for f in files)
    text = pattern.sub(lambda m: "set(%s\n%s\n)" % (name, body), text, count=1)
    cmake.write_text(text)
