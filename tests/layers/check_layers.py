"""The product's folders include one another one way only: no folder includes
one of a higher layer, the folder graph has no cycle, only platform/ sees
the desktop's libraries, and core/ names no window. Run by ctest with the
source directory as argument."""

import os
import re
import sys

# Lower numbers are lower layers; folders of one layer may include each other
# as long as no cycle forms.
LAYERS = {
    "platform": 0,
    "core": 1,
    "controls": 2,
    "skin": 3, "keys": 3, "alarm": 3, "about": 3, "menu": 3, "clock": 3,
    "app": 4,
}
NOT_PRODUCT = {"tests", "tools", "bench", "build", "docs", "assets", "cmake"}
SYSTEM_ONLY_IN_PLATFORM = re.compile(r"#\s*include\s*<(X11/|pulse/|sndfile|dbus/|QtDBus|QDBus)")
LOCAL = re.compile(r'#\s*include\s*"([^/"]+)/')
# Window types in the display-free core: Qt's widget classes and every class
# of ours made from one of them.
QT_WIDGETS = {"QWidget", "QDialog", "QMainWindow", "QFrame", "QLabel", "QLineEdit", "QMenu",
              "QListWidget", "QScrollBar", "QPushButton"}
DERIVED = re.compile(r"\bclass\s+(\w+)\s*(?:final\s*)?:\s*public\s+(\w+)")
COMMENT = re.compile(r"//[^\n]*|/\*.*?\*/", re.S)
DISPLAY_FREE = {"core"}


def folder_graph(root):
    """{folder: {included folder: first file that does it}}, and findings."""
    graph, findings = {}, []
    for top in sorted(os.listdir(root)):
        path = os.path.join(root, top)
        if top.startswith(".") or top in NOT_PRODUCT or not os.path.isdir(path):
            continue
        if top not in LAYERS:
            findings.append("%s/ has no layer: add it to LAYERS" % top)
            continue
        edges = graph.setdefault(top, {})
        for dirpath, _, files in os.walk(path):
            for name in files:
                if not name.endswith((".h", ".cpp")):
                    continue
                file = os.path.join(dirpath, name)
                rel = os.path.relpath(file, root)
                with open(file, encoding="utf-8") as f:
                    for line in f:
                        m = LOCAL.match(line.strip())
                        if m and m.group(1) != top and m.group(1) in LAYERS:
                            edges.setdefault(m.group(1), rel)
                        if top != "platform" and SYSTEM_ONLY_IN_PLATFORM.match(line.strip()):
                            findings.append("%s includes a desktop library: %s"
                                            % (rel, line.strip()))
    return graph, findings


def cycle(graph):
    """One cycle as a list of folders, or None."""
    state, stack = {}, []

    def visit(node):
        state[node] = "open"
        stack.append(node)
        for nxt in sorted(graph.get(node, {})):
            if state.get(nxt) == "open":
                return stack[stack.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt)
                if found:
                    return found
        stack.pop()
        state[node] = "done"
        return None

    for node in sorted(graph):
        if node not in state:
            found = visit(node)
            if found:
                return found
    return None


def product_sources(root):
    for top in sorted(os.listdir(root)):
        if top in LAYERS and os.path.isdir(os.path.join(root, top)):
            for dirpath, _, files in os.walk(os.path.join(root, top)):
                for name in sorted(files):
                    if name.endswith((".h", ".cpp")):
                        path = os.path.join(dirpath, name)
                        with open(path, encoding="utf-8") as f:
                            yield top, os.path.relpath(path, root), COMMENT.sub("", f.read())


def windows_named(root):
    """Files of the display-free folders whose code names a window type."""
    sources = list(product_sources(root))
    widgets = set(QT_WIDGETS)
    for _, _, code in sources:
        widgets.update(name for name, base in DERIVED.findall(code) if base in QT_WIDGETS)
    named = re.compile(r"\b(?:%s)\b" % "|".join(sorted(widgets)))
    findings = []
    for top, rel, code in sources:
        found = named.search(code) if top in DISPLAY_FREE else None
        if found:
            findings.append("%s names the window type %s" % (rel, found.group(0)))
    return findings


def check(root):
    graph, findings = folder_graph(root)
    findings += windows_named(root)
    for folder, edges in sorted(graph.items()):
        for target, file in sorted(edges.items()):
            if LAYERS[target] > LAYERS[folder]:
                findings.append("%s includes %s/, a higher layer" % (file, target))
    found = cycle(graph)
    if found:
        findings.append("cycle: " + " -> ".join(found))
    return findings


if __name__ == "__main__":
    problems = check(sys.argv[1] if len(sys.argv) > 1 else ".")
    for p in problems:
        print(p)
    sys.exit(1 if problems else 0)
