"""Driving the context menu and reading what the clock shows with its
built-in face: the tube pictures, the window manager's state, close
requests sent the way a desktop sends them."""

import ctypes

import harness
import skin_support

MASK = skin_support.MASK
TUBES = skin_support.BUILTIN_TUBES

# Keyboard steps from a freshly opened menu to an entry: the first Down
# selects "Über...", separators and the greyed "Skin" are passed over, and
# Up from nothing selected wraps to the last entry.
TO_STANDBY = ["Down", "Down"]
TO_ON_TOP = ["Down", "Down", "Down"]
TO_DESKTOP = ["Down", "Down", "Down", "Down"]
TO_ALARM = ["Down", "Down", "Down", "Down", "Down", "Down"]
TO_EXIT = ["Up"]


class BuiltinFace(skin_support.BuiltinLook):
    """What the clock shows of its built-in face."""

    def tube_mismatches(self, shot, origin, tube, digit):
        return skin_support.tube_mismatches(shot, origin, self, tube, digit)

    def shows_digits(self, shot, origin, digits):
        """Which tubes do not show their digit (empty: all do)."""
        return [k for k in range(6) if self.tube_mismatches(shot, origin, k, digits[k])]

    def shows_zeros(self, shot, origin):
        return not self.shows_digits(shot, origin, [0] * 6)

    def shows_time(self, session, origin):
        """Whether one screenshot shows a time read just before or after it."""
        return skin_support.shows_time(session, origin, self)[1] is None


def pointer(session):
    """The pointer's position on the screen."""
    out = session.xdotool("getmouselocation", "--shell")
    vals = dict(line.split("=", 1) for line in out.split() if "=" in line)
    return int(vals["X"]), int(vals["Y"])


def other_windows(app, wid):
    """Mapped windows of the program besides the clock window (its popups)."""
    r = app.session.run(["xdotool", "search", "--onlyvisible", "--pid", str(app.proc.pid)],
                        check=False)
    return [w for w in r.stdout.split() if w != wid]


def wait_menu(app, wid, timeout=10):
    """The open context menu's window id."""
    return harness.wait_until(lambda: (other_windows(app, wid) or [None])[0], timeout,
                              what="context menu")


def wait_menu_closed(app, wid, timeout=10):
    harness.wait_until(lambda: not other_windows(app, wid), timeout, what="menu closed")


def open_menu_at(app, wid, x, y, button=3):
    """Moves the pointer to (x, y), presses and releases `button` there and
    returns the menu window, once it is open."""
    s = app.session
    s.xdotool("mousemove", x, y)
    harness.wait_until(lambda: pointer(s) == (x, y), 5, what="pointer moved")
    s.xdotool("click", button)
    return wait_menu(app, wid)


def choose(app, wid, keys):
    """Walks the open menu with the keyboard and picks the entry."""
    app.session.xdotool("key", "--delay", "60", *keys, "Return")
    wait_menu_closed(app, wid)


def pick(app, wid, keys, at):
    """Opens the menu with the right button at `at` and picks an entry."""
    open_menu_at(app, wid, at[0], at[1])
    choose(app, wid, keys)


def drag(app, wid, start, delta, steps=6, settle=False):
    """Left press at `start` (screen), the pointer moved by `delta` in steps,
    release; returns the window's place once it has settled there. With
    `settle` each step waits until the window is there, as a slow hand does."""
    s = app.session
    s.xdotool("mousemove", *start)
    harness.wait_until(lambda: pointer(s) == tuple(start), 5, what="pointer")
    before = app.geometry(wid)[:2]
    s.xdotool("mousedown", 1)
    for i in range(1, steps + 1):
        step = (delta[0] * i // steps, delta[1] * i // steps)
        s.xdotool("mousemove", start[0] + step[0], start[1] + step[1])
        if settle:
            at = (before[0] + step[0], before[1] + step[1])
            harness.wait_until(lambda: app.geometry(wid)[:2] == at, 5, what="step at %s" % (at,))
    s.xdotool("mouseup", 1)
    want = (before[0] + delta[0], before[1] + delta[1])
    harness.wait_until(lambda: app.geometry(wid)[:2] == want, 5, what="window at %s" % (want,))
    return want


def net_wm_state(session, wid):
    return session.run(["xprop", "-id", str(wid), "_NET_WM_STATE"], check=False).stdout


def is_above(session, wid):
    return "_NET_WM_STATE_ABOVE" in net_wm_state(session, wid)


def stacking(session):
    """Managed top-level windows from bottom to top, as the window manager
    stacks them."""
    out = session.run(["xprop", "-root", "_NET_CLIENT_LIST_STACKING"]).stdout
    if "#" not in out:
        return []
    return [int(w.strip(), 16) for w in out.split("#", 1)[1].split(",") if w.strip()]


# -- client messages through Xlib, as a panel or pager sends them ----------

class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("xclient", _ClientMessage), ("pad", ctypes.c_long * 24)]


def _xlib():
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(_Event)]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XPending.argtypes = [ctypes.c_void_p]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(_Event)]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return x


def _send(session, to_root, wid, message_type, data):
    x = _xlib()
    dpy = x.XOpenDisplay(session.display.encode())
    if not dpy:
        raise AssertionError("cannot open display %s" % session.display)
    try:
        ev = _Event()
        ev.xclient.type = 33  # ClientMessage
        ev.xclient.window = int(wid)
        ev.xclient.message_type = x.XInternAtom(dpy, message_type.encode(), 0)
        ev.xclient.format = 32
        for i, v in enumerate(data):
            ev.xclient.data[i] = x.XInternAtom(dpy, v.encode(), 0) if isinstance(v, str) else v
        if to_root:
            mask = (1 << 19) | (1 << 20)  # SubstructureNotify | SubstructureRedirect
            x.XSendEvent(dpy, x.XDefaultRootWindow(dpy), 0, mask, ctypes.byref(ev))
        else:
            x.XSendEvent(dpy, int(wid), 0, 0, ctypes.byref(ev))
        x.XFlush(dpy)
    finally:
        x.XCloseDisplay(dpy)


def request_close(session, wid):
    """_NET_CLOSE_WINDOW to the window manager, as a taskbar's close does."""
    _send(session, True, wid, "_NET_CLOSE_WINDOW", [0, 2])


def delete_window(session, wid):
    """WM_DELETE_WINDOW straight to the window, as a window manager sends it."""
    _send(session, False, wid, "WM_PROTOCOLS", ["WM_DELETE_WINDOW", 0])


UNMAP_NOTIFY = 18
DESTROY_NOTIFY = 17


class StructureEvents:
    """Listens, on a connection of its own, to a window's structure events
    (unmapped, destroyed, moved, ...), so a blink that polling would miss
    is seen."""

    def __init__(self, session, wid):
        self.x = _xlib()
        self.dpy = self.x.XOpenDisplay(session.display.encode())
        if not self.dpy:
            raise AssertionError("cannot open display %s" % session.display)
        self.x.XSelectInput(self.dpy, int(wid), 1 << 17)  # StructureNotifyMask
        self.x.XSync(self.dpy, 0)
        self.seen = []

    def types(self):
        """The event types received so far."""
        self.x.XSync(self.dpy, 0)
        ev = _Event()
        while self.x.XPending(self.dpy):
            self.x.XNextEvent(self.dpy, ctypes.byref(ev))
            self.seen.append(ev.xclient.type)
        return list(self.seen)

    def close(self):
        if self.dpy:
            self.x.XCloseDisplay(self.dpy)
            self.dpy = None
