"""At Qt's scale factor 2 the clock shows the pictures drawn at twice the size:
the window is twice the face, the face is back@2x.bmp pixel for pixel, its
mask-coloured pixels show what lies below, and the tubes show the @2x strip
cells of the running time. For the built-in look and a shipped skin."""

import os

import harness
import skin_support

SCALE = 2
ORIGIN = (100, 90)  # logical pixels
PLACE = {"X": str(ORIGIN[0] * 15), "Y": str(ORIGIN[1] * 15)}
ROOT = "rgb(40,120,60)"


def doubled(name):
    base, ext = os.path.splitext(name)
    return base + "@2x" + ext


def scaled(rect):
    return tuple(v * SCALE for v in rect)


class DoubledLook:
    """The @2x pictures and the layout in device pixels, as skin_support reads
    a skin."""

    def __init__(self, folder, strips, tubes):
        read = lambda name: harness.Image.from_file(os.path.join(folder, doubled(name)))
        self.back = read("back.bmp")
        self.strips = [read(name) for name in strips]
        self.tubes = [scaled(t) for t in tubes]


def builtin_look():
    return DoubledLook(skin_support.BUILTIN_FOLDER, skin_support.DEFAULT_FILES,
                       skin_support.BUILTIN_TUBES)


def skin_look(name):
    skin = next(s for s in skin_support.shipped_skins() if s.name == name)
    files = [skin.keys.get("digit%d_file" % (i + 1)) or skin_support.DEFAULT_FILES[i]
             for i in range(6)]
    return DoubledLook(skin.folder, files, skin.tubes)


class DoubledFaceTest(harness.E2ETest):
    window_manager = True

    def check(self, look, values):
        self.session.set_root_picture(ROOT)
        root = harness.parse_colour(ROOT)
        _, app = self.start(values=dict(PLACE, **values), env={"QT_SCALE_FACTOR": str(SCALE)})
        wid = app.window()
        origin = scaled(ORIGIN)
        harness.wait_until(lambda: app.geometry(wid)[:2] == origin, 10, what="placed")
        self.assertEqual(app.geometry(wid)[2:], (look.back.width, look.back.height))
        lamps = [scaled(r) for r in skin_support.LAMPS]

        def shown():
            shot, problems = skin_support.shows_time(self.session, origin, look)
            if problems is None and not skin_support.face_mismatches(shot, origin, look, lamps):
                return shot
            return None
        shot = harness.wait_until(shown, 10, interval=0.2, what="@2x face and tubes")
        ox, oy = origin
        through = 0
        for y in range(look.back.height):
            for x in range(look.back.width):
                if look.back.pixel(x, y) == skin_support.MASK:
                    self.assertEqual(shot.pixel(ox + x, oy + y), root, (x, y))
                    through += 1
        self.assertGreater(through, 0)
        # The seconds tubes keep up, still from the @2x strips.
        harness.wait_until(lambda: skin_support.shows_time(self.session, origin, look)[1] is None,
                           3, interval=0.2, what="time on the tubes")

    def test_builtin(self):
        self.check(builtin_look(), {})

    def test_shipped_skin(self):
        self.check(skin_look("Bernstein"), {"Skin": "Bernstein"})


if __name__ == "__main__":
    harness.main()
