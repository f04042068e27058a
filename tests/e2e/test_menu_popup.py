"""The context menu: opened at the pointer by any button but the left one,
walked with the keyboard; standby from the menu shows 00 00 00."""

import time

import harness
import menu_support as ms

ORIGIN = (100, 100)  # X=1500, Y=1500 in twips
PLACE = {"X": "1500", "Y": "1500"}
BACK = (250, 175)  # the metal plate below the minute tubes


def on_face(x, y):
    return ORIGIN[0] + x, ORIGIN[1] + y


class MenuPopupTest(harness.E2ETest):
    window_manager = True

    def started(self, values=None):
        program, app = self.start(values=dict(PLACE, **(values or {})))
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
        return program, app, wid

    def test_right_click_opens_menu_at_pointer_and_standby_shows_zeros(self):
        face = ms.BuiltinFace()
        _, app, wid = self.started()
        # The clock runs first: the tubes show the time, not the standby
        # picture (only at 00:00:00 would they look the same).
        harness.wait_until(lambda: face.shows_time(self.session, ORIGIN), 10,
                           interval=0.2, what="time shown")

        x, y = on_face(*ms.TUBES[2][:2])
        x, y = x + 5, y + 10
        menu = ms.open_menu_at(app, wid, x, y)
        mx, my, mw, mh = app.geometry(menu)
        self.assertEqual((mx, my), (x, y))
        self.assertGreater(mh, 100)
        # The window did not move, and the right button does not drag (the
        # pointer goes up and left, away from the menu, which it would
        # otherwise select from).
        self.session.xdotool("mousemove", x - 40, y - 20)
        self.assertEqual(app.geometry(wid)[:2], ORIGIN)

        ms.choose(app, wid, ms.TO_STANDBY)
        harness.wait_until(lambda: face.shows_zeros(self.session.screenshot(), ORIGIN), 5,
                           interval=0.1, what="00 00 00")
        # And it stays so over more than a second: the clock has stopped.
        shots = 0
        deadline = time.monotonic() + 1.5
        while time.monotonic() < deadline:
            self.assertTrue(face.shows_zeros(self.session.screenshot(), ORIGIN))
            shots += 1
        self.assertGreater(shots, 1)

        # StandBy again: the time is back within a moment.
        ms.pick(app, wid, ms.TO_STANDBY, on_face(*BACK))
        harness.wait_until(lambda: face.shows_time(self.session, ORIGIN), 3,
                           interval=0.1, what="time shown again")
        self.assertEqual(app.geometry(wid)[:2], ORIGIN)
        self.assertTrue(app.alive())

    def test_other_buttons_open_the_menu_on_face_and_tubes(self):
        self.assertNotEqual(ms.BuiltinFace().back.pixel(*BACK), ms.MASK)
        _, app, wid = self.started()
        for where, button in ((BACK, 3), (BACK, 2), (ms.TUBES[5][:2], 2),
                              (ms.TUBES[0][:2], 3), (ms.TUBES[3][:2], 8)):
            with self.subTest(where=where, button=button):
                x, y = on_face(where[0] + 2, where[1] + 2)
                menu = ms.open_menu_at(app, wid, x, y, button)
                self.assertEqual(app.geometry(menu)[:2], (x, y))
                self.session.xdotool("key", "Escape")
                ms.wait_menu_closed(app, wid)
                self.assertEqual(app.geometry(wid)[:2], ORIGIN)
        self.assertTrue(app.alive())

    def test_menu_opens_again_right_after_it_closed(self):
        # A second press soon after the first, at the same place, is a
        # double-click to the toolkit; it still opens the menu.
        _, app, wid = self.started()
        x, y = on_face(ms.TUBES[1][0] + 4, ms.TUBES[1][1] + 4)
        for _ in range(3):
            ms.open_menu_at(app, wid, x, y)
            self.session.xdotool("key", "Escape")
            ms.wait_menu_closed(app, wid)
        self.assertTrue(app.alive())


if __name__ == "__main__":
    harness.main()
