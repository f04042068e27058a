"""End-to-end harness: the real program under its own virtual X display.

Every test gets its own Xvfb (display number chosen by the server), its own
runtime, home and config directories, optionally the openbox window manager
and a PulseAudio server with a null sink, and a fresh program directory with a
copy of build/glimmora. Everything started is stopped again, also on failure.
Waiting is done by polling with a deadline, never by fixed sleeps.
"""

import os
import shutil
import signal
import socket
import subprocess
import tempfile
import time
import unittest

BUILD_DIR = os.environ.get("GLIMMORA_BUILD_DIR", os.path.abspath("build"))
SOURCE_DIR = os.environ.get("GLIMMORA_SOURCE_DIR", os.path.abspath("."))
SECTION = "Marvane Glimmora"


def cached(name):
    """A value of the build tree's CMake cache."""
    with open(os.path.join(BUILD_DIR, "CMakeCache.txt"), encoding="utf-8") as f:
        for line in f:
            if line.startswith(name + ":"):
                return line.rstrip("\n").split("=", 1)[1]
    raise AssertionError(name + " is not in the cache")


def wait_until(predicate, timeout=10.0, interval=0.05, what="condition"):
    """Polls predicate until it returns a true value; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, what))
        time.sleep(interval)


class Image:
    """An RGB picture read from a binary PPM."""

    def __init__(self, data):
        parts = []
        pos = 0
        # Header: magic, width, height, maxval, separated by whitespace/comments.
        while len(parts) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos) + 1
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            parts.append(data[pos:end])
            pos = end
        if parts[0] != b"P6" or int(parts[3]) != 255:
            raise ValueError("not an 8-bit binary PPM")
        self.width = int(parts[1])
        self.height = int(parts[2])
        self.pixels = data[pos + 1:pos + 1 + self.width * self.height * 3]

    @classmethod
    def from_file(cls, path):
        out = subprocess.run(["convert", path, "-depth", "8", "ppm:-"],
                             check=True, stdout=subprocess.PIPE).stdout
        return cls(out)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def region(self, x, y, w, h):
        return [[self.pixel(x + i, y + j) for i in range(w)] for j in range(h)]


class Session:
    """A virtual X display with optional window manager and sound server."""

    def __init__(self, window_manager=False, sound=False, size="1280x1024x24"):
        self.tmp = tempfile.mkdtemp(prefix="glimmora-e2e-")
        self.runtime = os.path.join(self.tmp, "runtime")
        self.home = os.path.join(self.tmp, "home")
        os.makedirs(self.runtime, mode=0o700)
        os.makedirs(self.home)
        self.procs = []
        self.env = dict(os.environ)
        for var in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "PULSE_SERVER", "SESSION_MANAGER"):
            self.env.pop(var, None)
        self.env.update({
            "XDG_RUNTIME_DIR": self.runtime,
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "NO_AT_BRIDGE": "1",
            # No session bus unless a test starts its own: Qt would otherwise
            # launch one that outlives the test.
            "DBUS_SESSION_BUS_ADDRESS": "disabled:",
        })
        try:
            self._start_x(size)
            if window_manager:
                self.start_window_manager()
            if sound:
                self.start_sound()
        except BaseException:
            self.close()
            raise

    # -- processes ---------------------------------------------------------
    def spawn(self, args, env=None, **kw):
        p = subprocess.Popen(args, env=env or self.env, stdin=subprocess.DEVNULL,
                             start_new_session=True, **kw)
        self.procs.append(p)
        return p

    def run(self, args, check=True, timeout=20):
        return subprocess.run(args, env=self.env, check=check, timeout=timeout,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              stdin=subprocess.DEVNULL, text=True)

    def _start_x(self, size):
        r, w = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(w), "-screen", "0", size, "-nolisten", "tcp",
             "-noreset"], pass_fds=(w,), stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        self.procs.append(self.xvfb)
        os.close(w)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline:
                raise AssertionError("Xvfb did not start")
            chunk = os.read(r, 16)
            if not chunk:
                raise AssertionError("Xvfb ended at start")
            number += chunk
        os.close(r)
        self.display = ":" + number.decode().strip()
        self.env["DISPLAY"] = self.display

    def start_window_manager(self):
        self.spawn(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)

        def managed():
            r = self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)
            return "window id" in r.stdout
        wait_until(managed, 15, what="openbox")

    def start_sound(self):
        self.pulse_dir = os.path.join(self.tmp, "pulse")
        os.makedirs(self.pulse_dir)
        sock = os.path.join(self.pulse_dir, "native")
        env = dict(self.env)
        env["PULSE_RUNTIME_PATH"] = self.pulse_dir
        env["PULSE_STATE_PATH"] = self.pulse_dir
        self.spawn(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                    "--disallow-exit", "--use-pid-file=no", "--system=false",
                    "--load=module-native-protocol-unix auth-anonymous=1 socket=" + sock,
                    "--load=module-null-sink sink_name=rec rate=44100",
                    "--load=module-always-sink"],
                   env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env["PULSE_SERVER"] = "unix:" + sock
        wait_until(lambda: self.run(["pactl", "info"], check=False).returncode == 0, 15,
                   what="pulseaudio")
        self.run(["pactl", "set-default-sink", "rec"], check=False)

    def close(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                try:
                    os.killpg(p.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for p in reversed(self.procs):
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                try:
                    os.killpg(p.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                p.wait(timeout=5)
        shutil.rmtree(self.tmp, ignore_errors=True)

    # -- X helpers ---------------------------------------------------------
    def screenshot(self):
        out = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                             env=self.env, check=True, stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, timeout=30).stdout
        return Image(out)

    def save_screenshot(self, path):
        self.run(["import", "-window", "root", path])

    def xdotool(self, *args, check=True):
        return self.run(["xdotool"] + [str(a) for a in args], check=check).stdout

    def screen_size(self):
        out = self.run(["xdpyinfo"]).stdout
        for line in out.splitlines():
            if "dimensions:" in line:
                w, h = line.split()[1].split("x")
                return int(w), int(h)
        raise AssertionError("no screen size")

    def set_root_picture(self, colour="rgb(40,120,60)"):
        """Fills the visible root with a solid colour (xsetroot does not show
        on Xvfb); needs the window manager running first."""
        path = os.path.join(self.tmp, "root.png")
        w, h = self.screen_size()
        subprocess.run(["convert", "-size", "%dx%d" % (w, h), "xc:" + colour, path],
                       check=True)
        self.spawn(["display", "-window", "root", path], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)

        def shown():
            return self.screenshot().pixel(1, 1) == parse_colour(colour)
        wait_until(shown, 15, what="root picture")


def parse_colour(text):
    inner = text[text.index("(") + 1:text.index(")")]
    return tuple(int(v) for v in inner.split(","))


class ProgramDir:
    """A fresh program directory holding a copy of the built program."""

    def __init__(self, session, name="glimmora", skins=True, wav=True):
        self.session = session
        self.path = os.path.join(session.tmp, "prog-%d" % len(os.listdir(session.tmp)))
        os.makedirs(self.path)
        self.exe = os.path.join(self.path, name)
        shutil.copy2(os.path.join(BUILD_DIR, "glimmora"), self.exe)
        # The sound module, loaded from the program directory at the first sound.
        shutil.copytree(os.path.join(BUILD_DIR, "modules"), os.path.join(self.path, "modules"))
        if wav and os.path.exists(os.path.join(BUILD_DIR, "alarm.wav")):
            shutil.copy2(os.path.join(BUILD_DIR, "alarm.wav"), self.path)
        if skins and os.path.isdir(os.path.join(BUILD_DIR, "Skins")):
            shutil.copytree(os.path.join(BUILD_DIR, "Skins"), os.path.join(self.path, "Skins"))
        base = name.rsplit(".", 1)[0] if "." in name else name
        self.ini = os.path.join(self.path, base + ".ini")

    def write_ini(self, values, section=SECTION, eol="\n"):
        lines = ["[%s]" % section] + ["%s=%s" % kv for kv in values.items()]
        with open(self.ini, "w", newline="") as f:
            f.write(eol.join(lines) + eol)

    def read_ini(self):
        """The (key, value) pairs of the section, in file order."""
        if not os.path.exists(self.ini):
            return []
        pairs = []
        inside = False
        with open(self.ini, "rb") as f:
            for raw in f.read().decode("utf-8", "replace").splitlines():
                line = raw.strip()
                if line.startswith("["):
                    name = line[1:].split("]", 1)[0].strip()
                    inside = name.lower() == SECTION.lower()
                elif inside and "=" in line:
                    k, v = line.split("=", 1)
                    pairs.append((k.strip(), v.strip()))
        return pairs

    def setting(self, key):
        for k, v in self.read_ini():
            if k.lower() == key.lower():
                return v
        return None


class Glimmora:
    """The running program."""

    def __init__(self, session, program, args=(), env=None, stderr=None):
        """stderr: a descriptor to write to instead of the file at stderr_path."""
        self.session = session
        self.program = program
        e = dict(session.env)
        e.update(env or {})
        e = {k: v for k, v in e.items() if v is not None}  # None: unset
        self.stderr_path = os.path.join(session.tmp, "stderr-%d.txt" % time.monotonic_ns())
        with open(self.stderr_path, "wb") as err:
            self.proc = session.spawn([program.exe] + list(args), env=e,
                                      stdout=subprocess.DEVNULL,
                                      stderr=err if stderr is None else stderr)

    def window(self, timeout=15):
        """The id of the clock window, once it is mapped."""
        def find():
            if self.proc.poll() is not None:
                with open(self.stderr_path, errors="replace") as f:
                    said = f.read()[-2000:]
                raise AssertionError("glimmora ended with %s: %s" % (self.proc.returncode, said))
            r = self.session.run(["xdotool", "search", "--all", "--onlyvisible", "--pid",
                                  str(self.proc.pid), "--class", "glimmora"], check=False)
            ids = r.stdout.split()
            return ids[0] if ids else None
        return wait_until(find, timeout, what="clock window")

    def geometry(self, wid=None):
        """(x, y, width, height) of a window in root coordinates."""
        wid = wid or self.window()
        out = self.session.run(["xwininfo", "-id", str(wid)]).stdout
        vals = {}
        for line in out.splitlines():
            line = line.strip()
            for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
                if line.startswith(key + ":"):
                    vals[key] = int(line.split(":")[1])
        return (vals["Absolute upper-left X"], vals["Absolute upper-left Y"],
                vals["Width"], vals["Height"])

    def size_hints(self, wid=None):
        """WM_NORMAL_HINTS' (minimum, maximum) sizes in X pixels; None for a
        size the window does not declare."""
        out = self.session.run(["xprop", "-id", str(wid or self.window()),
                                "WM_NORMAL_HINTS"]).stdout
        found = {}
        for line in out.splitlines():
            for key in ("minimum", "maximum"):
                if "specified %s size:" % key in line:
                    w, _, h = line.split(":")[1].split()
                    found[key] = (int(w), int(h))
        return found.get("minimum"), found.get("maximum")

    def wait_exit(self, timeout=10):
        wait_until(lambda: self.proc.poll() is not None, timeout, what="program end")
        return self.proc.returncode

    def alive(self):
        return self.proc.poll() is None

    def pids(self):
        return [self.proc.pid]


def unix_listener(test, path, listening=True):
    """A socket bound at path that takes connections (or, not listening,
    refuses them) and never says a word; closed after the test."""
    server = socket.socket(socket.AF_UNIX)
    test.addCleanup(server.close)
    server.bind(path)
    if listening:
        server.listen(8)
    else:
        server.close()
    return server


class E2ETest(unittest.TestCase):
    """Base class: a session per test, closed afterwards."""

    window_manager = False
    sound = False

    def setUp(self):
        if not os.path.exists(os.path.join(BUILD_DIR, "glimmora")):
            self.fail("build/glimmora is missing")
        self.session = Session(window_manager=self.window_manager, sound=self.sound)
        self.addCleanup(self.session.close)

    def start(self, program=None, values=None, **kw):
        program = program or ProgramDir(self.session)
        if values is not None:
            program.write_ini(values)
        app = Glimmora(self.session, program, **kw)
        return program, app


def main():
    unittest.main(verbosity=2)
