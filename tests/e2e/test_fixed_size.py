"""The clock window declares its size fixed (minimum = maximum = the face), so
tiling window managers float it at its own size: for the built-in face, at
scale 2 and with a skin."""

import harness
import skin_support

ROWS = [
    # name, scale, skin, face size in logical pixels
    ("built-in", 1, None, (460, 234)),
    ("built-in at scale 2", 2, None, (460, 234)),
    ("skin", 1, "Bernstein", None),
]


class FixedSizeTest(harness.E2ETest):
    def test_size_hints_are_the_face(self):
        for name, scale, skin, size in ROWS:
            with self.subTest(name):
                if skin:
                    size = next(s for s in skin_support.shipped_skins() if s.name == skin).size()
                values = {"X": "1500", "Y": "1500"}
                if skin:
                    values["Skin"] = skin
                _, app = self.start(values=values, env={"QT_SCALE_FACTOR": str(scale)})
                wid = app.window()
                device = (size[0] * scale, size[1] * scale)
                self.assertEqual(app.geometry(wid)[2:], device)
                self.assertEqual(app.size_hints(wid), (device, device))
                app.proc.kill()
                app.proc.wait()


if __name__ == "__main__":
    harness.main()
