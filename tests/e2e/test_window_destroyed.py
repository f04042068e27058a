"""The clock's window destroyed by another client (xdotool windowclose): the
program ends as after a close request, keeping its settings and its lock
released, so the clock can be started again."""

import harness

PLACE = {"X": "1500", "Y": "750", "ShowSaver": "7"}


class WindowDestroyedTest(harness.E2ETest):
    def test_destroyed_window_ends_the_program_like_a_close_request(self):
        program, app = self.start(values=dict(PLACE))
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == (100, 50), 10, what="placed")
        self.session.xdotool("windowclose", wid)
        self.assertEqual(app.wait_exit(10), 0)
        self.assertEqual(sorted(k for k, _ in program.read_ini()),
                         sorted(["X", "Y", "ShowSaver", "StandBy", "OnTop", "Saver", "Alarm",
                                 "Skin"]))
        self.assertEqual(program.setting("X"), "1500")
        self.assertEqual(program.setting("ShowSaver"), "7")
        again = harness.Glimmora(self.session, program)
        again.window()
        self.assertTrue(again.alive())


if __name__ == "__main__":
    harness.main()
