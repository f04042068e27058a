"""Files a careless or hostile user leaves: FIFOs, byte-order marks, a ragged
face of thousands of pixels, a tube far larger than the face, settings that
are a link to a device. The clock starts, stays small, shows what it should
and ends as usual, keeping the files' form."""

import os
import time

import harness
import menu_support as ms
import skin_support

ORIGIN = (40, 30)
PLACE = {"X": str(ORIGIN[0] * 15), "Y": str(ORIGIN[1] * 15)}


def checkerboard(size):
    """One-pixel checkerboard of the mask colour and white, run-length coded
    in 4 bits: a few dozen kilobytes for millions of pixels."""
    runs = size // 250
    rows = [bytes([250, 0x01 if y % 2 == 0 else 0x10]) * runs + b"\0\0" for y in range(size)]
    return skin_support.bmp(size, size, 4, 2, [skin_support.MASK, (255, 255, 255)],
               b"".join(rows) + b"\0\1")


def peak_memory_mb(app):
    with open("/proc/%d/status" % app.proc.pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) // 1024
    raise AssertionError("no VmHWM")


def copy_skin(program, name="Bernstein"):
    folder = os.path.join(program.path, "Skins", name)
    return folder, skin_support.Skin(folder)


def set_skin_keys(folder, **keys):
    path = os.path.join(folder, "SkinFile.ini")
    with open(path, encoding="latin-1") as f:
        lines = f.read().splitlines()
    for k, v in keys.items():
        lines = [l for l in lines if not l.lower().startswith(k.lower() + "=")] + ["%s=%s" % (k, v)]
    with open(path, "w", encoding="latin-1") as f:
        f.write("\r\n".join(lines) + "\r\n")


def recode(path, codec, bom):
    with open(path, "rb") as f:
        text = f.read().decode("latin-1")
    with open(path, "wb") as f:
        f.write(bom + text.encode(codec))


# Each row: what to do to a fresh program directory with skin Bernstein
# before the start, and what must hold once the window is there.
class HostileFilesTest(harness.E2ETest):

    def run_row(self, prepare, check):
        program = harness.ProgramDir(self.session)
        program.write_ini(dict(PLACE, Skin="Bernstein"))
        os.umask(0o022)
        state = prepare(self, program) or {}
        app = harness.Glimmora(self.session, program)
        wid = app.window(timeout=20)
        check(self, program, app, wid, state)

    def exit_by_request(self, app, wid):
        ms.delete_window(self.session, wid)
        self.assertEqual(app.wait_exit(10), 0)

    # -- rows ---------------------------------------------------------------
    def fifo_at(name):
        def prepare(self, program):
            path = os.path.join(program.path, name)
            os.unlink(path)
            os.mkfifo(path)
        return prepare

    def shows_builtin_size(self, program, app, wid, state):
        self.assertEqual(app.geometry(wid)[2:], (460, 234))
        self.exit_by_request(app, wid)

    def settings_to_dev_zero(self, program):
        os.unlink(program.ini)
        os.symlink("/dev/zero", program.ini)

    def exit_writes_user_copy(self, program, app, wid, state):
        self.exit_by_request(app, wid)
        user = os.path.join(self.session.home, ".config", "glimmora", "glimmora.ini")
        with open(user, "rb") as f:
            self.assertIn(b"StandBy=0", f.read())
        self.assertEqual(os.stat(user).st_mode & 0o777, 0o644)

    def ragged_face(self, program):
        with open(os.path.join(program.path, "Skins", "Bernstein", "back.bmp"), "wb") as f:
            f.write(checkerboard(3000))

    def shaped_to_the_checkerboard(self, program, app, wid, state):
        self.assertEqual(app.geometry(wid)[2:], (3000, 3000))
        # On even rows the even pixels are white and kept, the odd ones cut;
        # inside the skin's face area, away from its tubes.
        x, y = ORIGIN[0] + 100, ORIGIN[1] + 200

        def drawn():
            shot = self.session.screenshot()
            return shot if shot.pixel(x, y) == (255, 255, 255) else None
        shot = harness.wait_until(drawn, 10, what="face drawn")
        self.assertNotEqual(shot.pixel(x + 1, y), skin_support.MASK)
        time.sleep(0.5)  # the connection broke only after the first paint
        self.assertTrue(app.alive())
        self.exit_by_request(app, wid)

    def huge_tube(self, program):
        folder, _ = copy_skin(program)
        set_skin_keys(folder, Digit4_Width="20000", Digit4_Height="20000")

    def stays_small(self, program, app, wid, state):
        # A few ticks redraw the minutes tubes at least once.
        time.sleep(1.5)
        self.assertLess(peak_memory_mb(app), 300)
        self.exit_by_request(app, wid)

    def skin_file_in(codec, bom):
        def prepare(self, program):
            folder, skin = copy_skin(program)
            recode(os.path.join(folder, "SkinFile.ini"), codec, bom)
            return {"skin": skin}
        return prepare

    def shows_the_skin(self, program, app, wid, state):
        skin = state["skin"]
        self.assertEqual(app.geometry(wid)[2:], skin.size())
        harness.wait_until(
            lambda: skin_support.shows_time(self.session, ORIGIN, skin)[1] is None, 10,
            interval=0.2, what="time on the skin's tubes")
        self.exit_by_request(app, wid)

    def settings_in(codec, bom):
        def prepare(self, program):
            recode(program.ini, codec, bom)
            return {"codec": codec, "bom": bom}
        return prepare

    def kept_its_encoding(self, program, app, wid, state):
        # Read: placed where the file says.
        self.assertEqual(app.geometry(wid)[:2], ORIGIN)
        self.exit_by_request(app, wid)
        with open(program.ini, "rb") as f:
            raw = f.read()
        self.assertTrue(raw.startswith(state["bom"]), raw[:8])
        text = raw[len(state["bom"]):].decode(state["codec"])
        self.assertEqual(text.lower().count("[marvane glimmora]"), 1, text)
        self.assertIn("StandBy=0", text)
        self.assertIn("X=" + PLACE["X"], text)

    ROWS = [
        ("3000 x 3000 checkerboard face", ragged_face, shaped_to_the_checkerboard),
        ("FIFO as the face", fifo_at("Skins/Bernstein/back.bmp"), shows_builtin_size),
        ("FIFO as a strip", fifo_at("Skins/Bernstein/2.bmp"), None),
        ("FIFO as the settings file", fifo_at("glimmora.ini"), exit_writes_user_copy),
        ("settings a link to /dev/zero", settings_to_dev_zero, exit_writes_user_copy),
        ("tube of 20000 x 20000", huge_tube, stays_small),
        ("skin file UTF-16 LE", skin_file_in("utf-16-le", b"\xff\xfe"), shows_the_skin),
        ("skin file UTF-8 with BOM", skin_file_in("utf-8", b"\xef\xbb\xbf"), shows_the_skin),
        ("settings UTF-16 BE", settings_in("utf-16-be", b"\xfe\xff"), kept_its_encoding),
        ("settings UTF-8 with BOM", settings_in("utf-8", b"\xef\xbb\xbf"), kept_its_encoding),
    ]

    def setUp(self):
        if not os.path.exists(os.path.join(harness.BUILD_DIR, "glimmora")):
            self.fail("build/glimmora is missing")

    def test_rows(self):
        for name, prepare, check in self.ROWS:
            with self.subTest(name):
                self.session = harness.Session()
                try:
                    self.run_row(prepare, check or HostileFilesTest.exit_after_start)
                finally:
                    self.session.close()

    def exit_after_start(self, program, app, wid, state):
        self.exit_by_request(app, wid)


if __name__ == "__main__":
    harness.main()
