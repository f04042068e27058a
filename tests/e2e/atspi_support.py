"""Screen readers' view of the program: the AT-SPI tree read headless.

The test's private session bus gets at-spi2-core's bus launcher; the program
starts with Qt's accessibility switched on. The tree is read, and actions are
done, by this file run as a separate process on that bus, so the test process
itself never loads Atspi. Run directly: `atspi_support.py tree PID` prints the
program's tree as JSON, `atspi_support.py do PID PATH` does the first action
of the node at that path (child indices, as JSON), and
`atspi_support.py events PID SECONDS` lists the change events the program
sends meanwhile.
"""

import json
import os
import subprocess
import sys

import dbus_support
import harness

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


class ScreenReaderBus:
    """The session's bus with the accessibility bus on it."""

    def __init__(self, session):
        self.session = session
        self.bus = dbus_support.PrivateBus(session)
        session.spawn([LAUNCHER, "--launch-immediately"], stdout=subprocess.DEVNULL,
                      stderr=subprocess.DEVNULL)
        harness.wait_until(lambda: self.bus.owned("org.a11y.Bus"), 15, what="AT-SPI bus")
        # Qt takes part only where asked to; AT_SPI_BUS_ADDRESS is left unset, with
        # it the program never shows in the registry.
        self.program_env = {"QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"}

    def _call(self, *args):
        r = self.session.run(["/usr/bin/python3", "-B", os.path.abspath(__file__)] +
                             [str(a) for a in args], check=False, timeout=60)
        if r.returncode != 0:
            raise AssertionError("AT-SPI reader failed: " + r.stderr)
        return json.loads(r.stdout)

    def tree(self, pid):
        """The program's nodes, each with its window and path, flat; empty
        while the program is not in the registry."""
        return self._call("tree", pid)

    def wait_node(self, pid, predicate, what, timeout=20):
        """The first node the predicate accepts, once there is one."""
        return harness.wait_until(
            lambda: next((n for n in self.tree(pid) if predicate(n)), None), timeout,
            interval=0.3, what=what)

    def do(self, pid, node):
        """Does the first action of a node of the tree; whether it was done."""
        return self._call("do", pid, json.dumps(node["path"]))

    def events(self, pid, seconds):
        """The change events the program sends in that time, as (type, name
        of the node) pairs."""
        return self._call("events", pid, seconds)


# -- the reader, in its own process ------------------------------------------
def _nodes(app):
    from gi.repository import Atspi
    out = []

    def walk(node, window, path):
        role = node.get_role_name()
        if path and len(path) == 1:
            window = node.get_name()
        states = node.get_state_set()
        entry = {"window": window, "path": path, "role": role, "name": node.get_name(),
                 "description": node.get_description(),
                 "focusable": states.contains(Atspi.StateType.FOCUSABLE),
                 "focused": states.contains(Atspi.StateType.FOCUSED),
                 "showing": states.contains(Atspi.StateType.SHOWING)}
        interfaces = node.get_interfaces()
        if "Action" in interfaces:
            entry["actions"] = [node.get_action_name(i) for i in range(node.get_n_actions())]
        if "Text" in interfaces:
            entry["text"] = node.get_text(0, node.get_character_count())
        out.append(entry)
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is not None:
                walk(child, window, path + [i])
    walk(app, None, [])
    return out


def _app(pid):
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def _main(argv):
    command, pid = argv[1], int(argv[2])
    app = _app(pid)
    if command == "tree":
        print(json.dumps(_nodes(app) if app else []))
        return
    from gi.repository import Atspi, GLib
    if command == "events":
        seen = []

        def heard(event):
            source = event.source
            if source is not None and source.get_process_id() == pid:
                seen.append((event.type, source.get_name()))
        listener = Atspi.EventListener.new(heard)
        for kind in ("object:property-change:accessible-name", "object:text-changed",
                     "object:property-change:accessible-value",
                     "object:property-change:accessible-description"):
            listener.register(kind)
        GLib.timeout_add(int(float(argv[3]) * 1000), Atspi.event_quit)
        Atspi.event_main()
        print(json.dumps(seen))
        return
    node = app
    for i in json.loads(argv[3]):
        node = node.get_child_at_index(i)
    print(json.dumps(node.do_action(0)))


if __name__ == "__main__":
    _main(sys.argv)
