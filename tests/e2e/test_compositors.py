"""The clock under Wayland compositors with XWayland, headless, in a session
that sets QT_QPA_PLATFORM=wayland as many do: under KWin and mutter it is an
XWayland window at its saved place, on top of the active window, its cut-away
parts show the desktop (screenshots through the compositor's own interface)
before and after a drag and after the menu closes, the menu opens at the
pointer, a drag moves it 1:1 and the exit saves. Under sway it floats at its
own size. Under KWin with no X at all it is a native Wayland window, placed
by KWin, whose cut-away parts show what lies beneath."""

import json
import os
import signal
import threading
import time

import dbus
import dbus_support
import harness
import kde_support
import menu_support as ms
import skin_support

BLUE = (0x33, 0x66, 0xCC)
ORIGIN = (100, 100)
DEVICE = (200, 170)  # a painted pixel of the built-in face, below the tubes
TUBE_TOP = (120, 116)  # the menu opened here covers cut-away parts
DELTA = (200, 330)


def free_display():
    for number in range(300 + os.getpid() % 200, 1000):
        if not any(os.path.exists(p % number) for p in ("/tmp/.X11-unix/X%d", "/tmp/.X%d-lock")):
            return number
    raise AssertionError("no free X display number")


def rgb_image(width, height, stride, bgra):
    """A harness.Image of 32-bit little-endian BGRA rows."""
    rows = b"".join(bgra[y * stride:y * stride + width * 4] for y in range(height))
    rgb = bytearray(width * height * 3)
    for i in range(3):
        rgb[i::3] = rows[2 - i::4]
    return harness.Image(b"P6\n%d %d\n255\n" % (width, height) + bytes(rgb))


class Desktop:
    """A compositor on a private session bus; the session's DISPLAY becomes
    its XWayland."""

    def __init__(self, session):
        self.session = session
        self.bus = dbus_support.PrivateBus(session)
        self.wayland = "glimmora-wl-%d" % os.getpid()
        self.log = open(os.path.join(session.tmp, "compositor.log"), "wb")
        self.groups = []

    def spawn(self, args, env=None):
        e = dict(self.session.env)
        e.update(env or {})
        p = self.session.spawn(args, env=e, stdout=self.log, stderr=self.log)
        self.groups.append(p.pid)
        return p

    def use_display(self, display, xauthority=None):
        self.session.display = display
        self.session.env["DISPLAY"] = display
        if xauthority:
            self.session.env["XAUTHORITY"] = xauthority
        # Replaces the Xvfb screenshot, which cannot see a rootless XWayland.
        if hasattr(self, "screenshot"):
            self.session.screenshot = self.screenshot

    def close(self):
        # sway's first process ends early; the rest of its group lives on.
        for group in self.groups:
            try:
                os.killpg(group, signal.SIGKILL)
            except ProcessLookupError:
                pass
        self.bus.close()
        self.log.close()


class KWin(Desktop):
    xwayland = True

    def start(self):
        _, display, auth = kde_support.start_kwin(
            self, ["--socket", self.wayland, "--no-lockscreen", "--no-global-shortcuts",
                   "--no-kactivities"],
            env={"KWIN_SCREENSHOT_NO_PERMISSION_CHECKS": "1",
                 "KWIN_WAYLAND_NO_PERMISSION_CHECKS": "1"},
            xwayland=self.xwayland)
        if display:
            self.use_display(display, auth)

    def screenshot(self):
        shot = self.bus.conn.get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2")
        r, w = os.pipe()
        data = []

        def read():
            with os.fdopen(r, "rb") as f:
                data.append(f.read())
        reader = threading.Thread(target=read)
        reader.start()
        try:
            meta = shot.CaptureWorkspace({"native-resolution": True}, dbus.types.UnixFd(w),
                                         dbus_interface="org.kde.KWin.ScreenShot2")
        finally:
            os.close(w)
            reader.join(20)
        return rgb_image(int(meta["width"]), int(meta["height"]), int(meta["stride"]),
                         data[0])


class KWinWithoutX(KWin):
    """No X server anywhere: clients find only the Wayland display."""

    xwayland = False

    def start(self):
        del self.session.env["DISPLAY"]
        super().start()


class Mutter(Desktop):
    def start(self):
        self.spawn(["pipewire"])
        self.spawn(["wireplumber"])
        number = free_display()
        self.spawn(["mutter", "--headless", "--wayland", "--wayland-display", self.wayland,
                    "--virtual-monitor", "1280x1024"],
                   env={"LD_PRELOAD": os.path.join(harness.BUILD_DIR, "libxwayland_display.so"),
                        "GLIMMORA_TEST_XWAYLAND_DISPLAY": str(number)})
        harness.wait_until(lambda: os.path.exists("/tmp/.X11-unix/X%d" % number)
                           and self.bus.owned("org.gnome.Mutter.ScreenCast"), 60, what="mutter")
        runtime = self.session.runtime
        auth = [f for f in os.listdir(runtime) if f.startswith(".mutter-Xwaylandauth")]
        self.use_display(":%d" % number, os.path.join(runtime, auth[0]))
        # A stream starts only once WirePlumber is up, which takes long on a
        # fresh or busy machine, as does GStreamer's first registry scan: the
        # first frame has time for both.
        self.screenshot(wait=90)

    def screenshot(self, wait=30):
        """One frame of the monitor through the screen-cast interface and
        PipeWire, within `wait` seconds for the stream and for the frame."""
        path = os.path.join(self.session.tmp, "cast.png")
        script = """
import dbus, subprocess, sys
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib
DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = "org.gnome.Mutter.ScreenCast"
state = bus.get_object("org.gnome.Mutter.DisplayConfig", "/org/gnome/Mutter/DisplayConfig") \
    .GetCurrentState(dbus_interface="org.gnome.Mutter.DisplayConfig")
session = bus.get_object(name, bus.get_object(name, "/org/gnome/Mutter/ScreenCast")
                         .CreateSession({}, dbus_interface=name))
stream = bus.get_object(name, session.RecordMonitor(
    state[1][0][0][0], {"cursor-mode": dbus.UInt32(0)}, dbus_interface=name + ".Session"))
loop, node = GLib.MainLoop(), []
stream.connect_to_signal("PipeWireStreamAdded", lambda n: (node.append(n), loop.quit()),
                         dbus_interface=name + ".Stream")
session.Start(dbus_interface=name + ".Session")
GLib.timeout_add(int(sys.argv[2]) * 1000, loop.quit)
loop.run()
if not node:
    sys.exit("no stream within %s s" % sys.argv[2])
subprocess.run(["gst-launch-1.0", "-q", "pipewiresrc", "path=%d" % node[0], "num-buffers=1",
                "!", "videoconvert", "!", "pngenc", "!", "filesink", "location=" + sys.argv[1]],
               check=True, timeout=int(sys.argv[2]))
session.Stop(dbus_interface=name + ".Session")
"""
        self.session.run(["/usr/bin/python3", "-c", script, path, str(wait)], timeout=2 * wait + 30)
        return harness.Image.from_file(path)


class Sway(Desktop):
    """sway refuses to run as root: it runs as nobody, in a folder of its
    own, and lets root's clients onto its XWayland."""

    NOBODY = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]

    def start(self):
        self.home = os.path.join(self.session.tmp, "sway")
        runtime = os.path.join(self.home, "runtime")
        os.makedirs(runtime, mode=0o700)
        os.chmod(self.session.tmp, 0o711)  # nobody passes through to its folder
        for folder in (self.home, runtime):
            os.chown(folder, 65534, 65534)
        env_file = os.path.join(self.home, "env")
        config = os.path.join(self.home, "config")
        with open(config, "w") as f:
            f.write("xwayland force\nexec env > %s.part && mv %s.part %s\n"
                    % (env_file, env_file, env_file))
        self.spawn(self.NOBODY + ["env", "-i", "PATH=/usr/bin:/bin", "HOME=" + self.home,
                                  "XDG_RUNTIME_DIR=" + runtime,
                                  "WLR_BACKENDS=headless", "WLR_LIBINPUT_NO_DEVICES=1",
                                  "WLR_RENDERER=pixman", "sway", "-c", config])
        harness.wait_until(lambda: os.path.exists(env_file), 30, what="sway's XWayland")
        with open(env_file) as f:
            self.env = dict(line.split("=", 1) for line in f.read().splitlines() if "=" in line)
        self.use_display(self.env["DISPLAY"])
        self.session.run(self.NOBODY + ["env", "DISPLAY=" + self.env["DISPLAY"], "xhost",
                                        "+si:localuser:root"])

    def floating(self, wid):
        """The rectangle sway gives the window, and whether it floats."""
        tree = json.loads(self.session.run(self.NOBODY + [
            "env", "SWAYSOCK=" + self.env["SWAYSOCK"], "swaymsg", "-t", "get_tree"]).stdout)
        todo = [(tree, False)]
        while todo:
            node, floats = todo.pop()
            if node.get("window") == int(wid):
                r = node["rect"]
                return (r["width"], r["height"]), floats
            todo += [(n, False) for n in node.get("nodes", [])]
            todo += [(n, True) for n in node.get("floating_nodes", [])]
        return None


def holes_not_showing(shot, face, origin):
    """Cut-away pixels of the face at `origin` that do not show the desktop."""
    ox, oy = origin
    return sum(1 for y in range(face.back.height) for x in range(face.back.width)
               if face.back.pixel(x, y) == ms.MASK and shot.pixel(ox + x, oy + y) != BLUE)


def face_origin(shot, face):
    """Where the face's top-left lies in the screenshot, found by a row of
    its painted pixels; None where that row is nowhere."""
    y = DEVICE[1]
    row = [face.back.pixel(x, y) for x in range(face.back.width)]
    painted = [x for x, p in enumerate(row) if p != ms.MASK]
    needle = bytes(c for p in row[painted[0]:painted[-1] + 1] for c in p)
    at = shot.pixels.find(needle)
    while at >= 0 and at % 3:
        at = shot.pixels.find(needle, at + 1)
    if at < 0:
        return None
    return (at // 3 % shot.width - painted[0], at // 3 // shot.width - y)


def plus(a, b):
    return (a[0] + b[0], a[1] + b[1])


class CompositorsTest(harness.E2ETest):
    def setUp(self):
        if not os.path.exists(os.path.join(harness.BUILD_DIR, "glimmora")):
            self.fail("build/glimmora is missing")

    def test_rows(self):
        for kind, check in ((KWin, self.placed_on_top_holes_menu_drag_exit),
                            (KWinWithoutX, self.native_holes_show_beneath),
                            (Mutter, self.placed_on_top_holes_menu_drag_exit),
                            (Sway, self.floats_at_its_own_size)):
            with self.subTest(kind.__name__):
                self.session = harness.Session()
                try:
                    started = time.monotonic()
                    desktop = kind(self.session)
                    self.addCleanup(desktop.close)
                    desktop.start()
                    check(desktop)
                    print("%s: %.1f s" % (kind.__name__, time.monotonic() - started))
                finally:
                    self.session.close()

    def floats_at_its_own_size(self, sway):
        _, app = self.start(values={"X": "1500", "Y": "1500"})
        wid = app.window(timeout=30)
        harness.wait_until(lambda: sway.floating(wid) == ((460, 234), True), 10,
                           what="floating at 460 x 234")

    def native_holes_show_beneath(self, kwin):
        """No X shape cuts a Wayland window: its cut-away pixels must be
        transparent themselves."""
        face = ms.BuiltinFace()
        kwin.spawn(["swaybg", "-c", "#3366cc"], env={"WAYLAND_DISPLAY": kwin.wayland})
        harness.wait_until(lambda: kwin.screenshot().pixel(0, 0) == BLUE, 15,
                           what="blue background")
        _, app = self.start(env={"WAYLAND_DISPLAY": kwin.wayland})

        def face_shown():
            self.assertTrue(app.alive(), "the clock ended")
            shot = kwin.screenshot()
            origin = face_origin(shot, face)
            if origin and not skin_support.face_mismatches(shot, origin, face):
                return shot, origin
            return None
        shot, origin = harness.wait_until(face_shown, 15, interval=0.2, what="the face")
        self.assertEqual(holes_not_showing(shot, face, origin), 0)

    def placed_on_top_holes_menu_drag_exit(self, desktop):
        session = self.session
        face = ms.BuiltinFace()
        face.tubes = ms.TUBES
        session.spawn(["xlogo", "-bg", "#3366cc", "-fg", "#3366cc", "-geometry",
                       "1280x1024+0+0"])
        logo = harness.wait_until(lambda: session.xdotool(
            "search", "--onlyvisible", "--class", "xlogo", check=False).split(), 15,
            what="desktop window")[0]
        program, app = self.start(
            values={"X": str(ORIGIN[0] * 15), "Y": str(ORIGIN[1] * 15), "OnTop": "1"},
            env={"WAYLAND_DISPLAY": desktop.wayland, "QT_QPA_PLATFORM": "wayland"})
        wid = app.window(timeout=30)  # found on XWayland
        self.assertEqual(app.geometry(wid)[:2], ORIGIN)
        harness.wait_until(lambda: ms.is_above(session, wid), 10, what="on top")

        # The desktop window active: the clock stays above it, holes show it.
        session.xdotool("windowactivate", logo, check=False)
        harness.wait_until(lambda: session.xdotool("getactivewindow").strip() == logo, 10,
                           what="desktop window active")

        def clean(origin):
            shot = session.screenshot()
            if skin_support.face_mismatches(shot, origin, face):
                return None
            return holes_not_showing(shot, face, origin) == 0
        harness.wait_until(lambda: clean(ORIGIN), 10, interval=0.2, what="face over the desktop")

        # The menu at the pointer, over cut-away parts; closed, no ghost.
        at = plus(ORIGIN, TUBE_TOP)
        menu = ms.open_menu_at(app, wid, *at)
        self.assertEqual(app.geometry(menu)[:2], at)
        session.xdotool("key", "Escape")
        ms.wait_menu_closed(app, wid)
        harness.wait_until(lambda: clean(ORIGIN), 5, interval=0.2, what="holes after the menu")

        # Dragged slowly, so the compositor shows each step: 1:1, no ghost.
        place = ms.drag(app, wid, plus(ORIGIN, DEVICE), DELTA, steps=4, settle=True)
        self.assertEqual(place, plus(ORIGIN, DELTA))
        harness.wait_until(lambda: clean(place), 5, interval=0.2, what="holes after the drag")

        # The exit saves the new place.
        ms.pick(app, wid, ms.TO_EXIT, plus(place, DEVICE))
        self.assertEqual(app.wait_exit(10), 0)
        self.assertEqual((program.setting("X"), program.setting("Y")),
                         (str(place[0] * 15), str(place[1] * 15)))


if __name__ == "__main__":
    harness.main()
