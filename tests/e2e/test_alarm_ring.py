"""The alarm rings: at the set minute the notice opens, the alarm sound starts
within one tick and is started again on every tick, and "O K" silences it.

The sound server's null sink is recorded from its monitor while the program
runs. Sample times are put on the monotonic clock from when each block of the
recording arrived; the program's sound calls are put on the same clock by Qt's
message pattern (%{time boot}), so latencies can be read off.
"""

import array
import bisect
import os
import re
import shutil
import subprocess
import threading
import time

import harness

RATE = 44100
FRAME = RATE // 100  # 10 ms
LOUD = 1000          # a sample of the alarm tone reaches this
QUIET = 100          # silence stays below this
TICK = 0.3
CLICK_DELAY = 0.006  # from running xdotool to the program's stop call, measured
# "O K" in the notice's client area.
OK_BUTTON = (40 + 137 // 2, 48 + 49 // 2)


class Recording:
    """What was recorded up to one moment, on the monotonic clock."""

    def __init__(self, data, start, block_ends, arrivals):
        self.samples = array.array("h", data)
        self.start = start            # time of sample 0
        self.block_ends = block_ends  # sample count after each block read
        self.arrivals = arrivals      # when each block was read

    def index(self, t):
        return min(len(self.samples), max(0, int((t - self.start) * RATE)))

    def time(self, i):
        return self.start + i / RATE

    def arrival(self, i):
        """When sample i reached the recorder: the server made it by then."""
        k = bisect.bisect_right(self.block_ends, i)
        return self.arrivals[min(k, len(self.arrivals) - 1)]

    def first_at(self, t0, t1, level):
        """Index of the first sample between t0 and t1 reaching level, or None."""
        return next((i for i in range(self.index(t0), self.index(t1))
                     if abs(self.samples[i]) >= level), None)

    def last_at(self, t0, t1, level):
        """Index of the last sample between t0 and t1 reaching level, or None."""
        return next((i for i in range(self.index(t1) - 1, self.index(t0) - 1, -1)
                     if abs(self.samples[i]) >= level), None)

    def loud_between(self, t0, t1):
        return self.first_at(t0, t1, LOUD) is not None


class Recorder:
    """parec on the null sink's monitor, read by a thread."""

    def __init__(self, session):
        self.data = bytearray()
        self.start = None
        self.block_ends = []
        self.arrivals = []
        self.lock = threading.Lock()
        self.proc = session.spawn(
            ["parec", "--device=rec.monitor", "--raw", "--format=s16le",
             "--rate=%d" % RATE, "--channels=1", "--latency-msec=10"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def _read(self):
        fd = self.proc.stdout.fileno()
        while True:
            chunk = os.read(fd, 4096)
            if not chunk:
                return
            now = time.monotonic()
            with self.lock:
                self.data += chunk
                self.block_ends.append(len(self.data) // 2)
                self.arrivals.append(now)
                # A sample cannot arrive before it was made: the earliest
                # start consistent with every block is the best estimate.
                start = now - (len(self.data) // 2) / RATE
                if self.start is None or start < self.start:
                    self.start = start

    def close(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(timeout=5)
        self.thread.join(timeout=5)
        self.proc.stdout.close()

    def covered_until(self):
        with self.lock:
            if self.start is None:
                return None
            return self.start + (len(self.data) // 2) / RATE

    def until(self, t, timeout=10):
        """The recording, once it reaches time t."""
        harness.wait_until(lambda: (self.covered_until() or 0) >= t, timeout,
                           what="recording up to %.2f" % t)
        with self.lock:
            return Recording(bytes(self.data[:len(self.data) // 2 * 2]), self.start,
                             list(self.block_ends), list(self.arrivals))


class SoundLog:
    """The program's sound calls, read from its stderr."""

    LINE = re.compile(r"^\s*(\d+\.\d+) glimmora\.alarm (play|stop)\b")

    def __init__(self, path):
        self.path = path

    def calls(self, kind):
        with open(self.path, encoding="utf-8", errors="replace") as f:
            return [float(m.group(1)) for m in map(self.LINE.match, f) if m and m.group(2) == kind]


def alarm_minute():
    """The current minute, or the next one when fewer than 15 s are left."""
    now = time.time()
    if 60 - time.localtime(now).tm_sec < 15:
        now += 60
    t = time.localtime(now)
    return "%02d" % t.tm_hour, "%02d" % t.tm_min


def notice_of(app):
    r = app.session.run(["xdotool", "search", "--all", "--onlyvisible", "--pid",
                         str(app.proc.pid), "--name", "^Alarm$"], check=False)
    ids = r.stdout.split()
    return ids[0] if ids else None


class AlarmRingTest(harness.E2ETest):
    window_manager = True
    sound = True

    def test_rings_restarts_and_stops_on_ok(self):
        recorder = Recorder(self.session)
        self.addCleanup(recorder.close)
        harness.wait_until(recorder.covered_until, 10, what="recording running")
        hour, minute = alarm_minute()
        _, app = self.start(
            values={"A-Hour": hour, "A-Mins": minute, "Alarm": "1"},
            env={"QT_LOGGING_RULES": "glimmora.alarm.debug=true",
                 "QT_MESSAGE_PATTERN": "%{time boot} %{category} %{message}"})
        log = SoundLog(app.stderr_path)

        notice = harness.wait_until(lambda: notice_of(app), 80, what="alarm notice")
        self.assertIn("_NET_WM_STATE_ABOVE", self.session.run(
            ["xprop", "-id", notice, "_NET_WM_STATE"], check=False).stdout)
        first = harness.wait_until(lambda: log.calls("play"), 5, what="first play")[0]

        # Ringing: three seconds, twice the length of the sound file itself.
        ring_end = first + 3.0
        rec = recorder.until(ring_end + 0.2)
        self.assertIsNone(rec.first_at(first - 0.5, first - 0.05, QUIET),
                          "sound before the alarm rang")
        onset = rec.first_at(first - 0.5, ring_end, LOUD)
        self.assertIsNotNone(onset, "no alarm sound after the first play")
        self.assertLess(rec.time(onset) - first, TICK, "sound started later than one tick")
        plays = [t for t in log.calls("play") if t < ring_end]
        self.assertGreaterEqual(len(plays), int(3.0 / TICK) - 1, "not started on every tick")
        gaps = [b - a for a, b in zip(plays, plays[1:])]
        self.assertLess(max(gaps), 2 * TICK, "a tick did not restart the sound")
        # The tone goes on in every tick's time, beyond the file's own end.
        t = rec.time(onset)
        while t + TICK <= ring_end:
            self.assertTrue(rec.loud_between(t, t + TICK),
                            "no tone %.2f s after the onset" % (t - rec.time(onset)))
            t += TICK

        # "O K" silences it; from 300 ms after the click on, nothing is heard.
        # The click is timed into a beep (30 ms after a tick's restart), so
        # that the time to silence can be read off the recording.
        last_play = log.calls("play")[-1]
        target = last_play + TICK * (1 + int((time.monotonic() + 0.05 - last_play) / TICK)) + 0.03
        time.sleep(max(0.0, target - CLICK_DELAY - time.monotonic()))
        before_click = time.monotonic()
        self.session.xdotool("mousemove", "--window", notice, *OK_BUTTON, "click", "1")
        after_click = time.monotonic()
        harness.wait_until(lambda: notice_of(app) is None, 10, what="notice closed")
        stop = harness.wait_until(lambda: log.calls("stop"), 5, what="stop")[0]
        self.assertGreaterEqual(stop, before_click - 0.05)
        quiet_from = after_click + 0.3
        rec = recorder.until(quiet_from + 2.0)
        self.assertIsNone(rec.first_at(quiet_from, quiet_from + 2.0, QUIET),
                          "sound after \"O K\"")
        self.assertEqual([t for t in log.calls("play") if t > stop], [],
                         "the sound was started again after \"O K\"")

        # Latencies, bounded by block arrivals: the null sink renders about
        # every 10 ms, and a block reaches the recorder right after.
        onset = rec.first_at(first - 0.5, ring_end, LOUD)
        last = rec.last_at(stop - 0.5, quiet_from, QUIET)
        if last is not None and rec.arrival(last) > stop - 0.03:
            stopping = "within %.0f ms" % ((rec.arrival(last + 1) - stop) * 1000)
        else:
            stopping = "not measured (stopped in a pause of the tone)"
        print("\nalarm latencies: call to sound within %.0f ms, stop to silence %s, "
              "click to stop call %.0f ms; %d starts in 3 s"
              % ((rec.arrival(onset) - first) * 1000, stopping,
                 (stop - before_click) * 1000, len(plays)))
        self.assertTrue(app.alive())


class AlarmWithoutSoundTest(harness.E2ETest):
    """A module that cannot be used leaves the clock silent but running."""

    window_manager = True

    def test_clock_runs_on_and_saves(self):
        def fifo(program):
            module = os.path.join(program.path, "modules", "glimmora-sound.so")
            os.remove(module)
            os.mkfifo(module)
            return None

        def missing_and_broken_stderr(program):
            shutil.rmtree(os.path.join(program.path, "modules"))
            r, w = os.pipe()
            os.close(r)
            self.addCleanup(os.close, w)
            return w

        rows = [("module a FIFO", fifo),
                ("module missing, stderr a pipe nobody reads", missing_and_broken_stderr)]
        for name, prepare in rows:
            with self.subTest(name):
                program = harness.ProgramDir(self.session)
                hour, minute = alarm_minute()
                program.write_ini({"A-Hour": hour, "A-Mins": minute, "Alarm": "1"})
                stderr = prepare(program)
                # The warning said, so a broken stderr is written to.
                app = harness.Glimmora(self.session, program, stderr=stderr,
                                       env={"QT_LOGGING_RULES": "glimmora.sound.warning=true"})
                notice = harness.wait_until(lambda: notice_of(app), 80, what="alarm notice")
                # Still answering: the notice goes on "O K".
                self.session.xdotool("mousemove", "--window", notice, *OK_BUTTON, "click", "1")
                harness.wait_until(lambda: notice_of(app) is None, 10, what="notice closed")
                app.proc.terminate()
                self.assertEqual(app.wait_exit(), 0)
                self.assertIsNotNone(program.setting("X"), "settings not saved")


if __name__ == "__main__":
    harness.main()
