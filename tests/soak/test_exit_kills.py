"""The whole program killed while its exit saves the settings: the file is
always the old one with some of the eight exit writes applied, in their order,
never a torn one."""

import os
import random
import signal
import time

import harness

ROUNDS = 20
ORIGIN = (200, 100)
TUBE = (153, 113, 19, 34)  # hours units of the built-in face

# Every exit write changes the text of its line, so each prefix of them gives a
# different file; the file's own spelling of a key is kept.
OLD_LINES = [
    "; kept as it is",
    "[Marvane Glimmora]",
    "standby=no",
    "OnTop=off",
    "X=3000.0",
    "Y=1500.0",
    "Saver=n",
    "Alarm=n",
    "ShowSaver=0002",
    "A-Hour=99",
    "Extra=bleibt",
]
# The exit's writes in their order: (key, value).
EXIT_WRITES = [("StandBy", "0"), ("OnTop", "0"), ("X", "3000"), ("Y", "1500"),
               ("Saver", "0"), ("Alarm", "0"), ("ShowSaver", "2"), ("Skin", "")]


def with_writes(count):
    """The old file with the first `count` exit writes applied."""
    lines = list(OLD_LINES)
    for key, value in EXIT_WRITES[:count]:
        for i, line in enumerate(lines):
            name = line.split("=", 1)[0]
            if "=" in line and name.lower() == key.lower():
                lines[i] = name + "=" + value
                break
        else:
            lines.append(key + "=" + value)  # the section is the file's last
    return ("\n".join(lines) + "\n").encode()


class ExitKillTest(harness.E2ETest):
    def test_kill_during_exit_leaves_a_prefix_of_the_writes(self):
        expected = [with_writes(n) for n in range(len(EXIT_WRITES) + 1)]
        self.assertEqual(len(set(expected)), len(expected))
        rng = random.Random(8)
        program = harness.ProgramDir(self.session, skins=False, wav=False)
        landed = []
        for round_ in range(ROUNDS):
            with open(program.ini, "wb") as f:
                f.write(expected[0])
            app = harness.Glimmora(self.session, program)
            wid = app.window()
            harness.wait_until(lambda: app.geometry(wid)[:2] == ORIGIN, 10, what="placed")
            x = ORIGIN[0] + TUBE[0] + TUBE[2] // 2
            y = ORIGIN[1] + TUBE[1] + TUBE[3] // 2
            self.session.xdotool("mousemove", x, y)
            # Not waited for: xdotool lingers after its last click, and by
            # then the exit is over.
            clicker = self.session.spawn(["xdotool", "click", "--repeat", "2", "--delay", "60",
                                          "1"])
            # Most rounds follow the writes as they land (each replaces the
            # file) and kill right after a chosen one; some kill after a
            # random moment instead.
            if round_ % 5 != 4:
                target = rng.randint(1, len(EXIT_WRITES) - 1)
                seen, last = 0, expected[0]
                deadline = time.monotonic() + 10
                while seen < target and time.monotonic() < deadline and app.alive():
                    with open(program.ini, "rb") as f:
                        now = f.read()
                    if now != last:
                        seen, last = seen + 1, now
            else:
                time.sleep(rng.uniform(0.04, 0.12))  # the second click comes at 60 ms
            if app.alive():
                app.proc.send_signal(signal.SIGKILL)
            app.wait_exit(10)
            clicker.wait(10)

            with open(program.ini, "rb") as f:
                after = f.read()
            self.assertIn(after, expected, "round %d left a torn file:\n%r" % (round_, after))
            landed.append(expected.index(after))
            stray = set(os.listdir(program.path)) - {"glimmora", "glimmora.ini",
                                                      ".glimmora.ini.new"}
            self.assertEqual(stray, set())
        print("exit writes that had landed at each kill:", landed)
        # The kills must have met the exit in its middle, not only around it.
        self.assertTrue(any(0 < n < len(EXIT_WRITES) for n in landed))


if __name__ == "__main__":
    harness.main()
