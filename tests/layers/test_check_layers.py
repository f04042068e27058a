"""The layer check finds what it is for, on small made-up trees."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_layers  # noqa: E402

ROWS = [
    # (files, the finding expected; None: the tree is clean)
    ({"core/A.h": "struct A { int x; };\n"}, None),
    ({"core/A.h": "#include <QPointer>\nQPointer<QWidget> w;\n"},
     "core/A.h names the window type QWidget"),
    ({"clock/Face.h": "class Face : public QWidget {};\n", "core/B.h": "class Face;\n"},
     "core/B.h names the window type Face"),
    ({"core/C.h": "// the clock window (ClockWindow) draws this\n"}, None),
    ({"core/D.h": '#include "app/Windows.h"\n'}, "core/D.h includes app/, a higher layer"),
    ({"clock/E.h": "class ClockWindow;\n"}, None),
]


class LayerRules(unittest.TestCase):
    def test_rows(self):
        for files, expected in ROWS:
            with self.subTest(files=files), tempfile.TemporaryDirectory() as root:
                for name, text in files.items():
                    os.makedirs(os.path.join(root, os.path.dirname(name)), exist_ok=True)
                    with open(os.path.join(root, name), "w", encoding="utf-8") as f:
                        f.write(text)
                found = check_layers.check(root)
                self.assertEqual(found, [expected] if expected else [])


if __name__ == "__main__":
    unittest.main()
