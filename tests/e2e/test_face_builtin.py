"""The built-in face on a real X server: the tubes show the running time cell
for cell, the window has exactly the outline of the device, and clicks on the
cut-away pixels reach the window below."""

import os
import subprocess

import harness
import skin_support

ORIGIN = (150, 120)
PLACE = {"X": str(ORIGIN[0] * 15), "Y": str(ORIGIN[1] * 15)}
TUBES = skin_support.BUILTIN_TUBES
ROOT = "rgb(40,120,60)"


def cut_away_pixels(face, margin=3):
    """Mask-coloured pixels of the face whose whole neighbourhood is mask
    colour too, so a click there is clearly outside the device."""
    found = []
    for y in range(margin, face.height - margin, 7):
        for x in range(margin, face.width - margin, 7):
            if all(face.pixel(x + i, y + j) == skin_support.MASK
                   for i in range(-margin, margin + 1) for j in range(-margin, margin + 1)):
                found.append((x, y))
    return found


def kept_pixel(face):
    """A device pixel well inside the device, away from every tube."""
    for y in range(face.height // 4, face.height * 3 // 4):
        for x in range(20, face.width - 20):
            near = [face.pixel(x + i, y + j) for i in (-4, 0, 4) for j in (-4, 0, 4)]
            if skin_support.MASK not in near and \
                    not skin_support.inside(x, y, [(l - 6, t - 6, w + 12, h + 12)
                                                   for l, t, w, h in TUBES]):
                return x, y
    raise AssertionError("no device pixel found")


class XevWindow:
    """A full-screen xev window that reports the button presses it gets."""

    def __init__(self, session):
        self.session = session
        self.log = os.path.join(session.tmp, "xev.txt")
        with open(self.log, "wb") as out:
            session.spawn(["stdbuf", "-oL", "xev", "-geometry", "1280x1024+0+0",
                           "-event", "button"], stdout=out, stderr=subprocess.DEVNULL)

        def mapped():
            r = session.run(["xdotool", "search", "--onlyvisible", "--name", "Event Tester"],
                            check=False)
            return r.stdout.split()
        harness.wait_until(mapped, 10, what="xev window")

    def presses(self):
        """Root positions of the presses received so far."""
        with open(self.log, encoding="latin-1") as f:
            text = f.read()
        found = []
        for block in text.split("ButtonPress event")[1:]:
            root = block.split("root:(", 1)[1].split(")", 1)[0]
            x, y = root.split(",")
            found.append((int(x), int(y)))
        return found


class BuiltinFaceTest(harness.E2ETest):
    def started(self, **kw):
        _, app = self.start(values=dict(PLACE), **kw)
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
        return app, wid

    def test_tubes_show_the_cells_of_the_running_time(self):
        look = skin_support.BuiltinLook()
        app, wid = self.started()
        self.assertEqual(app.geometry(wid)[2:], (460, 234))

        def shown():
            _, problems = skin_support.shows_time(self.session, ORIGIN, look)
            return problems is None
        harness.wait_until(shown, 10, interval=0.2, what="time on the tubes")
        # And again a few seconds on: the seconds tubes keep up.
        for _ in range(3):
            harness.wait_until(shown, 3, interval=0.2, what="time on the tubes")

    def test_cut_away_pixels_pass_clicks_to_the_window_below(self):
        look = skin_support.BuiltinLook()
        xev = XevWindow(self.session)
        app, wid = self.started()
        # First a click on the device: the clock takes it, xev does not.
        kx, ky = kept_pixel(look.back)
        self.session.xdotool("mousemove", ORIGIN[0] + kx, ORIGIN[1] + ky, "click", "1")
        holes = cut_away_pixels(look.back)
        self.assertTrue(holes)
        hx, hy = holes[len(holes) // 2]
        target = (ORIGIN[0] + hx, ORIGIN[1] + hy)
        self.session.xdotool("mousemove", *target)
        self.session.xdotool("click", "1")
        harness.wait_until(lambda: xev.presses(), 5, what="press below the clock")
        self.assertEqual(xev.presses(), [target])
        self.assertTrue(app.alive())
        self.assertEqual(app.geometry(wid)[:2], ORIGIN)


class BuiltinOutlineTest(harness.E2ETest):
    window_manager = True

    def test_window_has_exactly_the_outline_of_the_device(self):
        look = skin_support.BuiltinLook()
        self.session.set_root_picture(ROOT)
        root = harness.parse_colour(ROOT)
        _, app = self.start(values=dict(PLACE))
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")

        def drawn():
            shot = self.session.screenshot()
            return shot if not skin_support.face_mismatches(shot, ORIGIN, look) else None
        shot = harness.wait_until(drawn, 10, interval=0.2, what="face drawn")
        ox, oy = ORIGIN
        through = kept = 0
        for y in range(look.back.height):
            for x in range(look.back.width):
                if look.back.pixel(x, y) == skin_support.MASK:
                    self.assertEqual(shot.pixel(ox + x, oy + y), root, (x, y))
                    through += 1
                else:
                    kept += 1
        self.assertGreater(through, 0)
        self.assertGreater(kept, 0)
        # Around the window the root shows as well.
        for x in range(ox - 5, ox + look.back.width + 5):
            self.assertEqual(shot.pixel(x, oy - 1), root)
            self.assertEqual(shot.pixel(x, oy + look.back.height), root)


if __name__ == "__main__":
    harness.main()
