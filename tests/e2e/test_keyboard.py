"""The clock and the alarm dialog from the keyboard alone, keys pressed on a
desktop with a window manager: the menu keys, Enter and Escape in the dialog,
the focus frame on a scroll bar, the alarm notice taking the focus."""

import subprocess

import atspi_support
import harness
import menu_support as ms
import test_alarm_dialog
import test_alarm_ring

HIGHLIGHT = (48, 140, 198)  # the style's highlight colour
HOUR_BAR = (20, 48, 141, 17)  # in the dialog's client area


class KeyboardTest(harness.E2ETest):
    window_manager = True

    # With the pointer in a corner, the menu opens at the clock.
    def test_menu_keys_open_the_menu_at_the_clock(self):
        _, app = self.start()
        wid = app.window()
        x, y, w, h = app.geometry(wid)
        self.session.xdotool("mousemove", 0, 0)
        for key in ("Menu", "shift+F10"):
            with self.subTest(key=key):
                self.session.xdotool("windowactivate", "--sync", wid, check=False)
                self.session.xdotool("key", key)
                mx, my, _, _ = app.geometry(ms.wait_menu(app, wid))
                self.assertTrue(x <= mx < x + w and y <= my < y + h, (mx, my, x, y, w, h))
                self.session.xdotool("key", "Escape")
                ms.wait_menu_closed(app, wid)

    # 07:02 set with the arrow keys: Enter stores it, Escape stores nothing.
    def test_alarm_dialog_keys(self):
        for key, stored in (("Return", ("07", "02")), ("Escape", ("00", "00"))):
            with self.subTest(key=key):
                program, app = self.start(values={"A-Hour": "00", "A-Mins": "00"})
                wid = app.window()
                self.session.xdotool("mousemove", 0, 0)
                self.session.xdotool("windowactivate", "--sync", wid, check=False)
                self.session.xdotool("key", "Menu")
                ms.wait_menu(app, wid)
                self.session.xdotool("key", "--delay", "60",
                                     *test_alarm_dialog.TO_SET_ALARM, "Return")
                dialog = harness.wait_until(lambda: test_alarm_dialog.dialog_of(app), 10,
                                            what="alarm dialog")
                harness.wait_until(
                    lambda: self.session.xdotool("getactivewindow").strip() == dialog, 10,
                    what="dialog active")
                dx, dy, _, _ = app.geometry(dialog)
                self.assertNotEqual(self.hour_bar_edges(dx, dy), [HIGHLIGHT] * 4)
                self.session.xdotool("key", "Tab")
                harness.wait_until(lambda: self.hour_bar_edges(dx, dy) == [HIGHLIGHT] * 4, 5,
                                   what="focus frame on the hour")
                self.session.xdotool("key", "--delay", "60", *(["Right"] * 7), "Tab", "Right",
                                     "Right", key)
                harness.wait_until(lambda: test_alarm_dialog.dialog_of(app) is None, 10,
                                   what="dialog closed")
                self.assertEqual((program.setting("A-Hour"), program.setting("A-Mins")), stored)
                self.assertTrue(app.alive())
                app.proc.terminate()
                app.wait_exit()

    # The notice takes the focus from the window the user is typing in, and
    # Enter presses "O K". The clock leaves standby through its switch,
    # pressed by a screen reader, so nothing touches the clock's window.
    def test_notice_takes_the_focus(self):
        reader = atspi_support.ScreenReaderBus(self.session)
        hour, minute = test_alarm_ring.alarm_minute()
        _, app = self.start(values={"A-Hour": hour, "A-Mins": minute, "Alarm": "1",
                                    "StandBy": "1"}, env=reader.program_env)
        app.window()
        switch = reader.wait_node(app.proc.pid, lambda n: n["name"] == "StandBy",
                                  "standby switch")
        self.session.spawn(["xlogo"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        logo = harness.wait_until(lambda: self.session.xdotool(
            "search", "--onlyvisible", "--class", "xlogo", check=False).split(), 30,
            what="xlogo")[0]
        self.session.xdotool("windowactivate", "--sync", logo, check=False)
        self.session.xdotool("mousemove", "--window", logo, 10, 10, "click", "1", "key", "a")
        self.assertEqual(self.session.xdotool("getactivewindow").strip(), logo)
        self.assertTrue(reader.do(app.proc.pid, switch))
        notice = harness.wait_until(lambda: test_alarm_ring.notice_of(app), 30,
                                    what="alarm notice")
        harness.wait_until(lambda: self.session.xdotool("getactivewindow").strip() == notice,
                           10, what="notice active")
        self.session.xdotool("key", "Return")
        harness.wait_until(lambda: test_alarm_ring.notice_of(app) is None, 10,
                           what="notice closed by Enter")
        self.assertTrue(app.alive())

    def hour_bar_edges(self, dx, dy):
        """The middle pixel of each edge of the hour's scroll bar."""
        left, top, w, h = HOUR_BAR
        shot = self.session.screenshot()
        return [shot.pixel(dx + left, dy + top + h // 2),
                shot.pixel(dx + left + w - 1, dy + top + h // 2),
                shot.pixel(dx + left + w // 2, dy + top),
                shot.pixel(dx + left + w // 2, dy + top + h - 1)]


if __name__ == "__main__":
    harness.main()
