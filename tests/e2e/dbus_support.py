"""A private session bus for one test, and desktop services on it mocked by
python3-dbusmock, whose calls are read back through its Mock interface."""

import json
import os
import signal
import subprocess

import dbus

import harness

# No service directories: a desktop service installed here is never started.
CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>
<policy context="default"><allow send_destination="*" eavesdrop="true"/>
<allow eavesdrop="true"/><allow own="*"/></policy></busconfig>"""


class PrivateBus:
    """dbus-daemon of the test; its address goes to everything the session
    starts from now on (as the system bus with that variable)."""

    def __init__(self, session, variable="DBUS_SESSION_BUS_ADDRESS"):
        self.session = session
        config = os.path.join(session.tmp, "bus.conf")
        with open(config, "w") as f:
            f.write(CONFIG)
        socket = os.path.join(session.tmp, "bus-" + variable.split("_")[1].lower())
        session.env[variable] = "unix:path=" + socket
        session.spawn(["dbus-daemon", "--config-file=" + config, "--nofork", "--nopidfile",
                       "--address=unix:path=" + socket],
                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def connect():
            # The socket file exists a moment before the daemon listens on it.
            try:
                return dbus.bus.BusConnection("unix:path=" + socket)
            except dbus.exceptions.DBusException:
                return None
        self.conn = harness.wait_until(connect, 10, what="bus " + socket)
        self.bus = dbus.Interface(self.conn.get_object("org.freedesktop.DBus", "/"),
                                  "org.freedesktop.DBus")

    def close(self):
        self.conn.close()

    def owned(self, name):
        return bool(self.bus.NameHasOwner(name))

    def owner_pid(self, name):
        return int(self.bus.GetConnectionUnixProcessID(self.bus.GetNameOwner(name)))

    def connections_of(self, pid):
        return [n for n in self.bus.ListNames() if n.startswith(":") and
                self.bus.GetConnectionUnixProcessID(n) == pid]


class Mock:
    """dbusmock with a template module of ours; the service's name is taken
    once its methods are in place."""

    def __init__(self, bus, template, parameters=None):
        self.bus = bus
        self.name, self.path = template.BUS_NAME, template.MAIN_OBJ
        self.proc = bus.session.spawn(
            ["/usr/bin/python3", "-m", "dbusmock", "--session", "--template", template.__file__,
             "-p", json.dumps(parameters or {})],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Another mock may own the name until this one replaces it.
        harness.wait_until(lambda: bus.owned(self.name)
                           and bus.owner_pid(self.name) == self.proc.pid, 15,
                           what=self.name + " mocked")
        # Still reachable once another mock has taken the name over.
        self.owner = bus.bus.GetNameOwner(self.name)

    def calls(self, method, path=None):
        """The arguments of every call of `method`, oldest first."""
        mock = self.bus.conn.get_object(self.owner, path or self.path)
        return [list(args) for _, name, args in
                mock.GetCalls(dbus_interface="org.freedesktop.DBus.Mock") if name == method]

    def wait_calls(self, method, count, timeout=10, path=None):
        def enough():
            calls = self.calls(method, path)
            return calls if len(calls) >= count else None
        return harness.wait_until(enough, timeout, what="%d call(s) of %s" % (count, method))

    def emit(self, path, interface, name, signature, args):
        self.bus.conn.get_object(self.owner, path).EmitSignal(
            interface, name, signature, args, dbus_interface="org.freedesktop.DBus.Mock")

    def stop(self):
        os.killpg(self.proc.pid, signal.SIGTERM)
        self.proc.wait(10)
        harness.wait_until(lambda: not self.bus.owned(self.name), 10, what=self.name + " gone")
