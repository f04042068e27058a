#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets into tests/fuzz/corpus/<target>/.

The seeds are committed; run this again only to change them. Each seed is a
small, valid example of what its target reads, so the fuzzer starts from the
shapes that matter and mutates from there.
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SECTION = b"Marvane Glimmora"


def put(target, name, data):
    d = os.path.join(HERE, "corpus", target)
    os.makedirs(d, exist_ok=True)
    with open(os.path.join(d, name), "wb") as f:
        f.write(data)


# --- settings reader and writer ---------------------------------------------
# The target reads, in this order, with libFuzzer's FuzzedDataProvider: a
# flag from the last byte (odd: our own section), then from the front the
# section name (only without the flag), the key and the value, each ended by a
# backslash and another character (a doubled backslash is one backslash), and
# the rest is the file.
def text(s):
    return s.replace(b"\\", b"\\\\") + b"\\;"


def profile(name, key, value, content, section=None):
    own = section is None
    data = (b"" if own else text(section)) + text(key) + text(value) + content
    put("fuzz_profile", name, data + (b"\x01" if own else b"\x00"))


SETTINGS = (b"[Marvane Glimmora]\nSkin=Bernstein\nX=2250\nY=1800\nStandBy=0\nOnTop=1\n"
            b"Saver=0\nAlarm=1\nA-Hour=07\nA-Mins=30\nSendKey=120\nShowSaver=0\n")


def profile_seeds():
    profile("replace", b"StandBy", b"1", SETTINGS)
    profile("add_to_section", b"Extra", b"bleibt", SETTINGS)
    profile("crlf_other_sections", b"X", b"-2250",
            b"; mine\r\n[Other]\r\nX=1\r\n[Marvane Glimmora]\r\nY=3\r\n[Z]\r\nq=1\r\n")
    profile("other_section_quoted", b"Skin", b"  'Blau'  ",
            b"[Other]\nSkin=\"x\"\n[Marvane Glimmora]\nSkin=Grau\n", section=b"Other")
    profile("long_value", b"Skin", b"a" * 3000, b"")
    profile("line_break_in_value", b"A-Hour", b"07\nX=5", b"[Marvane Glimmora]")
    profile("case_and_blanks", b"alarm", b"1",
            b"standby=1\n[marvane glimmora]\n  ALARM = 0 \nX\n\n\n[next]\n")
    profile("twice_the_section", b"Y", b"9",
            b"[Marvane Glimmora]\nY=1\n[Marvane Glimmora]\nY=2\n")
    profile("header_without_end", b"OnTop", b"0", b"[Marvane Glimmora\nOnTop=1\n[=]\n=x\n")
    profile("empty_key", b"", b"v", b"[Marvane Glimmora]\n=old\n")
    profile("new_file_new_section", b"Skin", b"", b"", section=b"Neu")
    profile("binary", b"S\x00k", b"\xff\xfe", b"\x00[\x00]\n\xc3\xa4=\xc3\xb6\n")
    # Byte-order marks: UTF-8 carried along, UTF-16 read and written as such.
    text16 = "; \u00fc\r\n[Marvane Glimmora]\r\nSkin=Bl\u00e5\r\nX=2250\r\n"
    profile("bom_utf8", b"Skin", b"Gr\xc3\xbcn", b"\xef\xbb\xbf" + SETTINGS)
    profile("bom_utf16le", b"Skin", b"Gr\xc3\xbcn", b"\xff\xfe" + text16.encode("utf-16-le"))
    profile("bom_utf16be", b"Y", b"1800", b"\xfe\xff" + text16.encode("utf-16-be"))
    profile("bom_utf16_text_starts_with_feff", b"X", b"\xef\xbb\xbf1",
            b"\xff\xfe" + "\ufeff[Marvane Glimmora]\r\nX=1\r\n".encode("utf-16-le"))
    profile("bom_utf16_odd_and_lone_surrogate", b"X", b"\xff", b"\xff\xfe[\x00\x00\xd8M")


# --- numeric rule -------------------------------------------------------------
def numeric_seeds():
    for i, t in enumerate([b"120", b"120abc", b"&H78", b"&hff", b"&O170", b"&HFFFF",
                           b"&H1FFFFFFFF", b"1.5E3", b"1,5E3", b" - 4 ", b"1 2\t3\n4",
                           b"99999", b"1e400", b"-1e-400", b".5", b"5.", b"32767.5",
                           b"-32768.5", b"2.5", b"-2.5", b"1e", b"1e+", b"+7", b"x7", b"",
                           b"0.000000000000000000001", b"1" * 400, b"\xc3\xa4\xef\xbc\x91"]):
        put("fuzz_numeric", "n%02d" % i, t)


# --- skin description -----------------------------------------------------------
def skin_seeds():
    assets = os.path.join(HERE, "..", "..", "assets", "Skins")
    if os.path.isdir(assets):
        for skin in sorted(os.listdir(assets)):
            path = os.path.join(assets, skin, "SkinFile.ini")
            if os.path.exists(path):
                with open(path, "rb") as f:
                    put("fuzz_skin", "shipped_" + skin.lower(), f.read())
    builtin = [(b"Width", b"460"), (b"Height", b"234")]
    tubes = [(113, 114, 19, 34), (153, 113, 19, 34), (207, 113, 19, 34),
             (248, 113, 19, 34), (306, 120, 14, 26), (339, 120, 14, 26)]
    for i, (x, y, w, h) in enumerate(tubes, 1):
        p = b"Digit%d_" % i
        builtin += [(p + b"Top", b"%d" % y), (p + b"Left", b"%d" % x),
                    (p + b"Width", b"%d" % w), (p + b"Height", b"%d" % h)]
    builtin += [(b"PowerSwitch_Top", b"156"), (b"PowerSwitch_Left", b"48"),
                (b"StandBy_Top", b"156"), (b"Alarm_Left", b"667")]
    body = b"".join(k + b"=" + v + b"\n" for k, v in builtin)
    put("fuzz_skin", "builtin_layout", b"[Marvane Glimmora]\n" + body)
    put("fuzz_skin", "lower_case_keys", b"[marvane glimmora]\n" + body.lower())
    put("fuzz_skin", "odd_numbers",
        b"[Marvane Glimmora]\r\nWidth=1e30\r\nHeight=-1e39\r\nDigit1_Width=12,5\r\n"
        b"Digit1_Height= 3.4E38 \r\nDigit2_Top=&HFFFF\r\nDigit2_Left=-32768.5\r\n"
        b"Digit3_Width=32767.5\r\nDigit4_File=\r\nDigit6_File=sub\\6.bmp\r\n"
        b"Alarm_Height=x7\r\nStandBy_Width='19'\r\n")
    put("fuzz_skin", "bom_utf16le", b"\xff\xfe" + (b"[Marvane Glimmora]\r\n" + body)
        .decode("latin-1").encode("utf-16-le"))
    put("fuzz_skin", "bom_utf8_huge_tubes",
        b"\xef\xbb\xbf[Marvane Glimmora]\nWidth=32767\nHeight=32767\nDigit1_Width=32767\n"
        b"Digit1_Height=32767\nDigit4_Width=20000\nDigit4_Height=20000\nDigit4_Left=-32768\n")
    put("fuzz_skin", "other_section", b"[Other]\nWidth=10\n[Marvane Glimmora]\nWidth=\n")


# --- BMP pictures -------------------------------------------------------------------
def bmp(info, pixels, palette=b""):
    offset = 14 + len(info) + len(palette)
    return (b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info +
            palette + pixels)


def info40(w, h, bpp, compression=0, colours=0, size_image=0):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, compression, size_image, 2835, 2835,
                       colours, 0)


def rows(w, h, bpp, fill):
    stride = ((w * bpp + 31) // 32) * 4
    out = b""
    for y in range(h):
        line = bytes((fill(x, y) for x in range(stride)))
        out += line
    return out


def bmp_seeds():
    put("fuzz_bmp", "rgb24", bmp(info40(4, 3, 24), rows(4, 3, 24, lambda x, y: x * 20 + y)))
    put("fuzz_bmp", "rgb24_top_down", bmp(info40(3, -2, 24), rows(3, 2, 24, lambda x, y: 200)))
    put("fuzz_bmp", "rgb32", bmp(info40(3, 2, 32), rows(3, 2, 32, lambda x, y: x)))
    grey = b"".join(bytes((i, i, i, 0)) for i in range(0, 256, 16))
    put("fuzz_bmp", "pal8", bmp(info40(5, 2, 8, colours=16), rows(5, 2, 8, lambda x, y: x % 16),
                                grey))
    put("fuzz_bmp", "pal4", bmp(info40(7, 3, 4, colours=16), rows(7, 3, 4, lambda x, y: 0x12),
                                grey))
    two = b"\x00\x00\x28\x00\xff\xff\xff\x00"
    put("fuzz_bmp", "pal1", bmp(info40(9, 2, 1, colours=2), rows(9, 2, 1, lambda x, y: 0xA5),
                                two))
    rle8 = b"\x03\x01\x02\x02\x00\x00" + b"\x00\x02\x01\x00" + b"\x02\x03\x00\x01"
    put("fuzz_bmp", "rle8", bmp(info40(6, 3, 8, compression=1, colours=16,
                                       size_image=len(rle8)), rle8, grey))
    rle4 = b"\x04\x12\x00\x00" + b"\x00\x03\x12\x30" + b"\x00\x01"
    put("fuzz_bmp", "rle4", bmp(info40(4, 2, 4, compression=2, colours=16,
                                       size_image=len(rle4)), rle4, grey))
    masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    put("fuzz_bmp", "bitfields565", bmp(info40(3, 2, 16, compression=3),
                                        rows(3, 2, 16, lambda x, y: 0x5A), masks))
    core = struct.pack("<IHHHH", 12, 2, 2, 1, 24)
    put("fuzz_bmp", "os2_core", bmp(core, rows(2, 2, 24, lambda x, y: 0x80)))
    v5 = struct.pack("<IiiHHIIiiII", 124, 2, 2, 1, 32, 3, 16, 2835, 2835, 0, 0)
    v5 += struct.pack("<IIII", 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    v5 += b"sRGB" + b"\x00" * (124 - 40 - 16 - 4)
    put("fuzz_bmp", "v5_alpha", bmp(v5, rows(2, 2, 32, lambda x, y: 0x7F)))
    # Huge pictures in a few bytes: a one-pixel checkerboard of the mask
    # colour, run-length coded and cut short, and a picture as wide as one may
    # be. (A claim far beyond the limits mutates into claims just within them,
    # each decoded in full: too slow a seed.)
    board = (b"\xfa\x01" * 4 + b"\x00\x00" + b"\xfa\x10" * 4 + b"\x00\x00") * 4 + b"\x00\x01"
    put("fuzz_bmp", "rle4_checkerboard_1000", bmp(info40(1000, 1000, 4, compression=2,
                                                         colours=2, size_image=len(board)),
                                                  board, two))
    put("fuzz_bmp", "claims_32767_wide", bmp(info40(32767, 1, 24), b"\x00" * 64))
    led = os.path.join(HERE, "..", "..", "assets", "builtin", "led_on.bmp")
    if os.path.exists(led):
        with open(led, "rb") as f:
            put("fuzz_bmp", "builtin_lamp", f.read())


def main():
    profile_seeds()
    numeric_seeds()
    skin_seeds()
    bmp_seeds()
    return 0


if __name__ == "__main__":
    sys.exit(main())
