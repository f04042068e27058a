"""The alarm-test button of a shipped skin plays the alarm sound once."""

import array
import math
import os
import subprocess
import time
import wave

import harness
import skin_support

RATE = 44100
TONE_HZ = 880
TONE_SECONDS = 1.0
WINDOW = RATE // 100  # 10 ms


def write_tone(path):
    """A plain sine tone as the alarm sound, so the recording can be told apart."""
    samples = array.array("h", (int(12000 * math.sin(2 * math.pi * TONE_HZ * i / RATE))
                                for i in range(int(RATE * TONE_SECONDS))))
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(samples.tobytes())


def loud_runs(samples, threshold=1500, gap_windows=5):
    """(first, last) window indices of the stretches above threshold RMS,
    stretches closer than gap_windows joined."""
    runs = []
    for n in range(len(samples) // WINDOW):
        chunk = samples[n * WINDOW:(n + 1) * WINDOW]
        rms = math.sqrt(sum(s * s for s in chunk) / WINDOW)
        if rms > threshold:
            if runs and n - runs[-1][1] <= gap_windows:
                runs[-1][1] = n
            else:
                runs.append([n, n])
    return runs


def zero_crossings(samples):
    return sum(1 for a, b in zip(samples, samples[1:]) if (a < 0) != (b < 0))


class AlarmButtonTest(harness.E2ETest):
    sound = True

    def test_click_on_the_alarm_button_plays_the_sound_once(self):
        skins = [s for s in skin_support.shipped_skins() if s.on_face(s.alarm)]
        self.assertTrue(skins, "no shipped skin has the alarm-test button on its face")
        for skin in skins:
            with self.subTest(skin=skin.name):
                program = harness.ProgramDir(self.session)
                write_tone(os.path.join(program.path, "alarm.wav"))
                _, app = self.start(program, values={"Skin": skin.name, "X": "1500", "Y": "1500"})
                try:
                    self.check_button(app, skin)
                finally:
                    # The next skin's program takes the same place.
                    app.proc.terminate()
                    app.wait_exit()

    def check_button(self, app, skin):
        wid = app.window()
        x, y, w, h = app.geometry(wid)
        self.assertEqual((w, h), skin.size())

        recording = os.path.join(self.session.tmp, "rec-%s.raw" % skin.name)
        with open(recording, "wb") as out:
            parec = self.session.spawn(
                ["parec", "--device=rec.monitor", "--format=s16le", "--rate=%d" % RATE,
                 "--channels=1", "--latency-msec=20"],
                stdout=out, stderr=subprocess.DEVNULL)
        size = lambda: os.path.getsize(recording)
        # Half a second of quiet first, so the stream is running.
        harness.wait_until(lambda: size() >= RATE, 10, what="recording running")

        ax, ay, aw, ah = skin.alarm
        self.session.xdotool("mousemove", "--sync", x + ax + aw // 2, y + ay + ah // 2)
        clicked_at = size() // 2
        self.session.xdotool("click", "1")
        # The tone and two and a half seconds more.
        enough = clicked_at + int(RATE * (TONE_SECONDS + 2.5))
        harness.wait_until(lambda: size() // 2 >= enough, 15, what="recording")
        parec.terminate()
        parec.wait(timeout=5)

        with open(recording, "rb") as f:
            samples = array.array("h")
            samples.frombytes(f.read()[:enough * 2])
        runs = loud_runs(samples)
        self.assertEqual(len(runs), 1, "sound stretches (10 ms windows): %s" % runs)
        first, last = runs[0]
        start = first * WINDOW
        seconds = (last - first + 1) * WINDOW / RATE
        self.assertGreaterEqual(start, clicked_at - WINDOW, "sound before the click")
        self.assertAlmostEqual(seconds, TONE_SECONDS, delta=0.15)
        tone = samples[start:start + int(RATE * 0.5)]
        hz = zero_crossings(tone) / 2 / 0.5
        self.assertAlmostEqual(hz, TONE_HZ, delta=TONE_HZ * 0.05)
        print("%s: sound began %.0f ms after the click was sent, lasted %.2f s"
              % (skin.name, (start - clicked_at) * 1000 / RATE, seconds))
        self.assertTrue(app.alive())


if __name__ == "__main__":
    harness.main()
