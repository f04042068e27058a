"""The clock on the desktop, under each window manager: its hints, below an
application window and above the desktop's own window (a full-screen
desktop-type window) also after clicks on both, shown through "show desktop"
and on another workspace, dragged, its menu; switched off again it is an
ordinary window that "show desktop" hides (KWin: covers). Under compositors
that draw shadows its cut-away pixels show the desktop's colour."""

import os
import sys

import harness
import menu_support as ms
import skin_support
import test_compositors as tc

ORIGIN = (100, 100)
APP = (400, 80, 300, 300)  # covers the face's right part
COVERED = (APP[0] - ORIGIN[0] - 70, 0, 460, 234)  # that part and its shadow, in face pixels
RED = (0xC8, 0x1E, 0x1E)
PRESS = (ORIGIN[0] + 150, ORIGIN[1] + 170)  # painted, left of the application window
TYPED_WINDOW = """
import sys
from Xlib import Xatom, display
kind, colour, x, y, w, h = sys.argv[1:]
d = display.Display()
s = d.screen()
rgb = [int(colour[i:i + 2], 16) * 257 for i in (0, 2, 4)]
win = s.root.create_window(int(x), int(y), int(w), int(h), 0, s.root_depth,
                           background_pixel=s.default_colormap.alloc_color(*rgb).pixel)
win.set_wm_class(kind, kind)
win.change_property(d.intern_atom("_NET_WM_WINDOW_TYPE"), Xatom.ATOM, 32,
                    [d.intern_atom("_NET_WM_WINDOW_TYPE_" + kind.upper())])
win.set_wm_normal_hints(flags=1, x=int(x), y=int(y))
win.set_wm_hints(flags=1, input=1)
win.map()
while True:
    d.next_event()
"""


class XServerOnly(tc.Desktop):
    """A window manager on the session's own Xvfb."""

    def start(self):
        self.spawn(self.command)
        harness.wait_until(lambda: "window id" in self.session.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False).stdout, 15,
            what=self.command[0])


class Openbox(XServerOnly):
    command = ["openbox", "--sm-disable"]


class Xfwm4(XServerOnly):
    command = ["xfwm4", "--compositor=off", "--sm-client-disable"]


class Compositing(Openbox):
    """openbox under a compositor that draws shadows, started after the clock
    (its window made while none ran)."""

    def compose(self):
        self.spawn(self.compositor)
        owner = "from Xlib import display; d = display.Display(); " \
            "print(d.get_selection_owner(d.intern_atom('_NET_WM_CM_S0')))"
        harness.wait_until(lambda: self.session.run(
            [sys.executable, "-c", owner]).stdout.strip() != "0", 15, what="compositor")


class Picom(Compositing):
    compositor = ["picom", "--backend", "xrender", "--shadow"]


class XCompMgr(Compositing):
    compositor = ["xcompmgr", "-c"]


def hints(session, wid):
    return session.run(["xprop", "-id", str(wid), "_NET_WM_STATE", "_NET_WM_DESKTOP"]).stdout


def on_desktop(session, wid):
    """Out of taskbar and pager, on every workspace."""
    h = hints(session, wid)
    return all(s in h for s in ("SKIP_TASKBAR", "SKIP_PAGER")) and (
        "4294967295" in h or "STICKY" in h)


class DesktopModeTest(harness.E2ETest):
    def setUp(self):
        self.face = ms.BuiltinFace()

    def run_rows(self, rows):
        for kind, check in rows:
            with self.subTest(kind.__name__):
                self.session = harness.Session()
                try:
                    desktop = kind(self.session)
                    self.addCleanup(desktop.close)
                    desktop.start()
                    self.desk = int(self.window("desktop", "3366cc", 0, 0, 1280, 1024))
                    check(desktop)
                finally:
                    self.session.close()

    def window(self, kind, colour, *rect):
        s = self.session
        s.spawn([sys.executable, "-c", TYPED_WINDOW, kind, colour] + [str(v) for v in rect])
        return harness.wait_until(lambda: s.xdotool("search", "--onlyvisible", "--class", kind,
                                                     check=False).split(), 15, what=kind)[0]

    def shows_face(self, at=ORIGIN, covered=None):
        """The face at `at`, its cut-away pixels showing the desktop; only
        its painted pixels, and none `covered`, where a window covers it."""
        shot = self.session.screenshot()
        skip = skin_support.LAMPS + [covered] * bool(covered)
        return not skin_support.face_mismatches(shot, at, self.face, skip) and (
            covered or tc.holes_not_showing(shot, self.face, at) == 0)

    def start_clock(self, desktop, on):
        _, app = self.start(values={"X": str(ORIGIN[0] * 15), "Y": str(ORIGIN[1] * 15),
                                    "OnTop": "1" if on else "0"},
                            env={"EXP_DESKTOP": "1"})
        return app, app.window(timeout=30)

    def test_window_managers(self):
        self.run_rows([(Openbox, self.scenario), (tc.Mutter, self.scenario),
                       (tc.KWin, self.scenario), (Xfwm4, self.scenario)])

    def test_shadows(self):
        self.run_rows([(Picom, self.no_shadow), (XCompMgr, self.no_shadow)])

    def scenario(self, desktop):
        s = self.session
        app, wid = self.start_clock(desktop, True)
        harness.wait_until(lambda: on_desktop(s, wid), 10, what="desktop hints")
        desk = self.desk
        other = int(self.window("normal", "c81e1e", *APP))
        clock = int(wid)

        def stacked():
            order = ms.stacking(s)
            return set(order) >= {desk, clock, other} and \
                order.index(desk) < order.index(clock) < order.index(other)
        for click in (clock, desk):
            s.xdotool("mousemove", *(PRESS if click == clock else (1000, 900)), "click", 1)
            if click == desk:  # as the window manager takes that click (XTest passes it by)
                s.xdotool("windowactivate", desk, check=False)
            harness.wait_until(stacked, 10, what="desktop < clock < window")
        harness.wait_until(lambda: self.shows_face(covered=COVERED), 10, what="face beside")
        self.assertEqual(s.screenshot().pixel(APP[0] + 10, ORIGIN[1] + 170), RED)

        s.run(["wmctrl", "-k", "on"])
        harness.wait_until(self.shows_face, 10, what="face while the desktop shows")
        s.run(["wmctrl", "-k", "off"])
        s.run(["wmctrl", "-n", "2"])
        s.run(["wmctrl", "-s", "1"])
        harness.wait_until(self.shows_face, 10, what="face on workspace 2")
        s.run(["wmctrl", "-s", "0"])

        place = ms.drag(app, wid, PRESS, (100, 60))
        at = (place[0] + 150, place[1] + 170)
        ms.open_menu_at(app, wid, *at)
        s.xdotool("key", "Escape")
        ms.wait_menu_closed(app, wid)
        harness.wait_until(stacked, 10, what="desktop < clock < window after drag and menu")
        ms.pick(app, wid, ms.TO_DESKTOP, at)
        harness.wait_until(lambda: not on_desktop(s, app.window()), 10, what="mode off")
        s.run(["wmctrl", "-k", "on"])
        harness.wait_until(lambda: not self.shows_face(place), 10, what="hidden like a window")

    def no_shadow(self, desktop):
        app, wid = self.start_clock(desktop, False)
        desktop.compose()
        harness.wait_until(self.shows_face, 10, what="holes showing the desktop")
        ms.pick(app, wid, ms.TO_DESKTOP, PRESS)
        harness.wait_until(lambda: on_desktop(self.session, app.window()), 10, what="mode on")
        harness.wait_until(self.shows_face, 10, what="holes showing the desktop")


if __name__ == "__main__":
    harness.main()
