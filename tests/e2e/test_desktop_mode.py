"""The clock on the desktop under each window manager (hints, stacking, "show
desktop", workspaces, drag, menu; switched off, hidden like any window), and
under compositors that draw shadows, its cut-away pixels showing the desktop."""

import sys

import harness
import menu_support as ms
import skin_support
import test_compositors as tc
from test_compositors import plus

ORIGIN = (100, 100)
APP = (400, 80, 300, 300)  # an application window over the face's right part
COVERED = (APP[0] - ORIGIN[0] - 70, 0, 460, 234)  # that part and the window's shadow
PRESS = (150, 170)  # a painted point of the face, left of that window
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
win.map()
while True:
    d.next_event()
"""


class Openbox(tc.Desktop):
    command = ["openbox", "--sm-disable"]

    def start(self):
        self.spawn(self.command)
        harness.wait_until(lambda: "window id" in self.session.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False).stdout, 15, what="WM")


class Xfwm4(Openbox):
    command = ["xfwm4", "--compositor=off", "--sm-client-disable"]


class Picom(Openbox):
    """openbox and a compositor that draws shadows, started after the clock
    (whose window was made while none ran)."""

    compositor = ["picom", "--backend", "xrender", "--shadow"]

    def compose(self):
        self.spawn(self.compositor)
        owner = "from Xlib import display; d = display.Display(); " \
            "print(d.get_selection_owner(d.intern_atom('_NET_WM_CM_S0')))"
        harness.wait_until(lambda: self.session.run(
            [sys.executable, "-c", owner]).stdout.strip() != "0", 15, what="compositor")


class XCompMgr(Picom):
    compositor = ["xcompmgr", "-c"]


def settled(session, wid, on):
    """Managed again, with the desktop hints or without them."""
    h = session.run(["xprop", "-id", wid, "_NET_WM_STATE", "_NET_WM_DESKTOP"]).stdout
    hinted = all(s in h for s in ("BELOW", "SKIP_TASKBAR", "SKIP_PAGER")) and (
        "4294967295" in h or "STICKY" in h)
    return int(wid) in ms.stacking(session) and hinted == on


class DesktopModeTest(harness.E2ETest):
    def setUp(self):
        self.face = ms.BuiltinFace()

    def test_window_managers(self):
        # KWin's row is left out until its context menu after the drag opens
        # again (it times out on the merged tree; see the open issue).
        self.rows([Openbox, tc.Mutter, Xfwm4], self.scenario)

    def test_shadows(self):
        self.rows([Picom, XCompMgr], self.no_shadow)

    def rows(self, kinds, check):
        for kind in kinds:
            with self.subTest(kind.__name__):
                self.session = harness.Session()
                try:
                    desktop = kind(self.session)
                    self.addCleanup(desktop.close)
                    desktop.start()
                    self.desk = self.window("desktop", "3366cc", 0, 0, 1280, 1024)
                    check(desktop)
                finally:
                    self.session.close()

    def window(self, kind, colour, *rect):
        s = self.session
        s.spawn([sys.executable, "-c", TYPED_WINDOW, kind, colour] + [str(v) for v in rect])
        return int(harness.wait_until(lambda: s.xdotool(
            "search", "--onlyvisible", "--class", kind, check=False).split(), 15, what=kind)[0])

    def shows_face(self, at=ORIGIN, covered=None):
        """The face at `at`, its cut-away pixels showing the desktop; where a
        window covers part of it, its other painted pixels."""
        shot = self.session.screenshot()
        skip = skin_support.LAMPS + [covered] * bool(covered)
        return not skin_support.face_mismatches(shot, at, self.face, skip) and (
            covered or tc.holes_not_showing(shot, self.face, at) == 0)

    def start_clock(self, *modes):
        _, app = self.start(values=dict({"X": str(ORIGIN[0] * 15), "Y": str(ORIGIN[1] * 15)},
                                        **{mode: "1" for mode in modes}))
        return app, app.window(timeout=30)

    def scenario(self, desktop):
        s = self.session
        app, wid = self.start_clock("OnTop", "OnDesktop")  # both: the desktop wins
        harness.wait_until(lambda: settled(s, wid, True), 10, what="desktop hints")
        other = self.window("normal", "c81e1e", *APP)

        def stacked():
            order = ms.stacking(s)
            return {self.desk, int(wid), other} <= set(order) and \
                order.index(self.desk) < order.index(int(wid)) < order.index(other)
        for at in (plus(ORIGIN, PRESS), (1000, 900)):  # the clock, the desktop
            s.xdotool("mousemove", *at, "click", 1)
            if at == (1000, 900):  # as a window manager takes it (XTest passes it by)
                s.xdotool("windowactivate", self.desk, check=False)
            harness.wait_until(stacked, 10, what="desktop < clock < window")
        harness.wait_until(lambda: self.shows_face(covered=COVERED), 10, what="face beside")
        self.assertEqual(s.screenshot().pixel(APP[0] + 10, 270), (0xC8, 0x1E, 0x1E))

        s.run(["wmctrl", "-n", "2"])
        for show, back in (("-k on", "-k off"), ("-s 1", "-s 0")):  # show desktop, workspace 2
            s.run(["wmctrl"] + show.split())
            harness.wait_until(self.shows_face, 10, what="face after wmctrl " + show)
            s.run(["wmctrl"] + back.split())

        place = ms.drag(app, wid, plus(ORIGIN, PRESS), (100, 60))
        ms.open_menu_at(app, wid, *plus(place, PRESS))
        s.xdotool("key", "Escape")
        ms.wait_menu_closed(app, wid)
        harness.wait_until(stacked, 10, what="desktop < clock < window after drag and menu")
        ms.pick(app, wid, ms.TO_DESKTOP, plus(place, PRESS))
        harness.wait_until(lambda: settled(s, wid, False), 10, what="an ordinary window")
        s.run(["wmctrl", "-k", "on"])
        harness.wait_until(lambda: not self.shows_face(place), 10, what="hidden like a window")

    def no_shadow(self, desktop):
        app, wid = self.start_clock("OnTop")
        desktop.compose()
        harness.wait_until(self.shows_face, 10, what="holes showing the desktop")
        ms.pick(app, wid, ms.TO_DESKTOP, plus(ORIGIN, PRESS))
        harness.wait_until(lambda: settled(self.session, wid, True), 10, what="desktop mode")
        harness.wait_until(self.shows_face, 10, what="holes showing the desktop")


if __name__ == "__main__":
    harness.main()
