"""Synthetic keys on a real X display: the key dialog fed by xdotool, the key
pressed at its opening, and the screen-saver key reaching another client."""

import ctypes
import json
import os
import subprocess
import threading
import time
import unittest

import harness
import menu_support as ms

KEYHOST = os.path.join(harness.BUILD_DIR, "tests", "keys", "keyhost")


class Host:
    """A keyhost process whose JSON lines are collected as they come."""

    def __init__(self, session, *args, env=None):
        self.lines = []
        self.lock = threading.Lock()
        self.proc = session.spawn([KEYHOST] + [str(a) for a in args], env=env,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for raw in self.proc.stdout:
            try:
                value = json.loads(raw)
            except ValueError:
                continue
            with self.lock:
                self.lines.append(value)

    def snapshot(self):
        with self.lock:
            return list(self.lines)

    def latest(self, key):
        """The last line that has `key`."""
        for line in reversed(self.snapshot()):
            if key in line:
                return line
        return None

    def wait_for(self, predicate, timeout=10, what="host output"):
        def check():
            if self.proc.poll() is not None and not any(predicate(l) for l in self.snapshot()):
                raise AssertionError("keyhost ended (%s) before %s" % (self.proc.returncode, what))
            return next((l for l in self.snapshot() if predicate(l)), None)
        return harness.wait_until(check, timeout, what=what)


class XScreenSaverInfo(ctypes.Structure):
    _fields_ = [("window", ctypes.c_ulong), ("state", ctypes.c_int), ("kind", ctypes.c_int),
                ("til_or_since", ctypes.c_ulong), ("idle", ctypes.c_ulong),
                ("eventMask", ctypes.c_ulong)]


class IdleClock:
    """The X server's idle time, as screen savers read it."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xss = ctypes.CDLL("libXss.so.1")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.x11.XFree.argtypes = [ctypes.c_void_p]
        self.xss.XScreenSaverAllocInfo.restype = ctypes.POINTER(XScreenSaverInfo)
        self.xss.XScreenSaverQueryInfo.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                                   ctypes.POINTER(XScreenSaverInfo)]
        self.dpy = self.x11.XOpenDisplay(display.encode())
        if not self.dpy:
            raise AssertionError("cannot open " + display)
        self.info = self.xss.XScreenSaverAllocInfo()

    def idle_ms(self):
        root = self.x11.XDefaultRootWindow(self.dpy)
        if not self.xss.XScreenSaverQueryInfo(self.dpy, root, self.info):
            raise AssertionError("no MIT-SCREEN-SAVER extension")
        return self.info.contents.idle

    def close(self):
        self.x11.XFree(self.info)
        self.x11.XCloseDisplay(self.dpy)


def make_active(test, host, title, is_active):
    """Waits until the host's window has the keyboard focus."""
    try:
        host.wait_for(is_active, 3, title + " focused")
    except AssertionError:
        # The window manager may keep the focus from a window that appeared
        # without any user input; ask it the way a pager does.
        def window():
            r = test.session.run(["xdotool", "search", "--all", "--pid", str(host.proc.pid),
                                  "--name", "^" + title], check=False)
            return (r.stdout.split() or [None])[0]
        wid = harness.wait_until(window, 10, what=title + " window")
        test.session.xdotool("windowactivate", wid, check=False)
        host.wait_for(is_active, 10, title + " focused")


def start_receiver(test):
    """A window of another client that holds the keyboard focus."""
    host = test.host("receiver")
    make_active(test, host, "keyhost receiver", lambda l: l.get("active") is True)
    return host


class HostsMixin:
    """Hosts started in a test; their pipes are closed after the session has
    ended them, so no reader is left blocked."""

    def setUpHosts(self):
        if not os.path.exists(KEYHOST):
            self.fail("keyhost is missing: " + KEYHOST)
        self.hosts = []
        # Registered before the session's own cleanup, so it runs after it.
        self.addCleanup(self._close_hosts)

    def _close_hosts(self):
        for host in self.hosts:
            host.reader.join(5)
            host.proc.stdout.close()

    def host(self, *args, env=None):
        host = Host(self.session, *args, env=env)
        self.hosts.append(host)
        return host


class KeysTest(HostsMixin, unittest.TestCase):
    def setUp(self):
        self.setUpHosts()
        self.session = harness.Session(window_manager=True)
        self.addCleanup(self.session.close)

    def receiver(self):
        return start_receiver(self)

    def dialog(self, code=120):
        self.ini = os.path.join(self.session.tmp, "keys.ini")
        host = self.host("dialog", self.ini, code)
        make_active(self, host, "Taste ausw", lambda l: l.get("active") is True)
        return host

    def key(self, *names):
        self.session.xdotool("key", "--delay", "30", *names)

    def expect(self, host, what, **fields):
        def matches(line):
            return all(line.get(k) == v for k, v in fields.items())
        harness.wait_until(lambda: matches(host.latest("text3") or {}), 10,
                           what="%s: %s (last %s)" % (what, fields, host.latest("text3")))

    def keys_received(self, host):
        return [(l["key"], l["type"]) for l in host.snapshot() if "key" in l]

    def test_opening_shows_stored_key_and_nothing_leaks(self):
        other = self.receiver()
        host = self.dialog(120)
        self.expect(host, "opening", text3="F9", text2="120", text4="0", text1="-", label4="",
                    active=True)
        # The dialog pressed F9 only once it had the focus: the window that had
        # it before got nothing.
        self.assertEqual(self.keys_received(other), [])

    def test_keys_show_their_windows_codes(self):
        host = self.dialog(120)
        self.expect(host, "opening", text3="F9", text2="120")
        self.key("a")
        self.expect(host, "a", text3="a", text2="65", text1="97", text4="0", label4="")
        self.key("shift+a")
        self.expect(host, "Shift+a", text3="A", text2="65", text1="65", text4="1")
        # Shifted symbols are named by their key, read from the keymap.
        self.key("shift+1")
        self.expect(host, "Shift+1", text3="!", text2="49", text1="33", text4="1")
        self.key("bracketleft")
        self.expect(host, "bracketleft", text3="[", text2="219", text1="91", text4="0")
        self.key("Control_L")
        self.expect(host, "Ctrl", text3="CTRL", label4="Steuerung", text2="17", text4="2")
        self.key("Alt_L")
        self.expect(host, "Alt", text3="ALT", label4="Alternativ", text2="18", text4="4")
        self.key("ISO_Level3_Shift")
        self.expect(host, "AltGr", text3="Alt Gr", label4="Alt Gr", text2="18", text4="6")
        self.key("Delete")
        self.expect(host, "Delete", text3="Del", label4="Entfernen", text2="46", text4="0")
        # Xvfb starts with Num Lock off: switch it on for the keypad digit and
        # off again.
        self.key("Num_Lock")
        self.expect(host, "Num Lock", text3="NUM", label4="Num Lock", text2="144")
        self.key("KP_End")
        self.expect(host, "keypad 1", text3="1", label4="Nummernblock", text2="97", text1="49")
        self.key("Num_Lock")
        self.expect(host, "Num Lock off", text3="NUM", text2="144")
        self.key("KP_End")
        self.expect(host, "keypad End", text3="End", label4="Ende", text2="35", text1="-")
        self.key("F5")
        self.expect(host, "F5", text3="F5", label4="", text2="116", text1="-")
        self.key("Scroll_Lock")
        self.expect(host, "Scroll Lock", text3="Scroll", label4="Rollen", text2="145")

        # Storing writes the code at once and closes the dialog.
        x, y = host.latest("text3")["command1"].split()
        self.session.xdotool("mousemove", x, y, "click", "1")
        closed = host.wait_for(lambda l: "closed" in l, 10, "dialog closed")
        self.assertEqual(closed["SendKeyCode"], 145)
        with open(self.ini, encoding="utf-8") as f:
            self.assertIn("SendKey=145", f.read().splitlines())
        self.key("Scroll_Lock")  # back to how it was

    def test_saver_key_reaches_other_window_and_resets_idle_time(self):
        # Another X server, named by DISPLAY while -display names ours.
        elsewhere = harness.Session()
        self.addCleanup(elsewhere.close)
        for name, args, env in [
                ("DISPLAY", [], None),
                ("-display, DISPLAY another server", ["-display", self.session.display],
                 dict(self.session.env, DISPLAY=elsewhere.display))]:
            with self.subTest(name):
                self.saver_key_arrives(args, env)

    def saver_key_arrives(self, args, env):
        idle = IdleClock(self.session.display)
        self.addCleanup(idle.close)
        other = self.receiver()
        # 30 ticks of 100 ms instead of 1800.
        saver = self.host("saver", 30, 120, *args, env=env)
        saver.wait_for(lambda l: l.get("saver") is True, 15, "saver on")
        harness.wait_until(lambda: idle.idle_ms() > 1500, 10, what="the server to see idleness")
        self.assertFalse([l for l in saver.snapshot() if "sent" in l], "sent before idleness")

        sent = saver.wait_for(lambda l: "sent" in l, 10, "first key")
        press = other.wait_for(lambda l: l.get("key") == 0xffc6 and l["type"] == "press", 5,
                               "F9 in the other window")
        other.wait_for(lambda l: l.get("key") == 0xffc6 and l["type"] == "release", 5,
                       "F9 released")
        self.assertLess(idle.idle_ms(), 1000)
        self.assertGreaterEqual(press["ms"], sent["ms"] - 50)

        # The next one follows one tick later than the first did.
        harness.wait_until(lambda: len([l for l in saver.snapshot() if "sent" in l]) >= 2, 10,
                           what="second key")
        times = [l["ms"] for l in saver.snapshot() if "sent" in l]
        self.assertGreater(times[1] - times[0], 2700)
        self.assertLess(times[1] - times[0], 5000)
        harness.wait_until(lambda: len([k for k, t in self.keys_received(other)
                                        if t == "press"]) >= 2, 5, what="second F9")
        presses = [k for k, t in self.keys_received(other) if t == "press"]
        self.assertTrue(all(k == 0xffc6 for k in presses), presses)
        for host in (saver, other):
            host.proc.kill()
            host.proc.wait()


class ProgramKeyDialogTest(HostsMixin, harness.E2ETest):
    """The dialog in the real program, opened from the context menu."""

    window_manager = True
    ORIGIN = (150, 120)
    # From a freshly opened menu: "Über...", "StandBy", "Immer im Vordergrund",
    # "Alarmzeit einstellen", "Alarm aktivieren", ("Skin" is greyed),
    # "Saver unterdrücken", "Taste definieren...".
    TO_KEY = ["Down"] * 8

    def setUp(self):
        self.setUpHosts()
        super().setUp()

    def test_menu_opens_dialog_that_stores_scroll_lock_at_once(self):
        program, app = self.start(values={"X": "2250", "Y": "1800", "ShowSaver": "1"})
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == self.ORIGIN, 10, what="placed")
        other = start_receiver(self)

        at = (self.ORIGIN[0] + ms.TUBES[3][0] + 4, self.ORIGIN[1] + ms.TUBES[3][1] + 4)
        ms.open_menu_at(app, wid, at[0], at[1])
        # The dialog is a window of the program too, so the menu's closing is
        # seen through the dialog's appearing.
        self.session.xdotool("key", "--delay", "60", *self.TO_KEY, "Return")

        def dialog_window():
            r = self.session.run(["xdotool", "search", "--all", "--onlyvisible", "--pid",
                                  str(app.proc.pid), "--name", "^Taste ausw"], check=False)
            # An ASCII part of the title, whatever the locale of the pattern.
            ids = r.stdout.split()
            return ids[0] if ids else None
        dialog = harness.wait_until(dialog_window, 10, what="key dialog")
        harness.wait_until(
            lambda: self.session.xdotool("getactivewindow", check=False).strip() == dialog, 10,
            what="key dialog active")
        # The opening key is sent within the dialog's one-second wait for the
        # focus; let that pass before pressing a key of our own.
        time.sleep(1.2)
        self.session.xdotool("key", "Scroll_Lock")
        x, y, w, h = app.geometry(dialog)
        self.assertEqual((w, h), (396, 158))
        self.session.xdotool("mousemove", x + 8 + 112, y + 120 + 16, "click", "1")
        harness.wait_until(lambda: program.setting("SendKey") == "145", 10,
                           what="SendKey written")
        harness.wait_until(lambda: dialog_window() is None, 10, what="dialog closed")
        self.assertTrue(app.alive())
        self.session.xdotool("key", "Scroll_Lock")  # back to how it was
        # Neither the opening key nor ours went to the window that had the
        # focus before.
        self.assertEqual([l for l in other.snapshot() if "key" in l], [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
