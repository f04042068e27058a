"""The clock against the system clock on a real X server: each new second
appears as the system's begins and lasts a second, and a time zone swapped
under the running clock shows without a restart."""

import os
import subprocess
import time
import types

import harness
import phase_support
import skin_support

ORIGIN = (150, 120)
PLACE = {"X": str(ORIGIN[0] * 15), "Y": str(ORIGIN[1] * 15), "StandBy": "0"}
TUBES = skin_support.BUILTIN_TUBES
ZONES = "/usr/share/zoneinfo/Etc/"


def on_screen(tube):
    left, top, w, h = TUBES[tube]
    return (ORIGIN[0] + left, ORIGIN[1] + top, w, h)


class WallClockTest(harness.E2ETest):
    def placed(self, app):
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")

    def shows_time(self, look, utc_offset_hours):
        """Whether the tubes show the time of a zone that many hours east of
        UTC, read just before or just after the screen."""
        before = time.gmtime(time.time() + utc_offset_hours * 3600)
        x, y, _, _ = on_screen(0)
        right = on_screen(5)[0] + TUBES[5][2]
        shot = phase_support.Grab(self.session.display, (x, y - 4, right - x, 44))
        after = time.gmtime(time.time() + utc_offset_hours * 3600)
        for tube in range(6):
            wanted = {skin_support.digits_of(before)[tube], skin_support.digits_of(after)[tube]}
            if all(skin_support.tube_mismatches(shot, ORIGIN, look, tube, d) for d in wanted):
                return False
        return True

    def test_seconds_appear_with_the_system_second(self):
        look = skin_support.BuiltinLook()
        # Started with 300 ms of timer slack (prctl 29), which children inherit.
        program = harness.ProgramDir(self.session)
        program.write_ini(dict(PLACE))
        app = harness.Glimmora(self.session, types.SimpleNamespace(exe="python3"), args=[
            "-c", "import ctypes, os, sys; ctypes.CDLL(None).prctl(29, 300000000, 0, 0, 0); "
            "os.execv(sys.argv[1], sys.argv[1:])", program.exe])
        self.placed(app)
        here = time.localtime().tm_gmtoff / 3600
        harness.wait_until(lambda: self.shows_time(look, here), 10, what="the time drawn")
        found = phase_support.changes(self.session.display, [on_screen(5)], 9.0)[0]
        seen = phase_support.Seconds(found)
        self.assertGreaterEqual(seen.count, 7, str(seen))
        # A timer running from wherever the program started shows seconds
        # 100-200 ms late (median) and lasting 0.8 or 1.1 s.
        self.assertLessEqual(abs(seen.median_lag()), 50, str(seen))
        self.assertGreaterEqual(seen.share_even(50), 2 / 3, str(seen))

    def test_zone_file_that_blocks_reads_gives_utc(self):
        look = skin_support.BuiltinLook()
        os.mkfifo(fifo := os.path.join(self.session.tmp, "zone"))
        _, app = self.start(values=dict(PLACE), env={"TZ": ":" + fifo})
        self.placed(app)
        harness.wait_until(lambda: self.shows_time(look, 0), 10, what="UTC on the tubes")
        app.proc.terminate()
        self.assertEqual(app.wait_exit(5), 0)

    def test_time_zone_swapped_under_the_running_clock(self):
        if os.geteuid() != 0:
            self.skipTest("a mount namespace needs root")
        look = skin_support.BuiltinLook()
        self.session.env.pop("TZ", None)
        program = harness.ProgramDir(self.session)
        program.write_ini(dict(PLACE))
        # /etc/localtime of the clock's own mount namespace is the zone given.
        wrapper = os.path.join(self.session.tmp, "zoned.sh")
        with open(wrapper, "w") as f:
            f.write('#!/bin/sh\nmount --bind "$1" /etc/localtime || exit 97\nexec "$2"\n')
        os.chmod(wrapper, 0o755)
        unshare = types.SimpleNamespace(exe="unshare")
        app = harness.Glimmora(self.session, unshare,
                               args=["--mount", wrapper, ZONES + "GMT+5", program.exe])
        self.placed(app)
        harness.wait_until(lambda: self.shows_time(look, -5), 10,
                           what="UTC-5 on the tubes")

        subprocess.run(["nsenter", "--target", str(app.proc.pid), "--mount", "mount", "--bind",
                        ZONES + "GMT-4", "/etc/localtime"], check=True, timeout=10)
        harness.wait_until(lambda: self.shows_time(look, 4), 2.0, interval=0.05,
                           what="UTC+4 on the tubes within 2 s")
        self.assertTrue(app.alive())


if __name__ == "__main__":
    harness.main()
