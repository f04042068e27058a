"""Skins a user gets wrong show the built-in face with the running time and
say why in the skin log; skins in the data folders are found."""

import os
import shutil

import harness
import menu_support as ms
import skin_support

ORIGIN = (60, 50)
PLACE = {"X": str(ORIGIN[0] * 15), "Y": str(ORIGIN[1] * 15)}
LOG_RULES = {"QT_LOGGING_RULES": "glimmora.skin.warning=true"}


def bernstein(program):
    return os.path.join(program.path, "Skins", "Bernstein")


class SkinFallbackTest(harness.E2ETest):

    def shows(self, app, look, what):
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
        self.assertEqual(app.geometry(wid)[2:], (look.back.width, look.back.height))
        last = {}

        def drawn():
            shot, problems = skin_support.shows_time(self.session, ORIGIN, look)
            bad = skin_support.face_mismatches(shot, ORIGIN, look)
            last["problems"] = (problems or []) + (["%d face pixels differ" % len(bad)]
                                                   if bad else [])
            return not last["problems"]
        try:
            harness.wait_until(drawn, 15, interval=0.2, what=what)
        except AssertionError:
            self.fail("%s: %s" % (what, last["problems"]))
        return wid

    def test_unusable_skins_show_the_builtin_face_and_time(self):
        rows = [
            ("misspelt name", "Bernstien", lambda p: None),
            ("folder without skin file", "Bernstein",
             lambda p: os.unlink(os.path.join(bernstein(p), "SkinFile.ini"))),
            ("missing picture", "Bernstein",
             lambda p: os.unlink(os.path.join(bernstein(p), "3.bmp"))),
        ]
        look = skin_support.BuiltinLook()
        for name, skin, spoil in rows:
            with self.subTest(name):
                program = harness.ProgramDir(self.session)
                spoil(program)
                _, app = self.start(program, values=dict(PLACE, Skin=skin), env=LOG_RULES)
                wid = self.shows(app, look, name)
                ms.delete_window(self.session, wid)
                self.assertEqual(app.wait_exit(10), 0)
                # The name stays as the user wrote it, for the next start.
                self.assertEqual(program.setting("Skin"), skin)
                with open(app.stderr_path, encoding="utf-8", errors="replace") as f:
                    lines = [l for l in f if 'skin "%s" not used' % skin in l]
                self.assertEqual(len(lines), 1, lines)

    def test_skins_in_the_data_folders(self):
        data_home = os.path.join(self.session.tmp, "data-home")
        system = os.path.join(self.session.tmp, "data-system")
        rows = [("user's data folder", data_home, "Bernstein"),
                ("a system data folder", system, "Nachtblau")]
        for name, data, skin in rows:
            with self.subTest(name):
                program = harness.ProgramDir(self.session)
                target = os.path.join(data, "glimmora", "Skins", skin)
                os.makedirs(os.path.dirname(target), exist_ok=True)
                shutil.move(os.path.join(program.path, "Skins", skin), target)
                env = {"XDG_DATA_HOME": data_home,
                       "XDG_DATA_DIRS": os.pathsep.join(["/nonexistent", system])}
                _, app = self.start(program, values=dict(PLACE, Skin=skin), env=env)
                wid = self.shows(app, skin_support.Skin(target), name)
                ms.delete_window(self.session, wid)
                self.assertEqual(app.wait_exit(10), 0)


if __name__ == "__main__":
    harness.main()
