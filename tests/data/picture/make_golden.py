#!/usr/bin/env python3
"""Writes the small test pictures of this folder and their expected conversions.

An independent reference of the halftone conversion, written from the description of the
tables and the conversion rather than from the C++ code, so that the golden files check the
program instead of repeating it. The extended-precision arithmetic of the error shares is
emulated exactly with fractions: the difference and each share are rounded to a 64-bit
mantissa, each sum to a 64-bit mantissa and then to a double.

Run it from anywhere; review the diff of what it writes before committing.
"""
from fractions import Fraction
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

DIFFUSION = [
    0, 0, 0, 1, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3,
    3, 4, 4, 4, 4, 4, 4, 5, 5, 5, 6, 6, 6, 7, 7, 7,
    7, 8, 8, 8, 8, 8, 8, 10, 10, 10, 11, 11, 11, 12, 12, 13,
    13, 13, 14, 14, 15, 15, 15, 16, 16, 17, 17, 18, 18, 19, 19, 20,
    20, 21, 21, 22, 22, 23, 23, 24, 24, 25, 25, 26, 27, 27, 28, 29,
    30, 31, 31, 32, 32, 33, 33, 34, 34, 35, 36, 37, 37, 38, 39, 40,
    40, 41, 42, 43, 43, 44, 45, 46, 46, 47, 48, 49, 50, 51, 52, 53,
    54, 55, 56, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68,
    69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 82, 83, 84, 85,
    87, 88, 89, 90, 91, 92, 93, 94, 96, 97, 98, 100, 101, 102, 103, 105,
    106, 107, 109, 110, 112, 113, 115, 116, 117, 118, 120, 121, 122, 124, 125, 126,
    128, 130, 131, 133, 134, 136, 137, 139, 141, 142, 143, 145, 147, 148, 150, 151,
    153, 155, 157, 158, 160, 162, 163, 164, 166, 168, 170, 171, 173, 175, 176, 178,
    179, 181, 183, 184, 186, 187, 189, 191, 193, 194, 196, 198, 199, 201, 202, 204,
    205, 207, 209, 210, 212, 214, 216, 218, 220, 211, 222, 224, 226, 228, 229, 230,
    232, 233, 235, 237, 238, 240, 241, 243, 244, 246, 247, 249, 250, 251, 253, 255,
]
COMBINED = [
    0, 1, 1, 5, 5, 6, 6, 7, 8, 9, 9, 10, 11, 11, 12, 13,
    13, 14, 15, 15, 16, 16, 17, 18, 18, 19, 20, 20, 21, 22, 22, 23,
    23, 24, 24, 25, 25, 26, 27, 27, 28, 29, 29, 30, 30, 31, 31, 31,
    32, 32, 33, 33, 34, 34, 35, 35, 36, 36, 36, 37, 37, 38, 38, 39,
    39, 40, 41, 41, 41, 41, 43, 43, 43, 44, 44, 45, 45, 46, 47, 47,
    48, 48, 49, 50, 51, 52, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61,
    62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77,
    78, 79, 78, 79, 80, 80, 81, 81, 82, 82, 83, 83, 84, 84, 85, 85,
    85, 85, 86, 86, 87, 87, 88, 88, 89, 89, 90, 90, 91, 92, 92, 93,
    94, 95, 95, 97, 98, 99, 100, 100, 101, 102, 104, 105, 106, 108, 109, 110,
    112, 114, 115, 117, 119, 120, 122, 124, 126, 127, 129, 130, 133, 134, 136, 138,
    139, 142, 143, 144, 146, 148, 149, 151, 153, 154, 156, 157, 158, 159, 162, 163,
    164, 165, 166, 168, 170, 171, 172, 173, 175, 176, 177, 179, 180, 181, 182, 184,
    186, 187, 189, 190, 191, 192, 193, 195, 196, 198, 200, 201, 203, 204, 205, 207,
    208, 209, 210, 212, 214, 215, 216, 218, 219, 221, 222, 224, 226, 227, 228, 230,
    231, 233, 235, 236, 238, 240, 242, 243, 244, 246, 247, 249, 251, 252, 254, 255,
]
FILL = [11, 77, 91, 37, 33, 99, 73, 19, 5, 50, 25, 52, 85, 58, 22, 88, 82, 28, 70, 46, 3, 66, 30, 7]
SPREAD = [b + o for b in (0, 5, 9, 3, 7, 2, 6, 1, 4, 8) for o in (0, 50, 20, 70, 90, 40, 10, 60, 30, 80)]
ROW176_FULL = [0, 2, 4, 6, 8, 11, 13, 15, 17, 19, 20, 22, 24, 26, 27, 28, 31, 32, 33, 35, 37,
               39, 40, 42, 44, 46, 48, 51, 53, 55, 57, 59, 60, 61, 64, 66, 68, 71, 73, 75, 76,
               77, 79, 80, 81, 82, 84, 86, 88, 91, 93, 95, 97, 99]
# Row: (new full position, (in-between position, tone)); row 189's entry taken as 192.
ROWS_177_205 = {
    177: (14, (96, 128)), 178: (96, None), 179: (None, (30, 128)), 180: (30, (69, 64)),
    181: (69, None), 182: (None, (18, 128)), 183: (18, (62, 64)), 184: (62, None),
    185: (None, (92, 128)), 186: (92, None), 187: (None, (47, 128)), 188: (47, (29, 64)),
    189: (None, (29, 192)), 190: (29, (1, 128)), 191: (1, None), 192: (None, (98, 64)),
    193: (None, (98, 192)), 194: (98, (54, 64)), 195: (54, None), 196: (None, (72, 128)),
    197: (72, None), 198: (None, (36, 128)), 199: (None, (36, 128)), 200: (36, (21, 128)),
    201: (21, None), 202: (None, (70, 128)), 203: (70, (43, 64)), 204: (None, (43, 128)),
    205: (43, None),
}


def strike_pattern():
    p = [[0] * 100 for _ in range(256)]
    for r in range(1, 25):
        for k in range(r):
            p[r][FILL[k]] = 64
    p[255] = [255] * 100
    full = set(ROW176_FULL)
    p[176] = [255 if i in full else 0 for i in range(100)]
    p[176][14] = 128
    for r in range(177, 206):
        new, between = ROWS_177_205[r]
        if new is not None:
            full.add(new)
        p[r] = [255 if i in full else 0 for i in range(100)]
        if between:
            p[r][between[0]] = between[1]
    for r in range(25, 56):
        p[r] = [64] * 100
    for i in range(50):
        if i >= 1:
            p[255 - i] = list(p[256 - i])
        p[225 - i][SPREAD[i]] = 192
    for i in range(50, 100):
        p[225 - i] = list(p[226 - i])
        p[225 - i][SPREAD[i]] = 128
    for i in range(100):
        p[125 - i] = list(p[126 - i])
        p[125 - i][SPREAD[i]] = 64
    return p


def start_cursor():
    return [57 - g if g <= 56 else g - 57 if g <= 156 else 255 - g for g in range(256)]


def round_bits(x, bits):
    """x rounded to `bits` significant bits, to nearest, ties to even."""
    x = Fraction(x)
    if x == 0:
        return x
    sign = -1 if x < 0 else 1
    a = abs(x)
    k = a.numerator.bit_length() - a.denominator.bit_length()
    if Fraction(2) ** k > a:
        k -= 1
    shift = bits - 1 - k  # scale so the integer part has `bits` bits
    scaled = a * Fraction(2) ** shift
    q, rem = divmod(scaled.numerator, scaled.denominator)
    twice = 2 * rem
    if twice > scaled.denominator or (twice == scaled.denominator and q % 2 == 1):
        q += 1
    return sign * Fraction(q) / Fraction(2) ** shift


def ext(x):
    return round_bits(x, 64)


def to_double(x):
    return float(x)  # correctly rounded from the exact value


def convert(picture, mode, pattern, cursor):
    w, h = picture["w"], picture["h"]
    dot_map = [[0] * (w + 4) for _ in range(h + 4)]
    levels = [[0.0] * (w + 4) for _ in range(h + 4)]
    curve = COMBINED if mode == "combined" else DIFFUSION
    for y in range(h):
        for x in range(w):
            g = picture["red"][y][x]
            dot_map[y + 1][x + 1] = g
            levels[y + 1][x + 2] = float(curve[g])

    def next_tone(g):
        while True:
            tone = pattern[g][cursor[g]]
            cursor[g] = (cursor[g] + 1) % 100
            if tone != 0:
                return tone

    def decide(d, g):
        if mode == "diffusion":
            return 255 if d >= 126 else 0
        if g >= 1 and int(d) > g // 2:
            return next_tone(g)
        return 0

    def spill(r, c, e, weight):
        share = ext(e * weight) / 16
        levels[r][c] = to_double(ext(Fraction(levels[r][c]) + share))

    for r in range(1, h + 1):
        if r % 2 == 1:
            for c in range(1, w + 3):
                d = levels[r][c]
                o = decide(d, dot_map[r][c])
                levels[r][c] = float(o)
                e = ext(Fraction(d) - o)
                spill(r, c + 1, e, 7)
                spill(r + 1, c - 1, e, 3)
                spill(r + 1, c, e, 5)
                spill(r + 1, c + 1, e, 1)
        else:
            for c in range(w + 1, 1, -1):
                d = levels[r][c]
                o = decide(d, dot_map[r][c])
                levels[r][c] = float(o)
                e = ext(Fraction(d) - o)
                spill(r, c - 1, e, 7)
                spill(r + 1, c - 1, e, 1)
                spill(r + 1, c, e, 5)
                spill(r + 1, c + 1, e, 3)
    for r in range(h):
        levels[r][0] = levels[r][1] = 0.0
    if mode == "combined":
        for c in range(w + 1):
            levels[h][c] = 0.0
    for r in range(h + 4):
        levels[r][w + 2] = levels[r][w + 3] = 0.0
    dots = [[0] * w for _ in range(h)]
    for y in range(h):
        for x in range(w):
            v = int(levels[y][x + 1])
            if 254 <= v <= 256:
                v = 255
            elif mode == "combined":
                for lo, hi, tone in ((190, 194, 192), (126, 130, 128), (62, 66, 64), (0, 1, 0)):
                    if lo <= v <= hi:
                        v = tone
            levels[y][x + 1] = float(v)
            dots[y][x] = v
    return levels, dots


def write_bmp24(path, w, h, pixel):
    stride = (w * 3 + 3) // 4 * 4
    body = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        body += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + body)


def write_levels(path, levels):
    with open(path, "w", newline="\n") as f:
        for row in levels:
            f.write(" ".join("%.17g" % v for v in row) + "\n")


def pictures():
    def make(name, w, h, rgb):
        red = [[rgb(x, y)[0] for x in range(w)] for y in range(h)]
        return {"name": name, "w": w, "h": h, "rgb": rgb, "red": red}

    def ramp(x, y):
        return ((x * 11 + y * 17) % 256, (x * 3) % 256, 255 - (y * 20) % 256)

    def disc(x, y):
        d2 = (x - 7.5) ** 2 + (y - 5.5) ** 2
        v = max(0, min(255, int(255 - d2 * 6)))
        return (v, 255 - v, v // 2)

    def bars(x, y):
        return ((0, 1, 57, 128, 176, 189, 210, 255)[x % 8], 9, 200)

    return [make("ramp", 23, 9, ramp), make("disc", 16, 12, disc), make("bars", 8, 5, bars),
            make("single", 1, 1, lambda x, y: (200, 0, 0))]


def main():
    pattern = strike_pattern()
    for pic in pictures():
        write_bmp24(os.path.join(HERE, pic["name"] + ".bmp"), pic["w"], pic["h"], pic["rgb"])
        for mode in ("diffusion", "combined"):
            cursor = start_cursor()
            runs = ("", "-second") if mode == "combined" else ("",)
            for run in runs:  # a second conversion in the same run goes on from the cursors
                levels, dots = convert(pic, mode, pattern, cursor)
                stem = os.path.join(HERE, "%s-%s%s" % (pic["name"], mode, run))
                write_levels(stem + ".levels.txt", levels)
                write_bmp24(stem + ".dots.bmp", pic["w"], pic["h"],
                            lambda x, y: (dots[y][x],) * 3)


if __name__ == "__main__":
    main()
