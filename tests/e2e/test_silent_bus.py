"""A session bus that never answers, or whose daemon is gone, costs the start
at most about a second, also with the saver mode on; a healthy bus is still
used (Qt's accessibility bridge connects to it)."""

import os
import signal
import socket
import struct
import threading
import time

import dbus_support as ds
import harness
import menu_support as ms

ORIGIN = (100, 50)
VALUES = {"X": "1500", "Y": "750", "Saver": "1", "ShowSaver": "1"}


def hello_reply(serial):  # ":1.1", little-endian
    fields = b"\x05\x01u\0" + serial + b"\x08\x01g\0\x01s\0"
    body = struct.pack("<I", 4) + b":1.1\0"
    return (b"l\x02\x00\x01" + struct.pack("<II", len(body), 2) + struct.pack("<I", len(fields))
            + fields + b"\0" + body)


class SilentBusTest(harness.E2ETest):
    def socket_file(self, listening):
        path = os.path.join(self.session.tmp, "bus-%d-%d" % (listening, time.monotonic_ns()))
        harness.unix_listener(self, path, listening)
        return "unix:path=" + path, None

    def tcp_listener(self):
        server = socket.socket()
        self.addCleanup(server.close)
        server.bind(("127.0.0.1", 0))
        server.listen(8)
        return server, "tcp:host=127.0.0.1,port=%d" % server.getsockname()[1]

    def tcp_deaf(self):
        return self.tcp_listener()[1], None

    def tcp_refused_then_unix_deaf(self):
        server, address = self.tcp_listener()
        server.close()
        return address + ";" + self.socket_file(True)[0], None

    def auth_then_silent(self, hello=False):
        """Takes every authentication and then never answers a call (but Hello)."""
        path = os.path.join(self.session.tmp, "bus-auth-%d" % hello)
        server = harness.unix_listener(self, path)
        address = "unix:path=" + path

        def serve(client):
            with client:
                pending = b""
                while True:
                    data = client.recv(4096)
                    if not data:
                        return
                    pending += data
                    while b"\r\n" in pending:
                        line, pending = pending.split(b"\r\n", 1)
                        line = line.lstrip(b"\0")
                        if line.startswith(b"AUTH"):
                            client.sendall(b"OK " + b"0" * 32 + b"\r\n")
                        elif line.startswith(b"NEGOTIATE_UNIX_FD"):
                            client.sendall(b"AGREE_UNIX_FD\r\n")
                        elif line.startswith(b"BEGIN") and hello:
                            while len(pending) < 12:
                                pending += client.recv(4096)
                            client.sendall(hello_reply(pending[8:12]))
                            while client.recv(4096):
                                pass

        def accept():
            while True:
                try:
                    client, _ = server.accept()
                except OSError:
                    return
                threading.Thread(target=serve, args=(client,), daemon=True).start()
        threading.Thread(target=accept, daemon=True).start()
        return address, None

    def healthy_bus(self):
        self.private = ds.PrivateBus(self.session)
        self.addCleanup(self.private.close)
        return self.session.env["DBUS_SESSION_BUS_ADDRESS"], self.private

    def deaf_user_bus(self):  # no address: libdbus takes the runtime folder's
        path = os.path.join(self.session.runtime, "bus")
        harness.unix_listener(self, path)
        self.addCleanup(os.unlink, path)
        return None, None

    def deaf_accessibility(self, bus):  # its bus, or its service owned by one that never reads
        if bus:
            self.extra["AT_SPI_BUS_ADDRESS"] = self.socket_file(True)[0]
        else:
            self.private.conn.request_name("org.a11y.Bus")
            self.addCleanup(self.private.conn.release_name, "org.a11y.Bus")
        return self.session.env["DBUS_SESSION_BUS_ADDRESS"], self.private

    def stopped_bus(self):
        daemon = next(p for p in self.session.procs if p.args[0] == "dbus-daemon")
        os.kill(daemon.pid, signal.SIGSTOP)
        self.addCleanup(os.kill, daemon.pid, signal.SIGCONT)
        return self.session.env["DBUS_SESSION_BUS_ADDRESS"], None

    def test_window_up_within_two_seconds(self):
        face = ms.BuiltinFace()
        # The stopped daemon is the healthy row's, stopped after it.
        for name, prepare in [("socket left, no daemon", lambda: self.socket_file(False)),
                              ("accepts, never answers", lambda: self.socket_file(True)),
                              ("TCP, accepts, never answers", self.tcp_deaf),
                              ("TCP refused, then a deaf socket", self.tcp_refused_then_unix_deaf),
                              ("authenticates, then silent", self.auth_then_silent),
                              ("answers Hello, then nothing", lambda: self.auth_then_silent(1)),
                              ("deaf bus in the runtime folder", self.deaf_user_bus),
                              ("healthy bus", self.healthy_bus),
                              ("accessibility bus deaf", lambda: self.deaf_accessibility(1)),
                              ("accessibility service hung", lambda: self.deaf_accessibility(0)),
                              ("daemon stopped", self.stopped_bus)]:
            with self.subTest(name):
                self.extra = {}
                address, healthy = prepare()
                program = harness.ProgramDir(self.session)
                program.write_ini(VALUES)
                started = time.monotonic()
                app = harness.Glimmora(self.session, program,
                                       env=dict(self.extra, DBUS_SESSION_BUS_ADDRESS=address))
                app.window(timeout=2)
                self.assertLess(time.monotonic() - started, 2.0)
                harness.wait_until(lambda: face.shows_time(self.session, ORIGIN), 5,
                                   what="time shown")
                if healthy:
                    harness.wait_until(lambda: healthy.connections_of(app.proc.pid), 5,
                                       what="a connection to the healthy bus")
                app.proc.kill()
                app.wait_exit()


if __name__ == "__main__":
    harness.main()
