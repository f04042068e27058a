"""The whole program killed while its exit saves the settings: the eight keys
go in one replace, so the file is always the old one or the one with all eight
written, never a torn one and never a part of the eight."""

import os
import random
import signal
import time

import harness

ROUNDS = 20
ORIGIN = (200, 100)
TUBE = (153, 113, 19, 34)  # hours units of the built-in face

# Every exit write changes the text of its line, so each prefix of them gives a
# different file (a kill that left a part would show); the file's own spelling
# of a key is kept.
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
EXIT_WRITES = [("StandBy", "0"), ("OnTop", "0"), ("OnDesktop", "0"), ("X", "3000"),
               ("Y", "1500"), ("Saver", "0"), ("Alarm", "0"), ("ShowSaver", "2"), ("Skin", "")]


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
    def test_kill_during_exit_leaves_the_old_or_the_new_file(self):
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
            # Most rounds watch the file and kill as soon as it changed, while
            # the exit may still be writing; some kill after a random moment.
            if round_ % 5 != 4:
                deadline = time.monotonic() + 10
                while time.monotonic() < deadline and app.alive():
                    with open(program.ini, "rb") as f:
                        if f.read() != expected[0]:
                            break
            else:
                time.sleep(rng.uniform(0.04, 0.12))  # the second click comes at 60 ms
            if app.alive():
                app.proc.send_signal(signal.SIGKILL)
            app.wait_exit(10)
            clicker.wait(10)

            with open(program.ini, "rb") as f:
                after = f.read()
            self.assertIn(after, (expected[0], expected[-1]),
                          "round %d left a torn or partial file:\n%r" % (round_, after))
            landed.append(expected.index(after))
            stray = set(os.listdir(program.path)) - {"glimmora", "modules", "glimmora.ini",
                                                      ".glimmora.ini.new"}
            self.assertEqual(stray, set())
        print("exit writes that had landed at each kill:", landed)
        # The kills must have met the exit, not only the time before it.
        self.assertIn(len(EXIT_WRITES), landed)


if __name__ == "__main__":
    harness.main()
