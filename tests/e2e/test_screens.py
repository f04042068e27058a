"""Where the clock and the dialogs appear: a clock saved off every screen
comes back, one partly on a screen stays; dialogs are centred by their outer
frame under a window manager."""

import os
import types

import harness
import menu_support as ms

CLOCK = (460, 234)
LOGGING = {"QT_LOGGING_RULES": "glimmora.screens.debug=true"}


def centred(size, screen=(1280, 1024)):
    """Top-left of a window of `size` centred by the twips arithmetic."""
    def half(a):
        return int(round(a)) // 2
    left = max(0, half(screen[0] * 15) - half(size[0] * 15))
    top = max(0, half(screen[1] * 15 * 0.85) - half(size[1] * 15))
    return (int(round(left / 15)), int(round(top / 15)))


def twips(x, y):
    return {"X": str(x * 15), "Y": str(y * 15)}


# Settings, and where the clock stands (None: centred, whole on the screen).
SAVED_PLACES = [
    ("far right", {"X": "90000", "Y": "3000"}, None),
    ("half off the left edge", {"X": "-3000", "Y": "750"}, (-200, 50)),
    ("only the top-left corner on", twips(-459, -233), (-459, -233)),
    ("only the bottom-right corner on", twips(1279, 1023), (1279, 1023)),
    ("a pixel beyond the corner", twips(-460, -233), None),
]

# Dialog, how it is opened, its title, and when its frame is learnt.
DIALOGS = [
    ("alarm dialog from the menu", "menu", "^Alarmzeit einstellen$", "in advance: true"),
    ("alarm notice", "notice", "^Alarm$", "in advance: true"),
    ("key dialog", "keys", "^Taste ausw", "in advance: true"),
    ("skin chooser", "skins", "^Skins$", "in advance: true"),
    ("frame learnt only after show", "late", "^Alarmzeit einstellen$", "after show"),
]


class SavedPlaceTest(harness.E2ETest):
    """Without a window manager, which would move windows by itself."""

    def test_saved_places(self):
        for name, values, expected in SAVED_PLACES:
            with self.subTest(name):
                _, app = self.start(values=values, env=LOGGING)
                want = (expected or centred(CLOCK)) + CLOCK
                harness.wait_until(lambda: app.geometry() == want, 10, what=str(want))
                app.proc.kill()
                app.wait_exit()


class DialogFrameTest(harness.E2ETest):
    window_manager = True

    def open(self, how):
        program = harness.ProgramDir(self.session)
        if how != "menu":
            host = types.SimpleNamespace(exe=os.path.join(harness.BUILD_DIR, "dialoghost"))
            return harness.Glimmora(self.session, host, [program.path, how], env=LOGGING)
        app = harness.Glimmora(self.session, program, env=LOGGING)
        x, y, _, _ = app.geometry()
        left, top, w, h = ms.TUBES[0]
        ms.open_menu_at(app, app.window(), x + left + w // 2, y + top + h // 2)
        self.session.xdotool("key", "--delay", "60", "Down", "Down", "Down", "Down", "Down",
                             "Return")
        return app

    def find(self, app, title):
        ids = self.session.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(app.proc.pid),
                                "--name", title], check=False).stdout.split()
        return ids[0] if ids else None

    def outer_frame(self, app, wid):
        out = self.session.run(["xprop", "-id", wid, "_NET_FRAME_EXTENTS"]).stdout
        if "=" not in out:
            return None
        left, right, top, bottom = (int(v) for v in out.split("=", 1)[1].split(","))
        x, y, w, h = app.geometry(wid)
        return (x - left, y - top, w + left + right, h + top + bottom), top

    def test_dialogs_are_centred_by_their_frame(self):
        for name, how, title, learnt in DIALOGS:
            with self.subTest(name):
                app = self.open(how)
                dialog = harness.wait_until(lambda: self.find(app, title), 15, what=name)
                seen = []

                def centred_frame():
                    seen[:] = [self.outer_frame(app, dialog)]
                    frame, title_bar = seen[0] or ((0, 0, 0, 0), 0)
                    want = centred(frame[2:])
                    return title_bar > 0 and all(abs(a - b) <= 1
                                                 for a, b in zip(frame[:2], want))
                try:
                    harness.wait_until(centred_frame, 10, what="frame centred")
                except AssertionError:
                    self.fail("frame and title bar not centred: %s" % seen)
                finally:
                    app.proc.kill()
                    app.wait_exit()
                with open(app.stderr_path, encoding="utf-8", errors="replace") as f:
                    log = f.read()
                self.assertIn("frame known " + learnt, log)
                # Told in advance, the dialog is never moved once shown.
                self.assertEqual("frame known after show" in log, learnt == "after show")


if __name__ == "__main__":
    harness.main()
