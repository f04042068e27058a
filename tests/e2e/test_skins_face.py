"""Shipped skins: a start with each shows its face and the running time."""

import time

import harness
import skin_support


class ShippedSkinTest(harness.E2ETest):
    def test_two_distinct_skins_are_shipped(self):
        skins = skin_support.shipped_skins()
        self.assertGreaterEqual(len(skins), 2, "build/Skins holds fewer than two skins")
        sizes = [s.size() for s in skins]
        # One of another size than the built-in face with other cell sizes,
        # one large enough to show the lamps.
        self.assertTrue(any(size != (460, 234) and s.tubes[0][2:] != (19, 34)
                            for s, size in zip(skins, sizes)))
        self.assertTrue(any(w >= 522 and h >= 380 for w, h in sizes))
        self.assertTrue(any(s.on_face(s.alarm) for s in skins))
        self.assertEqual(len(set(s.back.pixels for s in skins)), len(skins))

    def test_each_skin_shows_its_face_and_the_time(self):
        skins = skin_support.shipped_skins()
        self.assertGreaterEqual(len(skins), 2)
        for skin in skins:
            with self.subTest(skin=skin.name):
                self.check_skin(skin)

    def check_skin(self, skin):
        _, app = self.start(values={"Skin": skin.name, "X": "1500", "Y": "1500"})
        try:
            self.check_running(app, skin)
        finally:
            # The next skin's program takes the same place.
            app.proc.terminate()
            app.wait_exit()

    def check_running(self, app, skin):
        wid = app.window()
        x, y, w, h = app.geometry(wid)
        self.assertEqual((x, y), (100, 100))
        self.assertEqual((w, h), skin.size())

        last = {}

        def face_and_time_shown():
            shot, problems = skin_support.shows_time(self.session, (x, y), skin)
            bad = skin_support.face_mismatches(shot, (x, y), skin)
            if bad:
                problems = (problems or []) + [
                    "%d face pixels differ, first %s" % (len(bad), bad[:3])]
            last["problems"] = problems
            return problems is None

        try:
            harness.wait_until(face_and_time_shown, 15, interval=0.2,
                               what="skin %s drawn" % skin.name)
        except AssertionError:
            self.fail("skin %s: %s" % (skin.name, last.get("problems")))
        # It keeps running: two seconds on, the seconds tubes show the new
        # time (no reading of that time gives the old seconds-units digit).
        first = time.time()
        try:
            harness.wait_until(lambda: time.time() >= first + 2 and face_and_time_shown(), 15,
                               interval=0.2, what="skin %s running" % skin.name)
        except AssertionError:
            self.fail("skin %s later: %s" % (skin.name, last.get("problems")))


if __name__ == "__main__":
    harness.main()
