"""What a screen reader finds: every window opened from the keyboard, read
through the AT-SPI tree on a headless desktop."""

import datetime
import os
import re
import stat

import atspi_support
import harness
import menu_support as ms

CLOCK = "Marvane Glimmora"
ALARM = "Alarmzeit einstellen"
ABOUT = "Über Marvane Glimmora"
KEYS = "Taste auswählen"

# From a freshly opened menu (the saver entries shown): the entry's keys.
OPEN = {ALARM: ["Down"] * 5, ABOUT: ["Down"], KEYS: ["Up", "Up"]}

# (window, role, name): what each window must offer by name.
NAMED = [
    (CLOCK, "push button", "Beenden"),
    (CLOCK, "push button", "StandBy"),
    (CLOCK, "push button", "Alarm Testsignal"),
    (ALARM, "push button", "ÜBERNEHMEN"),
    (ALARM, "scroll bar", "Stunde"),
    (ALARM, "scroll bar", "Minute"),
    (ALARM, "list", "Alarm Töne"),
    (ALARM, "list", "Alarm-Liste"),
    (KEYS, "text", "Taste"),
    (KEYS, "text", "KeyAscii"),
    (KEYS, "text", "KeyCode"),
    (KEYS, "text", "Shift"),
    (ABOUT, "link", "Homepage des Herstellers"),
    (ABOUT, "link", "Produktseite"),
]
# Roles of what the user works or reads; each needs a name of its own.
CONTROLS = {"push button", "scroll bar", "list", "list item", "text", "link", "label"}

DAYS = ["Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"]
MONTHS = ["Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September",
          "Oktober", "November", "Dezember"]
TIME = re.compile(r"^\d\d:\d\d:\d\d$")

# Records what the desktop is asked to open instead of opening it.
OPENER = """#!/bin/sh
printf '%s\\n' "$*" >> "{log}"
"""


class ScreenReaderTest(harness.E2ETest):
    window_manager = True

    def test_windows_as_a_screen_reader_finds_them(self):
        reader = atspi_support.ScreenReaderBus(self.session)
        bin_dir = os.path.join(self.session.tmp, "bin")
        os.makedirs(bin_dir)
        opened = os.path.join(self.session.tmp, "opened.txt")
        opener = os.path.join(bin_dir, "xdg-open")
        with open(opener, "w") as f:
            f.write(OPENER.format(log=opened))
        os.chmod(opener, stat.S_IRWXU)
        env = dict(reader.program_env, PATH=bin_dir + os.pathsep + self.session.env["PATH"])
        _, app = self.start(values={"ShowSaver": "1", "SendKey": "-1"}, env=env)
        wid = app.window()
        pid = app.proc.pid

        # Resting on a tube: the date as the tooltip, in German.
        x, y, _, _ = app.geometry(wid)
        left, top, w, h = ms.TUBES[3]
        self.session.xdotool("mousemove", x + left + w // 2, y + top + h // 2)
        self.session.xdotool("mousemove", x + left + w // 2 + 1, y + top + h // 2)
        tip = reader.wait_node(pid, lambda n: n["role"] == "tool tip" and n["name"], "tooltip")
        today = datetime.date.today()
        self.assertEqual(tip["name"], "%s, %d. %s %d" % (DAYS[today.weekday()], today.day,
                                                      MONTHS[today.month - 1], today.year))
        self.session.xdotool("mousemove", 0, 0)

        for window, keys in OPEN.items():
            self.session.xdotool("windowactivate", "--sync", wid, check=False)
            self.session.xdotool("key", "Menu")
            ms.wait_menu(app, wid)
            self.session.xdotool("key", "--delay", "60", *keys, "Return")
            reader.wait_node(pid, lambda n: n["window"] == window, window)
        tree = reader.tree(pid)

        for window, role, name in NAMED:
            with self.subTest(window=window, role=role, name=name):
                self.assertTrue(any(n["window"] == window and n["role"] == role and
                                    n["name"] == name for n in tree))
        for window in (CLOCK, ALARM, ABOUT, KEYS):
            controls = [n for n in tree if n["window"] == window and n["role"] in CONTROLS]
            with self.subTest(window=window):
                self.assertTrue(controls)
                self.assertEqual([n for n in controls if not n["name"].strip()], [])
                fields = [n["name"] for n in controls if n["focusable"] and n["role"] != "list item"]
                self.assertEqual(len(fields), len(set(fields)), "two fields share a name")

        # The face names the time, read when asked: it runs on between two
        # readings, and no reading is announced meanwhile.
        def face():
            return next(n for n in reader.tree(pid) if n["description"] == "Uhrzeit")
        first = face()
        self.assertRegex(first["name"], TIME)
        self.assertEqual(first["text"], first["name"])
        self.assertEqual(reader.events(pid, 2.5), [])
        self.assertNotEqual(face()["name"], first["name"])
        # In standby it reads what the tubes show.
        standby = next(n for n in tree if n["window"] == CLOCK and n["name"] == "StandBy")
        self.assertTrue(reader.do(pid, standby))
        harness.wait_until(lambda: face()["name"] == "00:00:00", 5, what="standby read")

        # Both links take the focus and are followed through their action;
        # the about window stays.
        links = [n for n in tree if n["window"] == ABOUT and n["role"] == "link"]
        self.assertEqual([n["focusable"] for n in links], [True, True])
        for link in links:
            self.assertTrue(reader.do(pid, link))
        lines = harness.wait_until(
            lambda: os.path.exists(opened) and len(open(opened).read().split()) == 2 and
            open(opened).read().split(), 10, what="both pages opened")
        self.assertEqual(lines, [links[0]["description"], "file://" + links[1]["description"]])
        self.assertTrue(any(n["window"] == ABOUT for n in reader.tree(pid)))


if __name__ == "__main__":
    harness.main()
