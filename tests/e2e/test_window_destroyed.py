"""The clock's window destroyed by another client (xdotool windowclose): the
program ends as after a close request, keeping its settings and its lock
released, so the clock can be started again. A window only unmapped
(minimised, on another workspace, taken off by another client) is no
destroyed one: the program goes on."""

import harness

PLACE = {"X": "1500", "Y": "750", "ShowSaver": "7"}


class WindowDestroyedTest(harness.E2ETest):
    window_manager = True

    def started(self):
        program, app = self.start(values=dict(PLACE))
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == (100, 50), 10, what="placed")
        return program, app, wid

    def test_destroyed_window_ends_the_program_like_a_close_request(self):
        program, app, wid = self.started()
        self.session.xdotool("windowclose", wid)
        self.assertEqual(app.wait_exit(10), 0)
        self.assertEqual(sorted(k for k, _ in program.read_ini()),
                         sorted(["X", "Y", "ShowSaver", "StandBy", "OnTop", "OnDesktop", "Saver",
                                 "Alarm", "Skin"]))
        self.assertEqual(program.setting("X"), "1500")
        self.assertEqual(program.setting("ShowSaver"), "7")
        again = harness.Glimmora(self.session, program)
        again.window()
        self.assertTrue(again.alive())

    def test_unmapped_window_is_not_destroyed(self):
        rows = [("unmapped by another client", ["windowunmap", "{w}"], ["windowmap", "{w}"]),
                ("minimised", ["windowminimize", "{w}"], ["windowactivate", "{w}"]),
                ("another workspace shown", ["set_desktop", "1"], ["set_desktop", "0"])]
        for name, away, back in rows:
            with self.subTest(name):
                program, app, wid = self.started()
                before = program.read_ini()
                self.session.xdotool(*[a.format(w=wid) for a in away])
                harness.wait_until(lambda: not self.visible(app), 5, what="window unmapped")
                self.session.xdotool(*[a.format(w=wid) for a in back])
                self.assertEqual(app.window(5), wid)
                self.assertEqual(program.read_ini(), before)
                app.proc.kill()
                app.wait_exit()

    def visible(self, app):
        r = self.session.run(["xdotool", "search", "--onlyvisible", "--pid", str(app.proc.pid),
                              "--class", "glimmora"], check=False)
        return r.stdout.split()


if __name__ == "__main__":
    harness.main()
