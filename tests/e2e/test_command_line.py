"""The command line and a start without any display: answered before Qt's GUI
exists, with the documented exit codes, no core dump and no lock left."""

import glob
import os
import re
import subprocess
import tempfile
import unittest

import harness

HELP = ("(?s)^Aufruf: glimmora.*--version.*-platform.*Rückgabewerte:.*2  falscher Aufruf"
        ".*Kontextmenü.*~/.config/glimmora/glimmora.ini.*Skins/ im Programmverzeichnis"
        ".*~/.local/share/glimmora/Skins/.*XDG_DATA_DIRS")
REFUSED = "^glimmora: unbekannte Option „%s“[^\n]*\n$"
NO_DISPLAY = "^glimmora: keine grafische Anzeige erreichbar \\(%s[^\n]*\n$"
UNKNOWN = "Qt-Plattform „%s“ nicht vorhanden, vorhanden: [^;]*offscreen[^;]*xcb"


class WithoutDisplayTest(unittest.TestCase):
    def test_answers_and_exit_codes(self):
        version = harness.cached("CMAKE_PROJECT_VERSION")
        rows = [  # name, arguments, extra environment, exit code, stdout, stderr
            ("version", ["--version"], {}, 0, "^glimmora %s\n$" % re.escape(version), "^$"),
            ("help", ["-h"], {}, 0, HELP, "^$"),
            ("unknown option", ["-reverse", "--frob=1"], {}, 2, "^$", REFUSED % "--frob"),
            ("plain start", [], {}, 1, "^$", NO_DISPLAY % "X11: DISPLAY"),
            ("Wayland chosen", [], {"QT_QPA_PLATFORM": "wayland"}, 1, "^$",
             NO_DISPLAY % "(Wayland: „[^“]*/wayland-0“|%s)" % UNKNOWN % "wayland"),
            ("-platform foo", ["-platform", "foo"], {}, 1, "^$", NO_DISPLAY % UNKNOWN % "foo"),
            ("QT_QPA_PLATFORM=foo", [], {"QT_QPA_PLATFORM": "foo"}, 1, "^$",
             NO_DISPLAY % UNKNOWN % "foo"),
            ("foo;xcb", [], {"QT_QPA_PLATFORM": "foo;xcb"}, 1, "^$",
             NO_DISPLAY % (UNKNOWN % "foo" + "; X11: DISPLAY")),
        ]
        for name, args, extra, code, out, err in rows:
            with self.subTest(name), tempfile.TemporaryDirectory() as runtime:
                env = dict(os.environ, XDG_RUNTIME_DIR=runtime, **extra)
                for var in ("DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET") + (
                        () if extra else ("QT_QPA_PLATFORM",)):
                    env.pop(var, None)
                r = subprocess.run([os.path.join(harness.BUILD_DIR, "glimmora")] + args,
                                   env=env, cwd=runtime, stdin=subprocess.DEVNULL,
                                   capture_output=True, text=True, timeout=20)
                self.assertEqual(r.returncode, code, r.stderr)
                self.assertRegex(r.stdout, out)
                self.assertRegex(r.stderr, err)
                self.assertEqual(os.listdir(runtime), [], "lock or core file left")

    def test_output_not_written(self):
        def closed():
            os.close(1)

        def broken_pipe():
            r, w = os.pipe()
            os.close(r)
            os.dup2(w, 1)
        rows = [  # name, arguments, how stdout is broken
            ("version, stdout closed", ["--version"], closed),
            ("help, stdout on /dev/full", ["--help"], lambda: os.dup2(
                os.open("/dev/full", os.O_WRONLY), 1)),
            ("version, reader gone", ["-v"], broken_pipe),
        ]
        for name, args, breaking in rows:
            with self.subTest(name):
                r = subprocess.run([os.path.join(harness.BUILD_DIR, "glimmora")] + args,
                                   preexec_fn=breaking, stdin=subprocess.DEVNULL,
                                   stderr=subprocess.PIPE, text=True, timeout=20)
                self.assertEqual(r.returncode, 1, r.stderr)
                self.assertRegex(r.stderr, "^glimmora: Ausgabe nicht möglich: [^\n]+\n$")


class QtOptionsTest(harness.E2ETest):
    def lock_holders(self):
        holders = []
        for path in glob.glob(os.path.join(self.session.runtime, "glimmora-*.lock")):
            with open(path, encoding="utf-8") as f:
                holders.append(f.readline().strip())
        return holders

    def test_qt_options_reach_qt(self):
        rows = [  # name, arguments (DISPLAY unset), what shows that the clock started
            ("-display names the X server", ["-display", self.session.display, "-reverse",
                                             "-style", "Fusion"], "window"),
            ("-platform needs no display", ["-platform", "offscreen"], "lock"),
            ("wayland;xcb falls through to X", ["-platform", "wayland;xcb", "-display",
                                                self.session.display], "window"),
        ]
        for name, args, started in rows:
            with self.subTest(name):
                _, app = self.start(args=args, env={"DISPLAY": ""})
                if started == "window":
                    app.window()
                else:
                    harness.wait_until(lambda: str(app.proc.pid) in self.lock_holders(),
                                       what="the lock taken at start")
                self.assertTrue(app.alive())
                app.proc.kill()
                app.wait_exit()


if __name__ == "__main__":
    harness.main()
