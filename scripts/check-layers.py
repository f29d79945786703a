#!/usr/bin/env python3
"""Checks the layer rule of Lumor's sources (see HACKING.md).

- A file of the core (src/<subsystem>/) includes only core headers and no Qt header.
- A file of the gui layer (src/<subsystem>/gui/) includes core and gui headers and Qt headers
  other than Qt Widgets'.
- A file of the ui layer (src/<subsystem>/ui/) includes anything but lumor-cli's headers.
- lumor-cli (src/cli/) includes core, gui and its own headers, never a window's.
- A window's form (src/<subsystem>/ui/<name>.ui) belongs to the ui layer: only ui files include
  its ui_<name>.h, and the headers of its promoted widgets count as the form's includes.
- Subsystems stand in the order of SUBSYSTEMS (HACKING.md's table): each includes only itself
  and those before it.
- Folders do not include each other in a circle: neither single folders (app, app/ui, ...)
  nor whole subsystems (app with app/ui, ...).
- <windows.h> is included by no header and by no file that includes the component library's
  headers: its macro LoadLibrary would rename ComponentLibrary::LoadLibrary there.
- With --binary FILE: that program does not link Qt Widgets.

Prints every breach and exits 1 when there is one.
"""
import argparse
import os
import re
import subprocess
import sys

LAYERS = {"core": 0, "gui": 1, "ui": 2}
# The subsystems below src/ in their order; a new one gets its place here and in HACKING.md.
SUBSYSTEMS = ["text", "platform", "route", "library", "eval", "assignment", "report", "app", "cli"]
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)
FORM_HEADER = re.compile(r"<header>([^<]+)</header>")


def layer_of(folder):
    """The layer of a folder below src/: 'cli', 'core', 'gui' or 'ui'."""
    parts = folder.split("/")
    if parts[0] == "cli":
        return "cli"
    if len(parts) > 1 and parts[-1] in ("gui", "ui"):
        return parts[-1]
    return "core"


def widget_headers():
    """Names of Qt Widgets' headers (QDialog, QtWidgets/QDialog, ...)."""
    names = {"QtWidgets", "QApplication", "QWidget", "QDialog", "QMessageBox", "QFileDialog",
             "QLabel", "QLineEdit", "QPushButton", "QToolButton", "QToolBar", "QComboBox",
             "QTableView", "QStatusBar", "QGroupBox", "QFrame", "QPlainTextEdit", "QAction"}
    for base in ("/usr/include/x86_64-linux-gnu/qt6/QtWidgets", "/usr/include/qt6/QtWidgets"):
        if os.path.isdir(base):
            names |= {n for n in os.listdir(base) if n.startswith("Q") and "." not in n}
    return names


def find_cycles(edges):
    """The strongly connected components of more than one node (Tarjan)."""
    index, low, stack, on_stack, result = {}, {}, [], set(), []
    counter = [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on_stack.add(v)
        for w in sorted(edges.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on_stack:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            component = []
            while True:
                w = stack.pop()
                on_stack.discard(w)
                component.append(w)
                if w == v:
                    break
            if len(component) > 1:
                result.append(sorted(component))

    for v in sorted(edges):
        if v not in index:
            visit(v)
    return result


def check_sources(src):
    problems = []
    widgets = widget_headers()
    folder_edges, subsystem_edges = {}, {}
    evidence = {}
    for root, _, files in os.walk(src):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp", ".ui")):
                continue
            path = os.path.join(root, name)
            folder = os.path.relpath(root, src).replace(os.sep, "/")
            layer = layer_of(folder)
            rel = os.path.relpath(path, src).replace(os.sep, "/")
            with open(path, encoding="utf-8") as f:
                text = f.read()
            # A form includes the headers of its promoted widgets.
            includes = [('"', h) for h in FORM_HEADER.findall(text)] if name.endswith(".ui") else INCLUDE.findall(text)
            if name.endswith(".ui") and layer != "ui":
                problems.append(f"{rel}: a form outside the ui layer")
            if ("<", "windows.h") in includes:
                if name.endswith(".h"):
                    problems.append(f"{rel}: a header includes <windows.h>")
                for _, target in includes:
                    if target.startswith("library/"):
                        problems.append(f'{rel}: includes <windows.h> and "{target}"')
            for kind, target in includes:
                if kind == "<":
                    qt = target.split("/")[0]
                    if re.match(r"^Q[A-Za-z]", qt):
                        if layer == "core":
                            problems.append(f"{rel}: the core includes the Qt header <{target}>")
                        elif layer in ("gui", "cli") and (qt in widgets or target.split("/")[-1] in widgets):
                            problems.append(f"{rel}: the {layer} layer includes the Qt Widgets header <{target}>")
                    continue
                form = re.fullmatch(r"ui_(\w+)\.h", target)
                if form and os.path.exists(os.path.join(root, form.group(1) + ".ui")):
                    # A window's form, generated from the .ui beside it: the ui layer only.
                    if layer != "ui":
                        problems.append(f'{rel}: the {layer} layer includes the form "{target}"')
                    continue
                target_folder = os.path.dirname(target)
                if not os.path.exists(os.path.join(src, target)):
                    problems.append(f'{rel}: includes "{target}", which is no header of src/')
                    continue
                target_layer = layer_of(target_folder)
                if layer == "cli":
                    allowed = target_layer in ("core", "gui", "cli")
                else:
                    allowed = target_layer != "cli" and LAYERS[target_layer] <= LAYERS[layer]
                if not allowed:
                    problems.append(f'{rel}: the {layer} layer includes "{target}" of the {target_layer} layer')
                if target_folder != folder:
                    folder_edges.setdefault(folder, set()).add(target_folder)
                    evidence.setdefault((folder, target_folder), rel + ' -> "' + target + '"')
                a, b = folder.split("/")[0], target_folder.split("/")[0]
                if a not in SUBSYSTEMS or b not in SUBSYSTEMS:
                    problems.append(f'{rel}: "{a if a not in SUBSYSTEMS else b}" is no subsystem of SUBSYSTEMS')
                elif SUBSYSTEMS.index(b) > SUBSYSTEMS.index(a):
                    problems.append(f'{rel}: the subsystem {a} includes "{target}" of {b}, which stands after it')
                if a != b:
                    subsystem_edges.setdefault(a, set()).add(b)
                    evidence.setdefault((a, b), rel + ' -> "' + target + '"')
    for what, edges in (("folders", folder_edges), ("subsystems", subsystem_edges)):
        for cycle in find_cycles(edges):
            links = [evidence[(a, b)] for a in cycle for b in sorted(edges.get(a, ())) if b in cycle]
            problems.append(f"{what} include each other in a circle: {', '.join(cycle)}\n    " + "\n    ".join(links))
    return problems


def check_binary(path):
    try:
        out = subprocess.run(["readelf", "-d", path], capture_output=True, text=True, check=True).stdout
    except (OSError, subprocess.CalledProcessError) as e:
        return [f"{path}: cannot read its dynamic section ({e})"]
    if "libQt6Widgets" in out:
        return [f"{path} links Qt Widgets"]
    return []


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--src", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src"))
    parser.add_argument("--binary", action="append", default=[], help="a program that must not link Qt Widgets")
    args = parser.parse_args()
    problems = check_sources(os.path.normpath(args.src))
    for b in args.binary:
        problems += check_binary(b)
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} breach(es) of the layer rule")
        return 1
    print("layers: no breach")
    return 0


if __name__ == "__main__":
    sys.exit(main())
