"""Start-up: placement, single instance, first start without settings."""

import os
import re
import subprocess

import harness
import menu_support as ms


def half(a):
    # a \ 2: round half to even, then halve towards zero
    return int(round(a)) // 2 if round(a) >= 0 else -(-int(round(a)) // 2)


class StartupTest(harness.E2ETest):
    def test_first_start_is_centred_by_the_twips_arithmetic(self):
        program, app = self.start()
        x, y, w, h = app.geometry()
        sw, sh = self.session.screen_size()
        self.assertEqual((w, h), (460, 234))
        top = half(sh * 15 * 0.85) - half(h * 15)
        left = half(sw * 15) - half(w * 15)
        self.assertEqual((x, y), (round(left / 15), round(top / 15)))
        # The first start writes nothing until the program ends.
        self.assertEqual(program.read_ini(), [])

    def test_saved_position_in_twips(self):
        _, app = self.start(values={"X": "1500", "Y": "750"})
        self.assertEqual(app.geometry()[:2], (100, 50))

    def test_only_x_given_puts_the_other_edge_at_zero(self):
        _, app = self.start(values={"X": "3000", "Y": ""})
        self.assertEqual(app.geometry()[:2], (200, 0))

    def test_second_copy_ends_at_once_and_first_keeps_running(self):
        program, first = self.start()
        wid = first.window()
        second = harness.Glimmora(self.session, program)
        self.assertEqual(second.wait_exit(timeout=10), 0)
        self.assertTrue(first.alive())
        ids = self.session.run(["xdotool", "search", "--onlyvisible", "--class", "glimmora"],
                               check=False).stdout.split()
        self.assertEqual(ids, [wid])

    def test_copy_at_another_path_is_another_program(self):
        _, first = self.start()
        first.window()
        _, other = self.start()
        other.window()
        self.assertTrue(first.alive() and other.alive())

    def test_lock_left_by_a_killed_copy_does_not_block(self):
        program, first = self.start()
        first.window()
        first.proc.kill()
        first.wait_exit()
        again = harness.Glimmora(self.session, program)
        again.window()
        self.assertTrue(again.alive())

    def test_window_title_and_class(self):
        _, app = self.start()
        wid = app.window()
        out = self.session.run(["xprop", "-id", wid, "WM_CLASS", "WM_NAME"]).stdout
        self.assertIn('"glimmora"', out.splitlines()[0])
        self.assertIn('"Marvane Glimmora"', out)

    def test_window_icon_is_the_tube_at_small_and_large_sizes(self):
        _, app = self.start()
        out = self.session.run(["xprop", "-id", app.window(), "_NET_WM_ICON"]).stdout
        sizes = re.findall(r"Icon \((\d+) x (\d+)\)", out)
        for size in ("16", "32", "48", "128"):
            self.assertIn((size, size), sizes)



class SecondStartTest(harness.E2ETest):
    window_manager = True

    def test_second_start_brings_the_running_clock_to_the_front(self):
        program, first = self.start()
        wid = first.window()
        # Another program's window over the clock, with the focus.
        picture = os.path.join(self.session.tmp, "other.png")
        subprocess.run(["convert", "-size", "900x700", "xc:rgb(200,30,30)", picture], check=True)
        self.session.spawn(["display", "-title", "Andere", "-geometry", "+0+0", picture],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        other = harness.wait_until(lambda: self.session.xdotool(
            "search", "--onlyvisible", "--name", "Andere", check=False).split()[:1], 15,
            what="other window")[0]
        self.session.xdotool("windowactivate", other, check=False)
        harness.wait_until(lambda: (ms.stacking(self.session) or [0])[-1] == int(other) and
                           self.session.xdotool("getactivewindow").strip() == other, 10,
                           what="other window on top and active")
        # The user's latest input went there.
        self.session.xdotool("mousemove", "--sync", 600, 600)
        self.session.xdotool("click", 1)

        second = harness.Glimmora(self.session, program)
        self.assertEqual(second.wait_exit(timeout=10), 0)
        harness.wait_until(lambda: (ms.stacking(self.session) or [0])[-1] == int(wid) and
                           self.session.xdotool("getactivewindow").strip() == wid, 5,
                           what="clock on top and active")
        self.assertTrue(first.alive())


if __name__ == "__main__":
    harness.main()
