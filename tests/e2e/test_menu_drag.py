"""Dragging the clock with the left button, and what the exit keeps of it."""

import harness
import menu_support as ms


class MenuDragTest(harness.E2ETest):
    window_manager = True

    def test_drag_then_double_click_saves_and_next_start_restores(self):
        # First start: no settings file, the window is centred.
        program, app = self.start()
        wid = app.window()
        x0, y0 = app.geometry(wid)[:2]

        # Left press on tube 0 at (5, 10), pointer moved by (+30, +12).
        tx, ty = ms.TUBES[0][:2]
        start = (x0 + tx + 5, y0 + ty + 10)
        x, y = ms.drag(app, wid, start, (30, 12))
        self.assertEqual((x, y), (x0 + 30, y0 + 12))
        # The pressed point of the tube is under the pointer again.
        on_tube = (x + tx + 5, y + ty + 10)
        self.assertEqual(ms.pointer(self.session), on_tube)
        # Moves with no button held after the release move nothing.
        self.session.xdotool("mousemove_relative", "--", 25, 25)
        self.session.xdotool("mousemove_relative", "--", -10, 5)
        self.assertEqual(app.geometry(wid)[:2], (x, y))

        # Standby and alarm on from the menu; then a double-click on a tube.
        ms.pick(app, wid, ms.TO_STANDBY, on_tube)
        ms.pick(app, wid, ms.TO_ALARM, on_tube)
        x3, y3 = ms.TUBES[3][:2]
        self.session.xdotool("mousemove", x + x3 + 4, y + y3 + 4)
        self.session.xdotool("click", "--repeat", 2, "--delay", 80, 1)
        self.assertEqual(app.wait_exit(10), 0)

        saved = [("StandBy", "1"), ("OnTop", "0"), ("OnDesktop", "0"), ("X", str(x * 15)),
                 ("Y", str(y * 15)),
                 ("Saver", "0"), ("Alarm", "1"), ("ShowSaver", "0"), ("Skin", "")]
        self.assertEqual(program.read_ini(), saved)

        # The next start: the same place, standby on, alarm still armed.
        face = ms.BuiltinFace()
        again = harness.Glimmora(self.session, program)
        wid = again.window()
        harness.wait_until(lambda: again.geometry(wid)[:2] == (x, y), 10, what="restored")
        harness.wait_until(lambda: face.shows_zeros(self.session.screenshot(), (x, y)), 5,
                           what="standby picture")
        ms.pick(again, wid, ms.TO_EXIT, on_tube)
        self.assertEqual(again.wait_exit(10), 0)
        self.assertEqual(program.read_ini(), saved)

    def test_drag_past_the_left_and_top_edges(self):
        program, app = self.start(values={"X": "150", "Y": "1500"})
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == (10, 100), 10, what="placed")
        tx, ty = ms.TUBES[4][:2]
        start = (10 + tx + 3, 100 + ty + 3)
        # The pointer ends at the screen's edge; the window goes beyond it.
        end = (0, 0)
        where = ms.drag(app, wid, start, (end[0] - start[0], end[1] - start[1]))
        self.assertEqual(where, (10 - start[0], 100 - start[1]))
        self.assertLess(where[0], 0)
        self.assertLess(where[1], 0)

        # Exit from the menu, opened on the seconds tube still on screen.
        ms.pick(app, wid, ms.TO_EXIT, (where[0] + tx + 5, where[1] + ty + 5))
        self.assertEqual(app.wait_exit(10), 0)
        self.assertEqual(program.setting("X"), str(where[0] * 15))
        self.assertEqual(program.setting("Y"), str(where[1] * 15))

        again = harness.Glimmora(self.session, program)
        wid = again.window()
        harness.wait_until(lambda: again.geometry(wid)[:2] == where, 10, what="restored")


if __name__ == "__main__":
    harness.main()
