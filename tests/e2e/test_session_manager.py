"""The session manager (XSMP over ICE): a deaf or stopped one costs the start
at most about a second; one that dies leaves the clock running; its "die"
ends the clock with the settings saved."""

import os
import select
import signal
import socket
import subprocess
import threading
import time

import harness
import menu_support as ms

FAKE = os.path.join(harness.BUILD_DIR, "fake_session_manager")
ORIGIN = (100, 50)
VALUES = {"X": "1500", "Y": "750"}


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class SessionManagerTest(harness.E2ETest):
    def manager(self, *args):
        proc = self.session.spawn([FAKE] + list(args), stdout=subprocess.PIPE, text=True)
        self.addCleanup(proc.stdout.close)
        line = proc.stdout.readline().strip()
        self.assertTrue(line.startswith("SESSION_MANAGER="), line)
        return proc, line.split("=", 1)[1]

    def deaf(self):
        path = os.path.join(self.session.tmp, "ice-deaf-%d" % time.monotonic_ns())
        harness.unix_listener(self, path)
        # libICE connects only where the host is this one.
        host = socket.gethostname()
        return "local/%s:%s,unix/%s:%s" % (host, path, host, path), None

    def stopped(self):
        proc, ids = self.manager()
        os.kill(proc.pid, signal.SIGSTOP)
        self.addCleanup(os.kill, proc.pid, signal.SIGCONT)
        return ids, None

    def greets_then_stalls(self):
        name = "glimmora-ice-stall-%d" % time.monotonic_ns()
        server = harness.unix_listener(self, "\0" + name)  # abstract: "@name"
        held = []  # each sent ICE's byte-order message, then nothing
        threading.Thread(target=lambda: [held.append(server.accept()[0]) or
                                         held[-1].sendall(bytes(8)) for _ in range(9)],
                         daemon=True).start()
        return "local/%s:@%s" % (socket.gethostname(), name), None

    def reached_by(self, how):
        proc, ids = self.manager()
        host, path = next(i for i in ids.split(",") if i.startswith("unix/"))[5:].split(":", 1)
        if how == "deaf":
            return self.deaf()[0] + "," + ids, proc
        # The abstract name alone, or a file name no abstract socket has.
        os.unlink(path) if how == "@" else os.link(path, path + how)
        return "local/%s:%s" % (host, "@" + path if how == "@" else path + how), proc

    def start_with(self, ids):
        program = harness.ProgramDir(self.session)
        program.write_ini(VALUES)
        started = time.monotonic()
        app = harness.Glimmora(self.session, program, env={"SESSION_MANAGER": ids})
        app.window(timeout=2)
        self.assertLess(time.monotonic() - started, 2.0)
        return program, app

    def test_deaf_or_stopped_costs_no_start(self):
        face = ms.BuiltinFace()
        for name, prepare in [("accepts, never answers", self.deaf),
                              ("stopped", self.stopped),
                              ("greets, then stalls", self.greets_then_stalls),
                              ("a deaf id before a live one", lambda: self.reached_by("deaf")),
                              ("abstract socket only", lambda: self.reached_by("@")),
                              ("socket file only", lambda: self.reached_by("file"))]:
            with self.subTest(name):
                ids, manager = prepare()
                _, app = self.start_with(ids)
                if manager:
                    self.assertTrue(select.select([manager.stdout], [], [], 5)[0], "not joined")
                    self.assertEqual(manager.stdout.readline().strip(), "registered")
                harness.wait_until(lambda: face.shows_time(self.session, ORIGIN), 5,
                                   what="time shown")
                app.proc.kill()
                app.wait_exit()

    def test_manager_dies_clock_runs_on(self):
        face = ms.BuiltinFace()
        manager, ids = self.manager()
        _, app = self.start_with(ids)
        self.assertEqual(manager.stdout.readline().strip(), "registered")
        manager.kill()
        manager.wait()
        gone = time.monotonic()
        cpu = cpu_seconds(app.proc.pid)
        # Two more seconds shown after the manager went.
        shown = set()

        def two_more_seconds():
            if face.shows_time(self.session, ORIGIN):
                shown.add(int(time.time()))
            return len(shown) >= 2 and time.monotonic() - gone > 1.5
        harness.wait_until(two_more_seconds, 10, what="the clock going on")
        self.assertTrue(app.alive())
        self.assertLess(cpu_seconds(app.proc.pid) - cpu, 0.1 * (time.monotonic() - gone),
                        "busy with the dead connection")
        app.proc.terminate()
        self.assertEqual(app.wait_exit(), 0)

    def test_die_ends_the_clock_saved(self):
        manager, ids = self.manager("die")
        program, app = self.start_with(ids)
        self.assertEqual(manager.stdout.readline().strip(), "registered")
        self.assertEqual(app.wait_exit(), 0)
        self.assertEqual(program.setting("X"), "1500")
        self.assertIsNotNone(program.setting("Saver"), "settings not saved")


if __name__ == "__main__":
    harness.main()
