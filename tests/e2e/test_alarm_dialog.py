"""The alarm-time dialog opened from the context menu stores the time at once."""

import harness
import menu_support as ms

# From a freshly opened menu: "Über...", "StandBy", "Immer im Vordergrund",
# then "Alarmzeit einstellen" (separators are passed over).
TO_SET_ALARM = ["Down"] * 5
# "ÜBERNEHMEN" and "Abbrechen" in the dialog's client area.
APPLY = (172 + 72, 232 + 18)
CANCEL = (16 + 72, 232 + 18)


def dialog_of(app):
    """The open alarm dialog's window id, or None."""
    r = app.session.run(["xdotool", "search", "--all", "--onlyvisible", "--pid",
                         str(app.proc.pid), "--name", "^Alarmzeit einstellen$"], check=False)
    ids = r.stdout.split()
    return ids[0] if ids else None


class AlarmDialogTest(harness.E2ETest):
    window_manager = True

    def open_dialog(self, app, wid):
        x, y, _, _ = app.geometry(wid)
        left, top, w, h = ms.TUBES[0]
        ms.open_menu_at(app, wid, x + left + w // 2, y + top + h // 2)
        self.session.xdotool("key", "--delay", "60", *TO_SET_ALARM, "Return")

        def find():
            return dialog_of(app)
        dialog = harness.wait_until(find, 10, what="alarm dialog")
        self.session.xdotool("windowactivate", "--sync", dialog, check=False)
        return dialog, find

    def click(self, wid, at):
        self.session.xdotool("mousemove", "--window", wid, at[0], at[1], "click", "1")

    def test_apply_stores_the_time_before_exit(self):
        program, app = self.start(values={"A-Hour": "07", "A-Mins": "30", "Alarm": "0"})
        wid = app.window()
        dialog, find = self.open_dialog(app, wid)
        self.assertEqual(app.geometry(dialog)[2:], (331, 277))
        self.assertIn("_NET_WM_STATE_ABOVE", ms.net_wm_state(self.session, dialog))

        # "ÜBERNEHMEN" holds the focus; Tab reaches the hour, then the minute.
        self.session.xdotool("key", "--delay", "60", "Tab", "Right", "Right", "Tab",
                             *(["Right"] * 5))
        self.click(dialog, APPLY)
        harness.wait_until(lambda: program.setting("A-Mins") != "30", 10,
                           what="A-Mins written")
        self.assertEqual(program.setting("A-Mins"), "35")
        self.assertEqual(program.setting("A-Hour"), "09")
        harness.wait_until(lambda: find() is None, 10, what="dialog closed")
        self.assertTrue(app.alive())

    def test_cancel_changes_nothing(self):
        program, app = self.start(values={"A-Hour": "07", "A-Mins": "30"})
        wid = app.window()
        with open(program.ini, "rb") as f:
            before = f.read()
        dialog, find = self.open_dialog(app, wid)
        self.session.xdotool("key", "--delay", "60", "Tab", "Right", "Right")
        self.click(dialog, CANCEL)
        harness.wait_until(lambda: find() is None, 10, what="dialog closed")
        with open(program.ini, "rb") as f:
            self.assertEqual(f.read(), before)
        self.assertTrue(app.alive())


if __name__ == "__main__":
    harness.main()
