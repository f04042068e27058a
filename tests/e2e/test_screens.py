"""Where the clock and the dialogs appear: a clock saved off every screen
comes back, one partly on a screen stays; dialogs are centred by their outer
frame under a window manager."""

import os
import subprocess

import harness
import menu_support as ms

SCREEN = (1280, 1024)
CLOCK = (460, 234)
LOG_RULES = {"QT_LOGGING_RULES": "glimmora.screens.debug=true"}


def half(a):
    """a \\ 2: round half to even, then halve towards zero."""
    r = int(round(a))
    return r // 2 if r >= 0 else -(-r // 2)


def centred(size, screen=SCREEN):
    """Top-left of a window of `size` centred by the twips arithmetic."""
    w, h = size
    left = max(0, half(screen[0] * 15) - half(w * 15))
    top = max(0, half(screen[1] * 15 * 0.85) - half(h * 15))
    return (int(round(left / 15)), int(round(top / 15)))


def twips(x, y):
    return {"X": str(x * 15), "Y": str(y * 15)}


# Settings, and where the clock stands (None: centred, whole on the screen).
SAVED_PLACES = [
    ("far right of the screen", {"X": "90000", "Y": "3000"}, None),
    ("half off the left edge", {"X": "-3000", "Y": "750"}, (-200, 50)),
    ("only the top-left corner on", twips(-459, -233), (-459, -233)),
    ("only the bottom-right corner on", twips(1279, 1023), (1279, 1023)),
    ("one pixel beyond the corner", twips(-460, -233), None),
]


class SavedPlaceTest(harness.E2ETest):
    """Without a window manager, which would move windows by itself."""

    def test_saved_places(self):
        self.session.env["DBUS_SESSION_BUS_ADDRESS"] = "disabled:"
        for name, values, expected in SAVED_PLACES:
            with self.subTest(name):
                _, app = self.start(values=values)
                wid = app.window()
                want = expected or centred(CLOCK)
                harness.wait_until(lambda: app.geometry(wid) == want + CLOCK, 10,
                                   what="clock at %s" % (want,))
                app.proc.kill()
                app.wait_exit()


def find_window(session, pid, title):
    r = session.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid),
                     "--name", title], check=False)
    ids = r.stdout.split()
    return ids[0] if ids else None


def outer_frame(session, wid):
    """(x, y, width, height) of the window with the window manager's frame."""
    out = session.run(["xprop", "-id", wid, "_NET_FRAME_EXTENTS"], check=False).stdout
    if "=" not in out:
        return None
    left, right, top, bottom = (int(v) for v in out.split("=", 1)[1].split(","))
    x, y, w, h = client_geometry(session, wid)
    return (x - left, y - top, w + left + right, h + top + bottom)


def client_geometry(session, wid):
    out = session.run(["xwininfo", "-id", wid]).stdout
    vals = {}
    for line in out.splitlines():
        key, _, value = line.strip().partition(":")
        vals[key] = value.strip()
    return (int(vals["Absolute upper-left X"]), int(vals["Absolute upper-left Y"]),
            int(vals["Width"]), int(vals["Height"]))


# Dialog, how it is opened, its title, and when its frame is learnt.
DIALOGS = [
    ("alarm dialog from the menu", "menu", "^Alarmzeit einstellen$", "in advance: true"),
    ("alarm notice", "notice", "^Alarm$", "in advance: true"),
    ("key dialog", "keys", "^Taste ausw", "in advance: true"),
    ("skin chooser", "skins", "^Skins$", "in advance: true"),
    ("frame learnt only after show", "late", "^Alarmzeit einstellen$", "after show"),
]


class DialogFrameTest(harness.E2ETest):
    window_manager = True

    def open_by_menu(self, program):
        app = harness.Glimmora(self.session, program, env=LOG_RULES)
        wid = app.window()
        x, y, _, _ = app.geometry(wid)
        left, top, w, h = ms.TUBES[0]
        ms.open_menu_at(app, wid, x + left + w // 2, y + top + h // 2)
        self.session.xdotool("key", "--delay", "60", "Down", "Down", "Down", "Down", "Return")
        return app.proc, app.stderr_path

    def open_in_host(self, program, mode):
        err_path = os.path.join(self.session.tmp, "host-%s.txt" % mode)
        env = dict(self.session.env, **LOG_RULES)
        with open(err_path, "wb") as err:
            proc = self.session.spawn([os.path.join(harness.BUILD_DIR, "dialoghost"),
                                       program.path, mode], env=env,
                                      stdout=subprocess.DEVNULL, stderr=err)
        return proc, err_path

    def test_dialogs_are_centred_by_their_frame(self):
        self.session.env["DBUS_SESSION_BUS_ADDRESS"] = "disabled:"
        for name, how, title, learnt in DIALOGS:
            with self.subTest(name):
                program = harness.ProgramDir(self.session)
                proc, err_path = (self.open_by_menu(program) if how == "menu"
                                  else self.open_in_host(program, how))
                dialog = harness.wait_until(lambda: find_window(self.session, proc.pid, title),
                                            15, what=name)

                seen = []

                def centred_frame():
                    frame = outer_frame(self.session, dialog)
                    seen[:] = [frame, client_geometry(self.session, dialog)]
                    # Framed (a title bar at least), and centred by that size.
                    if not frame or frame[3] <= seen[1][3]:
                        return None
                    seen.append(centred(frame[2:]))
                    return all(abs(a - b) <= 1 for a, b in zip(frame[:2], seen[2]))
                try:
                    harness.wait_until(centred_frame, 10, what="frame centred")
                except AssertionError:
                    with open(err_path, encoding="utf-8", errors="replace") as f:
                        self.fail("frame, client, centred: %s\n%s" % (seen, f.read()))
                finally:
                    proc.kill()
                    proc.wait()
                with open(err_path, encoding="utf-8", errors="replace") as f:
                    self.assertIn("frame known " + learnt, f.read())


if __name__ == "__main__":
    harness.main()
