"""Always on top: the window manager's above state follows the menu entry,
on the same window, which neither moves nor blinks."""

import os
import subprocess

import harness
import menu_support as ms

ORIGIN = (300, 200)
PLACE = {"X": "4500", "Y": "3000"}


class OnTopTest(harness.E2ETest):
    window_manager = True

    def tube(self, k=3):
        return ORIGIN[0] + ms.TUBES[k][0] + 4, ORIGIN[1] + ms.TUBES[k][1] + 4

    def other_window(self):
        """Another program's window, covering the clock's hour tubes."""
        path = os.path.join(self.session.tmp, "other.png")
        subprocess.run(["convert", "-size", "200x300", "xc:rgb(200,30,30)", path], check=True)
        self.session.spawn(["display", "-title", "Andere", "-geometry", "+250+150", path],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

        def found():
            r = self.session.run(["xdotool", "search", "--onlyvisible", "--name", "Andere"],
                                 check=False)
            return r.stdout.split()[0] if r.stdout.split() else None
        return harness.wait_until(found, 15, what="other window")

    def test_entry_sets_and_clears_above_in_place(self):
        _, app = self.start(values=PLACE)
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
        self.assertFalse(ms.is_above(self.session, wid))
        geometry = app.geometry(wid)
        other = self.other_window()
        self.session.xdotool("windowactivate", other, check=False)
        harness.wait_until(lambda: ms.stacking(self.session)[-1] == int(other), 10,
                           what="other window on top")
        x, y = self.tube(0)
        harness.wait_until(lambda: self.session.screenshot().pixel(x, y) == (200, 30, 30), 10,
                           what="hour tubes covered")

        events = ms.StructureEvents(self.session, wid)
        self.addCleanup(events.close)
        ms.pick(app, wid, ms.TO_ON_TOP, self.tube())
        harness.wait_until(lambda: ms.is_above(self.session, wid), 5, what="above set")
        # The same window, where it was, still shown.
        self.assertEqual(app.window(), wid)
        self.assertEqual(app.geometry(wid), geometry)
        # It stays above the other window even when that one is activated.
        self.session.xdotool("windowactivate", other, check=False)
        harness.wait_until(lambda: ms.stacking(self.session)[-1] == int(wid), 5,
                           what="clock above the other window")
        # The other window covers the hour tubes, yet they are seen.
        x, y = self.tube(0)
        self.assertNotEqual(self.session.screenshot().pixel(x, y), (200, 30, 30))

        ms.pick(app, wid, ms.TO_ON_TOP, self.tube())
        harness.wait_until(lambda: not ms.is_above(self.session, wid), 5, what="above cleared")
        self.assertEqual(app.window(), wid)
        self.assertEqual(app.geometry(wid), geometry)
        self.session.xdotool("windowactivate", other, check=False)
        harness.wait_until(lambda: ms.stacking(self.session)[-1] == int(other), 5,
                           what="other window above again")
        # Never taken off the screen in between, nor made anew.
        seen = events.types()
        self.assertNotIn(ms.UNMAP_NOTIFY, seen)
        self.assertNotIn(ms.DESTROY_NOTIFY, seen)
        self.assertTrue(app.alive())

    def test_saved_on_top_is_restored_and_written_back(self):
        program, app = self.start(values=dict(PLACE, OnTop="1"))
        wid = app.window()
        harness.wait_until(lambda: ms.is_above(self.session, wid), 10, what="above at start")
        ms.pick(app, wid, ms.TO_EXIT, self.tube())
        self.assertEqual(app.wait_exit(10), 0)
        self.assertEqual(program.setting("OnTop"), "1")


if __name__ == "__main__":
    harness.main()
