"""When each new second appears on the screen, measured against the system
clock: small areas of the root window read every ~2 ms over one X connection
(python3-xlib), each change stamped with the wall clock."""

import statistics
import time

from Xlib import X
from Xlib import display as xdisplay


def changes(display_name, areas, seconds, interval=0.002):
    """For each (x, y, width, height) area of the screen, the wall-clock
    instants (s since the epoch) at which it changed during `seconds` of
    sampling: the midpoint between the last read that showed the old pixels
    and the first that showed new ones."""
    conn = xdisplay.Display(display_name)
    try:
        root = conn.screen().root
        last = [None] * len(areas)
        seen = [None] * len(areas)  # when `last` was read
        found = [[] for _ in areas]
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            for i, (x, y, w, h) in enumerate(areas):
                before = time.time()
                pixels = root.get_image(x, y, w, h, X.ZPixmap, 0xffffffff).data
                now = (before + time.time()) / 2
                if last[i] is not None and pixels != last[i]:
                    found[i].append((seen[i] + now) / 2)
                last[i], seen[i] = pixels, now
            time.sleep(interval)
        return found
    finally:
        conn.close()


class Seconds:
    """Figures of the changes of one seconds display: how long after the
    system's second each appeared, and how long each lasted."""

    def __init__(self, instants):
        self.count = len(instants)
        # Milliseconds after the system second; a change just before it is
        # negative, not 999.
        self.lags = [(t * 1000 + 500) % 1000 - 500 for t in instants]
        self.durations = [(b - a) * 1000 for a, b in zip(instants, instants[1:])]

    def median_lag(self):
        return statistics.median(self.lags) if self.lags else float("nan")

    def worst_lag(self):
        return max(self.lags, key=abs) if self.lags else float("nan")

    def share_even(self, within):
        """The share of seconds that lasted 1000 +- `within` ms."""
        if not self.durations:
            return 0.0
        return sum(abs(d - 1000) <= within for d in self.durations) / len(self.durations)

    def __str__(self):
        return "%d changes, lags %s ms, durations %s ms" % (
            self.count, [round(v) for v in self.lags], [round(v) for v in self.durations])


class Grab:
    """Pixels of one area of the screen, read at once; pixel() takes root
    coordinates like a screenshot's."""

    def __init__(self, display_name, area):
        self.x, self.y, self.width, self.height = area
        conn = xdisplay.Display(display_name)
        try:
            self.data = conn.screen().root.get_image(self.x, self.y, self.width, self.height,
                                                     X.ZPixmap, 0xffffffff).data
        finally:
            conn.close()

    def pixel(self, x, y):
        # 32 bits a pixel, blue first.
        i = ((y - self.y) * self.width + (x - self.x)) * 4
        return (self.data[i + 2], self.data[i + 1], self.data[i])
