"""The saver mode against real screen savers and sessions, all set-ups of a
group side by side: with the mode on each stays off past its delay, also
after the service holding the clock's inhibit was restarted; once the clock
ends and runs again with the mode off, each comes on. The group is the first
argument: the desktops as they are, the clock sandboxed on them, or the
other desktops Debian ships, which also check the clock's shape under their
window managers and hold two and a half idle times."""

import os
import signal
import sys
import threading
import time
import traceback

import debian_desktops as debian
import desktop_support as dsk
import harness
import kde_support as kde
import sandbox_support as sandbox

GROUPS = {
    "plain": [dsk.XScreenSaver, dsk.XScreenSaverPortal, dsk.LightLocker, dsk.Mate, dsk.Gnome,
              kde.KdeX11, kde.KdeWayland],
    "sandboxed": [sandbox.sandboxed(dsk.XScreenSaver), sandbox.sandboxed(dsk.LightLocker),
                  sandbox.sandboxed(dsk.Gnome),
                  sandbox.sandboxed(kde.KdeX11, ("kde",), {"XDG_CURRENT_DESKTOP": "KDE"})],
    "debian": [debian.Xfce, debian.Cinnamon, debian.Lxqt, debian.Budgie],
}
ROWS = GROUPS[sys.argv.pop(1) if len(sys.argv) > 1 and sys.argv[1] in GROUPS else "plain"]
MARGIN = 15  # seconds past a saver's delay


def run_row(desktop):
    desktop.start()
    began = time.time()
    app = desktop.start_clock({"Saver": "1"})
    harness.wait_until(lambda: set(desktop.held(app, began)) >= desktop.holders, 20,
                       what="inhibit held")
    # The saver's delay counts from here.
    desktop.touch()
    found = {"held again after (s)": None, "on with mode on": False}
    if desktop.restart:
        service = desktop.restart()
        held = harness.wait_until(lambda: desktop.held(app, desktop.restarted).get(service), 20,
                                  what="inhibit held again")
        found["held again after (s)"] = round(held - desktop.restarted, 2)
    quiet = time.time()
    while time.time() < quiet + getattr(desktop, "hold", desktop.delay + MARGIN) \
            and not found["on with mode on"]:
        found["on with mode on"] = desktop.active()
        time.sleep(1)
    found["held (s)"] = round(time.time() - quiet)
    found["shape"] = getattr(desktop, "shape", "right")
    os.killpg(app.proc.pid, signal.SIGKILL)
    desktop.new_idle_spell()
    desktop.start_clock({"Saver": "0"})
    # An idle time already past the delay when the inhibit ends is not a
    # crossing every saver notices: the user touches the pointer first.
    desktop.touch()
    off = time.time()
    found["on with mode off after (s)"] = None
    while time.time() < off + desktop.delay + MARGIN:
        if desktop.active():
            found["on with mode off after (s)"] = round(time.time() - off)
            break
        time.sleep(1)
    return found


class RealSaversTest(harness.unittest.TestCase):
    def test_each_saver_stays_off_while_the_mode_is_on(self):
        dsk.adopt_orphans()
        self.addCleanup(dsk.end_descendants)
        results = {}

        def row(kind):
            desktop = None
            try:
                desktop = kind()
                results[kind] = run_row(desktop)
            except BaseException:
                results[kind] = traceback.format_exc()
            finally:
                if desktop:
                    desktop.close()
        threads = [threading.Thread(target=row, args=(kind,)) for kind in ROWS]
        for t in threads:
            t.start()
        for t in threads:
            t.join()
        for kind in ROWS:
            found = results[kind]
            print(kind.__name__, found, file=sys.stderr)
            with self.subTest(kind.__name__):
                self.assertIsInstance(found, dict, found)
                self.assertFalse(found["on with mode on"], found)
                self.assertIsNotNone(found["on with mode off after (s)"], found)
                self.assertEqual(found["shape"], "right", found)
                if kind.restart:
                    self.assertLess(found["held again after (s)"], 5, found)


if __name__ == "__main__":
    harness.main()
