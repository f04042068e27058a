"""Bad settings files: the program starts, and an exit writes nothing but keys."""

import os
import subprocess

import harness

NOBODY = 65534


def exit_by_double_click(test, app):
    x, y, _, _ = app.geometry()
    # The middle of the first tube is on the built-in face whatever its outline.
    test.session.xdotool("mousemove", x + 113 + 9, y + 114 + 17)
    test.session.xdotool("click", "--repeat", "2", "--delay", "80", "1")
    return app.wait_exit(timeout=10)


class BadSettingsTest(harness.E2ETest):
    def test_binary_garbage_is_kept_and_keys_are_appended(self):
        program = harness.ProgramDir(self.session)
        garbage = bytes(range(256)) * 40 + b"\n[Marvane"
        with open(program.ini, "wb") as f:
            f.write(garbage)
        _, app = self.start(program)
        app.window()
        self.assertEqual(exit_by_double_click(self, app), 0)
        with open(program.ini, "rb") as f:
            after = f.read()
        self.assertTrue(after.startswith(garbage))
        keys = [k for k, _ in program.read_ini()]
        self.assertEqual(keys, ["StandBy", "OnTop", "OnDesktop", "X", "Y", "Saver", "Alarm",
                                "ShowSaver", "Skin"])

    def test_huge_file_starts_with_defaults(self):
        program = harness.ProgramDir(self.session)
        with open(program.ini, "wb") as f:
            f.write(b"[Marvane Glimmora]\r\nStandBy=0\r\n")
            f.write(b"x" * (100 * 1024 * 1024))
        _, app = self.start(program)
        self.assertEqual(app.geometry()[2:], (460, 234))
        self.assertTrue(app.alive())

    def test_directory_of_that_name_stays_a_directory(self):
        program = harness.ProgramDir(self.session)
        os.mkdir(program.ini)
        _, app = self.start(program)
        app.window()
        exit_by_double_click(self, app)
        self.assertTrue(os.path.isdir(program.ini))
        self.assertEqual(os.listdir(program.ini), [])


class UnprivilegedTest(harness.E2ETest):
    """Permissions do not stop root, so these run the program as nobody."""

    def run_as_nobody(self, program):
        for d in (self.session.tmp, program.path):
            os.chmod(d, 0o755)
        for d in (self.session.runtime, self.session.home):
            for root, dirs, files in os.walk(d):
                for name in dirs + files:
                    os.chown(os.path.join(root, name), NOBODY, NOBODY)
            os.chown(d, NOBODY, NOBODY)
        exe = program.exe
        program.exe = "/usr/bin/setpriv"
        app = harness.Glimmora(self.session, program,
                               args=["--reuid=%d" % NOBODY, "--regid=%d" % NOBODY,
                                     "--clear-groups", exe])
        program.exe = exe
        return app

    def window_of(self, app):
        def find():
            r = self.session.run(["xdotool", "search", "--onlyvisible", "--class", "glimmora"],
                                 check=False)
            return r.stdout.split()[0] if r.stdout.split() else None
        return harness.wait_until(find, 15, what="clock window")

    def test_read_only_directory_rewrites_the_file_in_place(self):
        program = harness.ProgramDir(self.session)
        program.write_ini({"X": "1500", "Y": "750", "Mine": "kept"})
        os.chown(program.ini, NOBODY, NOBODY)
        app = self.run_as_nobody(program)
        wid = self.window_of(app)
        self.assertEqual(app.geometry(wid)[:2], (100, 50))
        self.session.xdotool("mousemove", 100 + 122, 50 + 131)
        self.session.xdotool("click", "--repeat", "2", "--delay", "80", "1")
        app.wait_exit()
        values = dict(program.read_ini())
        self.assertEqual(values["Mine"], "kept")
        self.assertEqual(values["StandBy"], "0")
        self.assertEqual(os.stat(program.ini).st_uid, NOBODY)

    def test_unreadable_file_is_never_replaced(self):
        program = harness.ProgramDir(self.session)
        program.write_ini({"X": "1500", "Y": "750"})
        os.chmod(program.ini, 0o600)  # root's, unreadable for nobody
        with open(program.ini, "rb") as f:
            before = f.read()
        app = self.run_as_nobody(program)
        wid = self.window_of(app)
        x, y, w, h = app.geometry(wid)
        self.assertNotEqual((x, y), (100, 50))  # could not read: centred
        self.session.xdotool("mousemove", x + 122, y + 131)
        self.session.xdotool("click", "--repeat", "2", "--delay", "80", "1")
        app.wait_exit()
        with open(program.ini, "rb") as f:
            self.assertEqual(f.read(), before)


if __name__ == "__main__":
    harness.main()
