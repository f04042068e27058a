"""A skin of our own on a real X server: its layout and its face picture's
size make the window, whatever "Width" and "Height" say; only the exact mask
colour is cut away; a face entirely of the mask colour leaves nothing."""

import os

import harness
import skin_support
from test_face_builtin import XevWindow

ORIGIN = (200, 150)
PLACE = {"X": str(ORIGIN[0] * 15), "Y": str(ORIGIN[1] * 15)}
ROOT = "rgb(40,120,60)"
MASK = skin_support.MASK
NEAR = (0, 0, 41)
BODY = (90, 60, 30)
FACE = (320, 180)
AREA = (200, 100)  # "Width" and "Height": smaller than the picture
DEVICE = (10, 10, 300, 160)
# Tubes as the skin file writes them, and where they must end up.
TUBE_KEYS = [("40", "20", "12", "20"), ("40", "36.5", "12", "20"), ("40.5", "60", "12", "20"),
             ("41", "76", "12", "20"), ("44", "100", "9", "15"), ("44", "113", "9", "15")]
TUBES = [(20, 40, 12, 20), (36, 40, 12, 20), (60, 40, 12, 20), (76, 41, 12, 20),
         (100, 44, 9, 15), (113, 44, 9, 15)]


def write_bmp(path, width, height, colour_at):
    """A 24-bit Windows bitmap, bottom-up, rows padded to four bytes."""
    pad = (4 - width * 3 % 4) % 4
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = colour_at(x, y)
            row += bytes((b, g, r))
        rows.append(bytes(row) + b"\0" * pad)
    with open(path, "wb") as f:
        f.write(skin_support.bmp(width, height, 24, 0, [], b"".join(rows)))


def strip_colour(w):
    """Every pixel of every cell differs, so a wrong cell or offset shows."""
    return lambda x, y: (30 + (x // w) * 22, (x % w) * 19 % 256, 40 + y * 11 % 200)


def face_colour(x, y):
    dx, dy, dw, dh = DEVICE
    if dx <= x < dx + dw and dy <= y < dy + dh:
        return (BODY[0], BODY[1] + (x + y) % 40, BODY[2])
    if dx - 1 <= x <= dx + dw and dy - 1 <= y <= dy + dh:
        return NEAR  # one step from the mask colour: stays in the window
    return MASK


def make_skin(program, name, face=face_colour):
    folder = os.path.join(program.path, "Skins", name)
    os.makedirs(folder)
    lines = ["[%s]" % harness.SECTION, "Width=%d" % AREA[0], "Height=%d" % AREA[1]]
    for i, (top, left, w, h) in enumerate(TUBE_KEYS):
        n = i + 1
        lines += ["Digit%d_Top=%s" % (n, top), "Digit%d_Left=%s" % (n, left),
                  "Digit%d_Width=%s" % (n, w), "Digit%d_Height=%s" % (n, h)]
    lines += ["Digit1_File=strips\\hours.bmp", "PowerSwitch_Top=120", "PowerSwitch_Left=20",
              "PowerSwitch_Width=10", "PowerSwitch_Height=10"]
    with open(os.path.join(folder, "SkinFile.ini"), "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")
    write_bmp(os.path.join(folder, "back.bmp"), FACE[0], FACE[1], face)
    os.makedirs(os.path.join(folder, "strips"))
    write_bmp(os.path.join(folder, "strips", "hours.bmp"), 3 * 12, 20, strip_colour(12))
    for n in (2, 3, 4):
        write_bmp(os.path.join(folder, "%d.bmp" % n), 10 * 12, 20, strip_colour(12))
    write_bmp(os.path.join(folder, "5.bmp"), 10 * 9, 15, strip_colour(9))
    return folder


class SkinPictures:
    """The test skin's pictures and tube places, as skin_support reads them."""

    def __init__(self, folder):
        read = lambda *p: harness.Image.from_file(os.path.join(folder, *p))
        self.back = read("back.bmp")
        self.strips = [read("strips", "hours.bmp"), read("2.bmp"), read("3.bmp"), read("4.bmp"),
                       read("5.bmp"), read("5.bmp")]
        self.tubes = TUBES


class OwnSkinTest(harness.E2ETest):
    window_manager = True

    def started(self, name, face=face_colour):
        self.session.set_root_picture(ROOT)
        program = harness.ProgramDir(self.session, skins=False)
        folder = make_skin(program, name, face)
        program.write_ini(dict(PLACE, Skin=name))
        app = harness.Glimmora(self.session, program)
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
        return app, wid, folder

    def test_layout_and_picture_size_come_from_the_skin(self):
        app, wid, folder = self.started("Eigen")
        self.assertEqual(app.geometry(wid)[2:], FACE)
        skin = SkinPictures(folder)

        def shown():
            shot, problems = skin_support.shows_time(self.session, ORIGIN, skin)
            return shot if problems is None else None
        shot = harness.wait_until(shown, 10, interval=0.2, what="time on the skin's tubes")

        root = harness.parse_colour(ROOT)
        ox, oy = ORIGIN
        for y in range(FACE[1]):
            for x in range(FACE[0]):
                want = face_colour(x, y)
                got = shot.pixel(ox + x, oy + y)
                if want == MASK:
                    self.assertEqual(got, root, (x, y))
                elif skin_support.inside(x, y, TUBES):
                    continue
                elif x < AREA[0] and y < AREA[1]:
                    self.assertEqual(got, want, (x, y))  # the face area shows the face
                else:
                    self.assertNotEqual(got, root, (x, y))  # window, beyond the face area

    def test_face_of_mask_colour_only_leaves_nothing(self):
        app, wid, _ = self.started("Leer", face=lambda x, y: MASK)
        self.assertEqual(app.geometry(wid)[2:], FACE)
        root = harness.parse_colour(ROOT)
        ox, oy = ORIGIN
        shot = self.session.screenshot()
        for y in range(-2, FACE[1] + 2, 3):
            for x in range(-2, FACE[0] + 2, 3):
                self.assertEqual(shot.pixel(ox + x, oy + y), root, (x, y))
        self.assertTrue(app.alive())


class ClickThroughSkinTest(harness.E2ETest):
    def test_clicks_on_an_empty_shape_reach_the_window_below(self):
        xev = XevWindow(self.session)
        program = harness.ProgramDir(self.session, skins=False)
        make_skin(program, "Leer", face=lambda x, y: MASK)
        program.write_ini(dict(PLACE, Skin="Leer"))
        app = harness.Glimmora(self.session, program)
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
        target = (ORIGIN[0] + 50, ORIGIN[1] + 50)  # on a tube, were there a shape
        self.session.xdotool("mousemove", *target)
        self.session.xdotool("click", "1")
        harness.wait_until(lambda: xev.presses(), 5, what="press below the clock")
        self.assertEqual(xev.presses(), [target])
        self.assertTrue(app.alive())


if __name__ == "__main__":
    harness.main()
