"""Real screen savers and sessions, headless, each on its own X display and
private buses: how each starts, restarts and tells whether it is on."""

import ctypes
import glob
import os
import signal
import subprocess
import time

import dbus_support as ds
import harness

SCREENSAVER = "org.freedesktop.ScreenSaver"
SESSION_MANAGER = "org.gnome.SessionManager"
DM_SESSION = "/org/freedesktop/DisplayManager/Session0"
KDE_LIBEXEC = "/usr/lib/x86_64-linux-gnu/libexec/"


def adopt_orphans():
    """Daemons that leave their process group come back to this process when
    their parent ends, so end_descendants finds them."""
    ctypes.CDLL(None).prctl(36, 1, 0, 0, 0)  # PR_SET_CHILD_SUBREAPER


def descendants(pid):
    found, pending = [], [pid]
    while pending:
        for path in glob.glob("/proc/%d/task/*/children" % pending.pop()):
            try:
                with open(path) as f:
                    kids = [int(k) for k in f.read().split()]
            except FileNotFoundError:
                continue
            found += kids
            pending += kids
    return found


def end_descendants():
    for pid in descendants(os.getpid()):
        try:
            os.kill(pid, signal.SIGKILL)
            os.waitpid(pid, 0)
        except (ProcessLookupError, ChildProcessError):
            pass


class Desktop:
    """One set-up: its own X display, session bus (every message logged by
    dbus-monitor) and system bus for stand-ins."""

    def __init__(self):
        self.session = harness.Session()
        self.log = open(os.path.join(self.session.tmp, "desktop.log"), "wb")
        self.bus = ds.PrivateBus(self.session)
        self.system = ds.PrivateBus(self.session, variable="DBUS_SYSTEM_BUS_ADDRESS")
        self.monitor = os.path.join(self.session.tmp, "monitor.txt")
        with open(self.monitor, "w") as out:
            self.session.spawn(["dbus-monitor", "--profile"], stdout=out,
                               stderr=subprocess.DEVNULL)

    def spawn(self, args, env=None):
        return self.session.spawn(args, env=dict(self.session.env, **(env or {})),
                                  stdout=self.log, stderr=self.log)

    def call(self, system, target, method, *args):
        return self.session.run(["gdbus", "call", "--system" if system else "--session",
                                 "-d", target[0], "-o", target[1], "-m", method]
                                + [str(a) for a in args]).stdout

    def stand_in(self, name, path, interface, *properties):
        """A system service mocked by dbusmock, with its properties."""
        self.spawn(["/usr/bin/python3", "-m", "dbusmock", "--system", name, path, interface])
        harness.wait_until(lambda: self.system.owned(name), 15, what=name)
        for prop, value in properties:
            self.call(True, (name, path), "org.freedesktop.DBus.Mock.AddProperty", interface,
                      prop, value)

    def start_logind(self):
        login = ("org.freedesktop.login1", "/org/freedesktop/login1")
        self.spawn(["/usr/bin/python3", "-m", "dbusmock", "--system", "--template", "logind"])
        harness.wait_until(lambda: self.system.owned(login[0]), 15, what="logind stand-in")
        self.call(True, login, "org.freedesktop.DBus.Mock.AddMethod",
                  "org.freedesktop.login1.Manager", "GetSessionByPID", "u", "o",
                  "ret = '/org/freedesktop/login1/session/c1'")
        self.call(True, login, "org.freedesktop.DBus.Mock.AddSession", "c1", "seat0", "0",
                  "root", "true")

    def start_upower(self):
        self.spawn(["/usr/bin/python3", "-m", "dbusmock", "--system", "--template", "upower"])
        harness.wait_until(lambda: self.system.owned("org.freedesktop.UPower"), 15,
                           what="UPower stand-in")

    def start_portal(self, *backends, env=None):
        for program in (["xdg-permission-store"] + ["xdg-desktop-portal-" + b for b in backends]
                        + ["xdg-desktop-portal"]):
            # KDE's backend lives with KDE's other helpers.
            found = [p for p in ("/usr/libexec/" + program, KDE_LIBEXEC + program)
                     if os.path.exists(p)]
            self.spawn(found[:1] or [program], env)
        harness.wait_until(lambda: self.bus.owned("org.freedesktop.portal.Desktop"), 20,
                           what="portal")

    def start_service(self, args, name):
        proc = self.spawn(args)
        harness.wait_until(lambda: self.bus.owned(name), 30, what=name)
        return proc

    def stop(self, procs, name):
        """Kills the processes; returns once `name` has no owner."""
        for p in procs:
            os.killpg(p.pid, signal.SIGKILL)
            p.wait(10)
        harness.wait_until(lambda: not self.bus.owned(name), 10, what=name + " gone")
        self.restarted = time.time()

    def start_clock(self, values):
        program = harness.ProgramDir(self.session)
        program.write_ini(dict(values, ShowSaver="1"))
        app = self.launch(program)
        app.window(timeout=30)
        app.names = set()
        return app

    def launch(self, program):
        return harness.Glimmora(self.session, program)

    def held(self, app, since):
        """{service: when it first granted the clock an Inhibit after `since`}
        (wall-clock seconds, from dbus-monitor's profile lines)."""
        if app.alive():
            app.names |= {n for pid in app.pids() for n in self.bus.connections_of(pid)}
        asked, granted = {}, {}
        with open(self.monitor) as f:
            for line in f:
                kind, stamp, *rest = line.rstrip("\n").split("\t")
                if kind == "mc" and rest[-1] == "Inhibit" and rest[1] in app.names \
                        and float(stamp) > since:
                    asked[rest[1], rest[0]] = rest[2]
                elif kind == "mr" and (rest[2], rest[3]) in asked:
                    granted.setdefault(asked.pop((rest[2], rest[3])), float(stamp))
        return granted

    def touch(self):
        """User input: the pointer moves."""
        self.session.xdotool("mousemove_relative", "--", "5", "5")

    def new_idle_spell(self):
        """Before the clock starts again: the next touch begins a new spell."""

    def close(self):
        self.log.close()
        self.session.close()


class XScreenSaver(Desktop):
    """xscreensaver; its helper xscreensaver-systemd owns the screen-saver
    service."""

    delay = 60
    holders = {SCREENSAVER}
    portal = ()

    def start(self):
        with open(os.path.join(self.session.home, ".xscreensaver"), "w") as f:
            f.write("timeout: 0:01:00\nmode: blank\nlock: False\nsplash: False\n")
        self.start_logind()
        if self.portal:
            self.start_portal(*self.portal)
        self.saver = self.start_service(["xscreensaver", "-no-splash"], SCREENSAVER)

    def restart(self):
        # The helper leaves the saver's process group.
        os.kill(self.bus.owner_pid(SCREENSAVER), signal.SIGKILL)
        self.stop([self.saver], SCREENSAVER)
        self.saver = self.start_service(["xscreensaver", "-no-splash"], SCREENSAVER)
        return SCREENSAVER

    def active(self):
        out = self.session.run(["xscreensaver-command", "-time"], check=False).stdout
        return " blanked since" in out and "non-blanked" not in out


class XScreenSaverPortal(XScreenSaver):
    """The same with the desktop portal and its gtk backend running, as on any
    desktop with Flatpak support."""

    portal = ("gtk",)


class LightLocker(Desktop):
    """light-locker (owns the screen-saver service) with the portal and its
    gtk backend; it needs a display manager's session."""

    delay = 60
    holders = {SCREENSAVER}
    args = ["light-locker", "--no-late-locking", "--lock-after-screensaver=3600",
            "--no-lock-on-suspend"]

    def start(self):
        self.start_logind()
        self.stand_in("org.freedesktop.DisplayManager", DM_SESSION,
                      "org.freedesktop.DisplayManager.Session",
                      ("Seat", "<objectpath '/org/freedesktop/DisplayManager/Seat0'>"))
        self.session.env.update({"XDG_SESSION_ID": "c1", "XDG_SESSION_PATH": DM_SESSION})
        self.set_idle_time()
        self.start_portal("gtk")
        self.locker = self.start_service(self.args, SCREENSAVER)

    def set_idle_time(self):
        self.session.run(["xset", "s", str(self.delay), "0"])

    def restart(self):
        self.stop([self.locker], SCREENSAVER)
        self.locker = self.start_service(self.args, SCREENSAVER)
        return SCREENSAVER

    def active(self):
        out = self.session.run(["light-locker-command", "-q"], check=False).stdout
        return "is active" in out


class Mate(Desktop):
    """mate-session (owns the session manager) and mate-screensaver, which
    follows the session's idle presence."""

    delay = 75
    holders = {SESSION_MANAGER}

    def start(self):
        self.start_logind()
        self.start_service(["/usr/libexec/dconf-service"], "ca.desrt.dconf")
        for key, value in (("idle-delay", "1"), ("required-components-list", "[]")):
            self.session.run(["gsettings", "set", "org.mate.session", key, value])
        self.autostart = os.path.join(self.session.tmp, "autostart")
        os.makedirs(self.autostart)
        self.start_session()

    def start_session(self):
        self.manager = self.start_service(["mate-session", "--autostart=" + self.autostart],
                                          SESSION_MANAGER)
        self.saver = self.spawn(["mate-screensaver", "--no-daemon"])

    def restart(self):
        # The saver follows the session it started with: both start again.
        self.stop([self.saver, self.manager], SESSION_MANAGER)
        self.start_session()
        return SESSION_MANAGER

    def active(self):
        out = self.session.run(["mate-screensaver-command", "-q"], check=False).stdout
        return "is active" in out


class Gnome(Desktop):
    """gnome-shell headless with XWayland, gnome-session, the settings
    daemon's screen-saver proxy and the portal with its gnome and gtk
    backends. Only input through mutter counts as activity."""

    delay = 20
    holders = {SCREENSAVER, SESSION_MANAGER}

    def start(self):
        config = self.session.env["XDG_CONFIG_HOME"]
        for path, text in (
                ("glib-2.0/settings/keyfile",
                 "[org/gnome/desktop/session]\nidle-delay=uint32 %d\n"
                 "[org/gnome/desktop/screensaver]\nlock-enabled=false\n" % self.delay),
                ("gnome-session/sessions/glimmora.session",
                 "[GNOME Session]\nName=glimmora\nRequiredComponents=\n")):
            os.makedirs(os.path.dirname(os.path.join(config, path)), exist_ok=True)
            with open(os.path.join(config, path), "w") as f:
                f.write(text)
        self.session.env["GSETTINGS_BACKEND"] = "keyfile"
        # The shell makes its screen shield only where a display manager runs.
        self.stand_in("org.gnome.DisplayManager", "/org/gnome/DisplayManager/Manager",
                      "org.gnome.DisplayManager.Manager", ("Version", "<'43'>"))
        number = next(n for n in range(300 + os.getpid() % 300, 1000)
                      if not glob.glob("/tmp/.X%d-lock" % n) + glob.glob("/tmp/.X11-unix/X%d" % n))
        wayland = "glimmora-wl-%d" % number
        self.spawn(["gnome-shell", "--headless", "--wayland", "--wayland-display", wayland,
                    "--virtual-monitor", "1280x1024"],
                   env={"LD_PRELOAD": os.path.join(harness.BUILD_DIR, "libxwayland_display.so"),
                        "GLIMMORA_TEST_XWAYLAND_DISPLAY": str(number)})
        harness.wait_until(lambda: os.path.exists("/tmp/.X11-unix/X%d" % number)
                           and self.bus.owned("org.gnome.Mutter.RemoteDesktop"), 90,
                           what="gnome-shell")
        auth = glob.glob(os.path.join(self.session.runtime, ".mutter-Xwaylandauth*"))[0]
        self.session.env.update({"DISPLAY": ":%d" % number, "XAUTHORITY": auth})
        # The socket comes before Xwayland answers; the desktop is up once an X
        # client gets through.
        harness.wait_until(lambda: self.session.run(["xdpyinfo"], check=False, timeout=60)
                           .returncode == 0, 90, what="Xwayland")
        self.autostart = os.path.join(self.session.tmp, "autostart")
        os.makedirs(self.autostart)
        self.start_session()
        self.start_portal("gtk", "gnome", env={"WAYLAND_DISPLAY": wayland})
        mutter = "org.gnome.Mutter.RemoteDesktop"
        path = self.bus.conn.get_object(mutter, "/org/gnome/Mutter/RemoteDesktop") \
            .CreateSession(dbus_interface=mutter)
        self.input = self.bus.conn.get_object(mutter, path)
        self.input.Start(dbus_interface=mutter + ".Session")

    def start_session(self):
        self.manager = self.start_service(
            ["/usr/libexec/gnome-session-binary", "--builtin", "--session=glimmora",
             "--autostart=" + self.autostart, "--disable-acceleration-check"], SESSION_MANAGER)
        self.proxy = self.start_service(["/usr/libexec/gsd-screensaver-proxy"], SCREENSAVER)

    def touch(self):
        self.input.NotifyPointerMotionRelative(
            5.0, 5.0, dbus_interface="org.gnome.Mutter.RemoteDesktop.Session")

    def restart(self):
        # The shell follows the session manager's name; the settings daemon's
        # proxy forwards to the session it started with: both start again.
        self.stop([self.proxy, self.manager], SESSION_MANAGER)
        self.start_session()
        return SESSION_MANAGER

    def active(self):
        out = self.call(False, ("org.gnome.Shell.ScreenShield", "/org/gnome/ScreenSaver"),
                        "org.gnome.ScreenSaver.GetActive")
        return "true" in out
