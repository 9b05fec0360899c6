#!/usr/bin/env python3
"""Checks that the code depends one way only.

Layers: a core file includes neither Qt Gui nor Qt Widgets nor a platform,
ui or app header; a platform file no ui or app header; a ui file no app
header. Subsystems: within a layer, the include graph between the folders
below it (core/app, core/calendar, ...) has no cycle.

Prints every offending include and every cycle, and exits 1 if it found
any. Usage: layers.py SOURCE_ROOT
"""
import os
import re
import sys

LAYERS = ["core", "platform", "ui", "app"]
# What each layer may not include: a project folder, or a Qt module.
FORBIDDEN = {
    "core": (("platform/", "ui/", "app/"), ("QtGui", "QtWidgets", "QtNetwork", "QtDBus")),
    "platform": (("ui/", "app/"), ("QtWidgets",)),
    "ui": (("app/",), ()),
    "app": ((), ()),
}
# Qt headers of the Gui and Widgets modules are named <QWidget>, <QPainter>,
# ...: the module's own list decides, read from the Qt include folder when
# it can be found, else a short list of the usual ones.
USUAL_GUI = {"QColor", "QFont", "QFontMetrics", "QGuiApplication", "QIcon", "QImage", "QPainter",
             "QPixmap", "QScreen", "QWindow", "QCursor", "QPalette"}
USUAL_WIDGETS = {"QApplication", "QWidget", "QLabel", "QMenu", "QMessageBox", "QDialog", "QPushButton"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def qt_module_headers():
    found = {}
    for base in ("/usr/include/x86_64-linux-gnu/qt6", "/usr/include/qt6", "/usr/include/aarch64-linux-gnu/qt6"):
        for module in ("QtGui", "QtWidgets", "QtNetwork", "QtDBus"):
            folder = os.path.join(base, module)
            if os.path.isdir(folder):
                found.setdefault(module, set()).update(n for n in os.listdir(folder) if not n.endswith(".h"))
    found.setdefault("QtGui", set()).update(USUAL_GUI)
    found.setdefault("QtWidgets", set()).update(USUAL_WIDGETS)
    return found


def sources(root):
    src = os.path.join(root, "src")
    for layer in LAYERS:
        top = os.path.join(src, layer)
        for folder, _, names in os.walk(top):
            for name in sorted(names):
                if name.endswith((".h", ".cpp")):
                    path = os.path.join(folder, name)
                    yield layer, os.path.relpath(path, src), path


def subsystem(relpath):
    parts = relpath.split("/")
    return "/".join(parts[:2]) if len(parts) > 2 else parts[0]


def find_cycles(graph):
    """Every elementary cycle's nodes, found by a depth-first search (the graph is small)."""
    cycles, seen = [], set()

    def visit(node, path, on_path):
        for nxt in sorted(graph.get(node, ())):
            if nxt in on_path:
                cycle = path[path.index(nxt):]
                key = frozenset(cycle)
                if key not in seen:
                    seen.add(key)
                    cycles.append(cycle + [nxt])
            elif len(path) < len(graph) + 1:
                visit(nxt, path + [nxt], on_path | {nxt})

    for start in sorted(graph):
        visit(start, [start], {start})
    return cycles


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    qt = qt_module_headers()
    problems = []
    graph = {}
    for layer, rel, path in sources(root):
        banned_folders, banned_modules = FORBIDDEN[layer]
        with open(path, encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                quote, target = m.groups()
                where = "src/%s:%d" % (rel, number)
                if quote == '"':
                    if target.startswith(banned_folders):
                        problems.append("%s: a %s file includes \"%s\"" % (where, layer, target))
                    elif target.split("/")[0] == layer and target.count("/") >= 1:
                        a, b = subsystem(rel), subsystem(target)
                        if a != b:
                            graph.setdefault(a, set()).add(b)
                    continue
                module = target.split("/")[0] if "/" in target else None
                for banned in banned_modules:
                    if module == banned or (module is None and target in qt.get(banned, ())):
                        problems.append("%s: a %s file includes <%s> (%s)" % (where, layer, target, banned))
    for cycle in find_cycles(graph):
        problems.append("include cycle: " + " -> ".join(cycle))
    for p in problems:
        print(p)
    if problems:
        return 1
    print("layers and subsystems depend one way only (%d subsystems)" % len(graph))
    return 0


if __name__ == "__main__":
    sys.exit(main())
