"""Ways out: the exit command keeps what it should, a close request from the
desktop is an exit, so is the end of the session (a signal, the X server
gone), a settings file that cannot be written does not keep it running."""

import os
import signal
import subprocess
import time

import dbus_support
import harness
import menu_support as ms

ORIGIN = (150, 120)
PLACE = {"X": "2250", "Y": "1800"}


def tube(k=3, origin=ORIGIN):
    return origin[0] + ms.TUBES[k][0] + 4, origin[1] + ms.TUBES[k][1] + 4


def seconds_to_end(app, since):
    """How long after `since` the process was gone (polled every 2 ms)."""
    while app.proc.poll() is None and time.monotonic() < since + 5:
        time.sleep(0.002)
    return time.monotonic() - since


class ExitTest(harness.E2ETest):
    window_manager = True

    def started(self, values, program=None):
        program, app = self.start(program=program, values=values)
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
        return program, app, wid

    def test_show_saver_2_is_written_back_as_2(self):
        program, app, wid = self.started(dict(PLACE, ShowSaver="2", Skin=""))
        ms.pick(app, wid, ms.TO_EXIT, tube())
        self.assertEqual(app.wait_exit(10), 0)
        self.assertEqual(program.setting("ShowSaver"), "2")
        self.assertEqual(program.setting("X"), "2250")

    def test_exit_is_immediate_with_bus_and_sound_server(self):
        """As on a desktop: a session bus and a sound server are there, and
        the saver mode holds an inhibit through the bus."""
        dbus_support.PrivateBus(self.session)
        self.session.start_sound()
        program, app, wid = self.started(dict(PLACE, Saver="1", Skin=""))
        ms.open_menu_at(app, wid, *tube())
        self.session.xdotool("key", "--delay", "60", *ms.TO_EXIT)
        self.session.xdotool("key", "Return")
        self.assertLess(seconds_to_end(app, time.monotonic()), 0.2)
        self.assertEqual(app.proc.returncode, 0)
        self.assertEqual((program.setting("Saver"), program.setting("X")), ("1", "2250"))

    def test_lower_case_standby_1_starts_in_standby(self):
        face = ms.BuiltinFace()
        program, app, wid = self.started(dict(PLACE, standby="1"))
        harness.wait_until(lambda: face.shows_zeros(self.session.screenshot(), ORIGIN), 10,
                           what="standby picture")
        # Still so after more than a second.
        first = time.monotonic()
        while time.monotonic() < first + 1.3:
            self.assertTrue(face.shows_zeros(self.session.screenshot(), ORIGIN))
        ms.pick(app, wid, ms.TO_EXIT, tube())
        self.assertEqual(app.wait_exit(10), 0)
        # The file's own spelling of the key is kept.
        self.assertIn(("standby", "1"), program.read_ini())

    def close_request_is_an_exit(self, send):
        program, app, wid = self.started(dict(PLACE, ShowSaver="-3"))
        ms.pick(app, wid, ms.TO_STANDBY, tube())
        send(wid)
        self.assertEqual(app.wait_exit(10), 0)
        self.assertEqual(program.read_ini(), [
            ("X", "2250"), ("Y", "1800"), ("ShowSaver", "-3"), ("StandBy", "1"),
            ("OnTop", "0"), ("OnDesktop", "0"), ("Saver", "0"), ("Alarm", "0"), ("Skin", "")])
        # The lock went with it: the next start runs.
        again = harness.Glimmora(self.session, program)
        again.window()
        self.assertTrue(again.alive())

    def test_alt_f4_is_an_exit(self):
        def alt_f4(wid):
            # Focus by a click on the face (a press without a move drags
            # nothing), then the window manager's close key.
            self.session.xdotool("mousemove", *tube(1))
            self.session.xdotool("click", 1)
            harness.wait_until(
                lambda: self.session.xdotool("getwindowfocus").strip() == wid, 5,
                what="clock focused")
            self.session.xdotool("key", "alt+F4")
        self.close_request_is_an_exit(alt_f4)

    def test_net_close_window_is_an_exit(self):
        self.close_request_is_an_exit(lambda wid: ms.request_close(self.session, wid))

    def test_end_of_session_saves_like_the_exit(self):
        rows = [("SIGTERM", lambda app: app.proc.send_signal(signal.SIGTERM)),
                ("SIGHUP", lambda app: app.proc.send_signal(signal.SIGHUP)),
                ("SIGINT", lambda app: app.proc.send_signal(signal.SIGINT)),
                ("X server gone", lambda app: self.session.xvfb.kill())]
        for name, end in rows:
            with self.subTest(name):
                program, app, wid = self.started(dict(PLACE, Extra="bleibt"))
                x, y = ms.drag(app, wid, tube(4), (40, -30))
                ms.pick(app, wid, ms.TO_STANDBY, tube(3, (x, y)))
                end(app)
                self.assertLess(seconds_to_end(app, time.monotonic()), 0.2)
                self.assertEqual(app.wait_exit(5), 0)
                self.assertEqual(program.read_ini(), [
                    ("X", str(x * 15)), ("Y", str(y * 15)), ("Extra", "bleibt"),
                    ("StandBy", "1"), ("OnTop", "0"), ("OnDesktop", "0"), ("Saver", "0"),
                    ("Alarm", "0"),
                    ("ShowSaver", "0"), ("Skin", "")])
                # No stale lock, nor its socket, for the next start.
                self.assertFalse([f for f in os.listdir(self.session.runtime)
                                  if f.startswith("glimmora-")])

    def test_write_protected_settings_still_end(self):
        """As an unprivileged user whom nothing lets write the settings: the
        file beside the program is read-only and no per-user copy can be
        made."""
        nobody = 65534
        os.chmod(self.session.tmp, 0o755)
        program = harness.ProgramDir(self.session)
        program.write_ini(dict(PLACE, StandBy="0", Skin="", Extra="bleibt"))
        os.chmod(program.ini, 0o444)
        with open(program.ini, "rb") as f:
            before = f.read()
        runtime = os.path.join(self.session.tmp, "runtime-nobody")
        os.makedirs(runtime, mode=0o700)
        os.chown(runtime, nobody, nobody)
        home = os.path.join(self.session.tmp, "home-nobody")
        os.makedirs(home, mode=0o755)  # root's: no config directory can be made
        env = dict(self.session.env, XDG_RUNTIME_DIR=runtime, HOME=home,
                   XDG_CONFIG_HOME=os.path.join(home, ".config"))
        proc = self.session.spawn(
            ["setpriv", "--reuid=%d" % nobody, "--regid=%d" % nobody, "--clear-groups",
             program.exe], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        app = harness.Glimmora.__new__(harness.Glimmora)
        app.session, app.program, app.proc = self.session, program, proc
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
        ms.pick(app, wid, ms.TO_STANDBY, tube())
        ms.pick(app, wid, ms.TO_EXIT, tube())
        self.assertEqual(app.wait_exit(10), 0)
        with open(program.ini, "rb") as f:
            self.assertEqual(f.read(), before)
        self.assertFalse(os.path.exists(os.path.join(home, ".config")))


if __name__ == "__main__":
    harness.main()
