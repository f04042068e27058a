"""Reading shipped skins and checking what the clock shows of them."""

import configparser
import os
import re
import struct
import time

import harness

MASK = (0, 0, 40)
# The colon lamps stand at fixed places whatever the skin says.
LAMPS = [(478, 313, 16, 67), (506, 313, 16, 67)]
DEFAULT_FILES = ["1.bmp", "2.bmp", "3.bmp", "4.bmp", "5.bmp", "5.bmp"]
BUILTIN_FOLDER = os.path.join(harness.SOURCE_DIR, "assets", "builtin")
# The built-in tube rectangles on the face: left, top, width, height.
BUILTIN_TUBES = [(113, 114, 19, 34), (153, 113, 19, 34), (207, 113, 19, 34),
                 (248, 113, 19, 34), (306, 120, 14, 26), (339, 120, 14, 26)]


def bmp(width, height, bits, compression, palette, data):
    """A Windows bitmap with a 40-byte header."""
    offset = 14 + 40 + 4 * len(palette)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(data),
                       2835, 2835, len(palette), 0)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + info + pal + data


def number(text):
    """The leading number of a text, 0 where there is none."""
    m = re.match(r"\s*([-+]?\d*\.?\d+(?:[eE][-+]?\d+)?)", text or "")
    return float(m.group(1)) if m else 0.0


class Skin:
    """A skin folder: its face picture, strips and rectangles."""

    def __init__(self, folder):
        self.folder = folder
        self.name = os.path.basename(folder.rstrip("/"))
        parser = configparser.ConfigParser(interpolation=None, strict=False)
        with open(os.path.join(folder, "SkinFile.ini"), encoding="latin-1") as f:
            parser.read_file(f)
        section = next(s for s in parser.sections() if s.lower() == harness.SECTION.lower())
        self.keys = {k.lower(): v.strip() for k, v in parser.items(section)}
        self.back = harness.Image.from_file(os.path.join(folder, "back.bmp"))
        self.tubes = [self.rect("Digit%d" % (i + 1)) for i in range(6)]
        self.power = self.rect("PowerSwitch")
        self.standby = self.rect("StandBy")
        self.alarm = self.rect("Alarm")
        self.strips = []
        for i in range(6):
            name = self.keys.get("digit%d_file" % (i + 1)) or DEFAULT_FILES[i]
            self.strips.append(harness.Image.from_file(os.path.join(folder, name)))

    def rect(self, prefix):
        """(left, top, width, height) in whole pixels, fractions rounded half to even."""
        get = lambda part: round(number(self.keys.get((prefix + "_" + part).lower(), "")))
        return (get("Left"), get("Top"), get("Width"), get("Height"))

    def size(self):
        return (self.back.width, self.back.height)

    def on_face(self, rect):
        x, y, w, h = rect
        return w > 0 and h > 0 and x >= 0 and y >= 0 and x + w <= self.back.width \
            and y + h <= self.back.height


class BuiltinLook:
    """The built-in face and strips as the program carries them, read as a skin."""

    def __init__(self):
        read = lambda name: harness.Image.from_file(os.path.join(BUILTIN_FOLDER, name))
        self.back = read("back.bmp")
        self.strips = [read(name) for name in DEFAULT_FILES]
        self.tubes = BUILTIN_TUBES


def shipped_skins():
    root = os.path.join(harness.BUILD_DIR, "Skins")
    if not os.path.isdir(root):
        return []
    return [Skin(os.path.join(root, n)) for n in sorted(os.listdir(root))
            if not n.startswith(".") and os.path.isdir(os.path.join(root, n))]


def inside(px, py, rects):
    return any(x <= px < x + w and y <= py < y + h for x, y, w, h in rects)


def face_mismatches(shot, origin, skin, lamps=LAMPS):
    """Pixels of the face, outside tubes and lamps and not of the mask colour,
    that differ on screen from back.bmp."""
    ox, oy = origin
    skip = list(skin.tubes) + lamps
    bad = []
    for y in range(skin.back.height):
        for x in range(skin.back.width):
            want = skin.back.pixel(x, y)
            if want == MASK or inside(x, y, skip):
                continue
            got = shot.pixel(ox + x, oy + y)
            if got != want:
                bad.append((x, y, want, got))
    return bad


def digits_of(t):
    return [t.tm_hour // 10, t.tm_hour % 10, t.tm_min // 10, t.tm_min % 10,
            t.tm_sec // 10, t.tm_sec % 10]


def tube_mismatches(shot, origin, skin, tube, digit):
    """Pixels of the tube that differ from its strip's cell of `digit`
    (pixels the face cuts away with the mask colour are not looked at)."""
    ox, oy = origin
    left, top, w, h = skin.tubes[tube]
    strip = skin.strips[tube]
    bad = []
    for j in range(h):
        for i in range(w):
            fx, fy = left + i, top + j
            if 0 <= fx < skin.back.width and 0 <= fy < skin.back.height and \
                    skin.back.pixel(fx, fy) == MASK:
                continue
            want = strip.pixel(digit * w + i, j)
            if shot.pixel(ox + fx, oy + fy) != want:
                bad.append((i, j))
    return bad


def shows_time(session, origin, skin):
    """One screenshot between two clock readings; None when every tube shows
    its digit of one of the two times, otherwise what did not match."""
    before = time.localtime()
    shot = session.screenshot()
    after = time.localtime()
    problems = []
    for tube in range(6):
        candidates = {digits_of(before)[tube], digits_of(after)[tube]}
        if not any(not tube_mismatches(shot, origin, skin, tube, d) for d in candidates):
            problems.append("tube %d does not show %s" % (tube, sorted(candidates)))
    return (shot, problems or None)
