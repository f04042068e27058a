"""The saver mode asks the desktop over D-Bus to stay awake: the screen-saver
service and the session manager where they have an owner, the portal's idle
inhibit where neither has or inside a sandbox, nothing and no delay where
there is no bus."""

import os
import time

import dbus

import dbus_support as ds
import harness
import menu_support as ms
import mock_portal
import mock_screensaver
import mock_session_manager

ORIGIN = (300, 200)
SAVER_ON = {"X": "4500", "Y": "3000", "Saver": "1", "ShowSaver": "1"}
# From a freshly opened menu: "Über...", "StandBy", "Immer im Vordergrund",
# "Auf dem Desktop", "Alarmzeit einstellen", "Alarm aktivieren", ("Skin" is
# greyed), "Saver unterdrücken".
TO_SAVER = ["Down"] * 7
REASON = "Bildschirmschoner unterdrückt"
REQUEST = mock_portal.REQUEST
COOKIE = mock_screensaver.COOKIE


class InhibitTest(harness.E2ETest):
    window_manager = True

    def setUp(self):
        super().setUp()
        self.bus = ds.PrivateBus(self.session)
        self.addCleanup(self.bus.close)

    def toggle_saver(self, app, wid):
        ms.pick(app, wid, TO_SAVER, (ORIGIN[0] + ms.TUBES[3][0] + 4,
                                     ORIGIN[1] + ms.TUBES[3][1] + 4))

    def test_portal_inhibits_at_start_closes_and_drops_with_the_program(self):
        portal = ds.Mock(self.bus, mock_portal)
        started = time.monotonic()
        program, app = self.start(values=SAVER_ON)
        window, flags, options = portal.wait_calls("Inhibit", 1, timeout=10)[0]
        self.assertLess(time.monotonic() - started, 2.0)
        wid = app.window()
        self.assertEqual(window, "x11:%x" % int(wid))
        self.assertEqual((flags, options), (8, {"reason": REASON, "handle_token": "glimmora1"}))

        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
        self.toggle_saver(app, wid)
        portal.wait_calls("Close", 1, path=REQUEST % 1)
        self.toggle_saver(app, wid)
        self.assertEqual(portal.wait_calls("Inhibit", 2)[1][2]["handle_token"], "glimmora2")
        # A request the portal reports failed (Response 2) holds nothing to close.
        portal.emit(REQUEST % 2, "org.freedesktop.portal.Request", "Response", "ua{sv}",
                    [dbus.UInt32(2), dbus.Dictionary({}, signature="sv")])
        self.toggle_saver(app, wid)
        self.toggle_saver(app, wid)
        portal.wait_calls("Inhibit", 3)
        self.assertEqual(portal.calls("Close", path=REQUEST % 2), [])
        portal.stop()
        # A portal whose requests fail before their replies name them: nothing
        # is held, so nothing is closed.
        portal = ds.Mock(self.bus, mock_portal, {"fail": True})
        token = portal.wait_calls("Inhibit", 1)[0][2]["handle_token"]
        self.toggle_saver(app, wid)
        self.toggle_saver(app, wid)
        portal.wait_calls("Inhibit", 2)
        self.assertEqual(portal.calls("Close", path=mock_portal.FAILED % token), [])

        # Ending the program drops its connections: the bus tells the portal
        # the owner of the inhibit is gone.
        names = self.bus.connections_of(app.proc.pid)
        self.assertTrue(names)
        ms.pick(app, wid, ms.TO_EXIT, (ORIGIN[0] + ms.TUBES[3][0] + 4,
                                       ORIGIN[1] + ms.TUBES[3][1] + 4))
        app.wait_exit()
        harness.wait_until(lambda: not any(self.bus.owned(n) for n in names), 5,
                           what="program's connection gone")
        self.assertEqual(program.setting("Saver"), "1")

    def test_both_direct_services_held_and_the_portal_left_alone(self):
        portal = ds.Mock(self.bus, mock_portal)
        session = ds.Mock(self.bus, mock_session_manager)
        saver = ds.Mock(self.bus, mock_screensaver)
        _, app = self.start(values=SAVER_ON)
        wid = app.window()
        self.assertEqual(saver.wait_calls("Inhibit", 1), [["glimmora", REASON]])
        self.assertEqual(session.wait_calls("Inhibit", 1), [["glimmora", int(wid), REASON, 8]])
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
        self.toggle_saver(app, wid)
        self.assertEqual(saver.wait_calls("UnInhibit", 1), [[COOKIE]])
        self.assertEqual(session.wait_calls("Uninhibit", 1), [[mock_session_manager.COOKIE]])
        self.assertEqual(portal.calls("Inhibit"), [])

    def test_screensaver_service_asked_when_it_appears_and_restarts(self):
        _, app = self.start(values=SAVER_ON)
        wid = app.window()
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
        # Mode on, nothing serves an inhibit yet: the service is asked once it
        # appears. Its answer is held back until the mode is off again: the
        # cookie that comes then is given back at once.
        gate = os.path.join(self.session.tmp, "gate")
        open(gate, "w").close()
        saver = ds.Mock(self.bus, mock_screensaver, {"gate": gate})
        harness.wait_until(lambda: os.path.exists(gate + ".asked"), 10, what="Inhibit asked")
        self.toggle_saver(app, wid)
        os.remove(gate)
        self.assertEqual(saver.wait_calls("UnInhibit", 1)[0], [COOKIE])
        self.assertEqual(saver.calls("Inhibit"), [["glimmora", REASON]])
        self.toggle_saver(app, wid)
        saver.wait_calls("Inhibit", 2)

        saver.stop()
        again = ds.Mock(self.bus, mock_screensaver)
        again.wait_calls("Inhibit", 1)
        self.assertEqual(again.calls("UnInhibit"), [])
        # A saver that quits for good leaves the portal to hold it.
        portal = ds.Mock(self.bus, mock_portal)
        again.stop()
        portal.wait_calls("Inhibit", 1)
        self.assertTrue(app.alive())

    def test_unanswered_inhibit_asked_again_and_late_cookies_given_back(self):
        gate = os.path.join(self.session.tmp, "gate")
        open(gate, "w").close()
        saver = ds.Mock(self.bus, mock_screensaver, {"gate": gate})
        _, app = self.start(values=SAVER_ON)
        harness.wait_until(lambda: os.path.exists(gate + ".asked"), 10, what="Inhibit asked")
        # Past the bus's own 25 s limit, meanwhile asked again; then switched off.
        harness.wait_until(lambda: time.time() - os.path.getmtime(gate + ".asked") > 25.5, 30,
                           interval=0.5, what="the bus's limit")
        self.toggle_saver(app, app.window())
        os.remove(gate)
        harness.wait_until(lambda: 2 <= len(saver.calls("UnInhibit")) == len(
            saver.calls("Inhibit")), 10, what="every late cookie given back")

    def test_replaced_owner_gets_back_what_it_granted(self):
        first = ds.Mock(self.bus, mock_screensaver)
        _, app = self.start(values=SAVER_ON)
        wid = app.window()
        first.wait_calls("Inhibit", 1)
        # Replaced without a gap while holding: the cookie goes back to the
        # connection that granted it, not to the name's new owner.
        gate = os.path.join(self.session.tmp, "gate")
        open(gate, "w").close()
        second = ds.Mock(self.bus, mock_screensaver, {"gate": gate})
        self.assertEqual(first.wait_calls("UnInhibit", 1), [[COOKIE]])
        # Replaced again while its answer is on the way: that answer is given
        # back, the new owner's is the one held.
        harness.wait_until(lambda: os.path.exists(gate + ".asked"), 10, what="Inhibit asked")
        third = ds.Mock(self.bus, mock_screensaver)
        third.wait_calls("Inhibit", 1)
        os.remove(gate)
        self.assertEqual(second.wait_calls("UnInhibit", 1), [[COOKIE]])
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
        self.toggle_saver(app, wid)
        self.assertEqual(third.wait_calls("UnInhibit", 1), [[COOKIE]])
        self.assertEqual([len(m.calls("UnInhibit")) for m in (first, second)], [1, 1])

    def test_snap_asks_the_portal_and_every_direct_service(self):
        portal = ds.Mock(self.bus, mock_portal)
        session = ds.Mock(self.bus, mock_session_manager)
        saver = ds.Mock(self.bus, mock_screensaver)
        _, app = self.start(values=SAVER_ON, env={"SNAP": "/snap/glimmora/1"})
        wid = app.window()
        for mock in (portal, session, saver):
            mock.wait_calls("Inhibit", 1)
        harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
        self.toggle_saver(app, wid)
        portal.wait_calls("Close", 1, path=REQUEST % 1)
        session.wait_calls("Uninhibit", 1)
        saver.wait_calls("UnInhibit", 1)


class NoBusTest(harness.E2ETest):
    def test_no_bus_starts_as_fast_without_a_word(self):
        missing = "unix:path=" + os.path.join(self.session.tmp, "no-such-bus")
        # Each case twice, alternating; the faster start of the two counts.
        timings = {}
        for saver, address in [("0", "disabled:"), ("1", missing), ("1", "disabled:")] * 2:
            t0 = time.monotonic()
            _, app = self.start(values={"Saver": saver, "ShowSaver": "1"},
                                env={"DBUS_SESSION_BUS_ADDRESS": address})
            app.window(timeout=20)
            took = time.monotonic() - t0
            timings[saver, address] = min(timings.get((saver, address), took), took)
            os.killpg(app.proc.pid, 15)
            app.wait_exit()
            with open(app.stderr_path, encoding="utf-8", errors="replace") as f:
                self.assertEqual(f.read(), "")
        for took in timings.values():
            self.assertLess(took, timings["0", "disabled:"] + 0.5, timings)


if __name__ == "__main__":
    harness.main()
