#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets: one folder per target, small real inputs.

Each file is what the program writes or reads in the start directory, plus a few that are
cut short or have one field wrong, so the fuzzer starts from every branch a real file takes.
The pictures are written by hand (no image library needed), one or more per format the
picture reader knows. Crashes the fuzzer finds are kept apart, under crashes/ (see
README.md there), so the test command does not replay them.

Run it from anywhere; review the diff of what it writes before committing.
"""
import os
import shutil
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)
TARGETS = ["plan_reader", "plan_cut", "settings", "language", "recovery_file",
           "progress_record", "picture"]


def crlf(*lines):
    return b"".join(line + b"\r\n" for line in lines)


def write(target, name, data):
    with open(os.path.join(HERE, target, name), "wb") as f:
        f.write(data)


def golden_plans():
    folder = os.path.join(DATA, "plan")
    return {name: open(os.path.join(folder, name), "rb").read()
            for name in sorted(os.listdir(folder)) if name.endswith("-sided.txt")}


# --- plans ------------------------------------------------------------------------------

def plan_reader_seeds():
    for name, plan in golden_plans().items():
        write("plan_reader", name, plan)
    ring = golden_plans()["ring.two-sided.txt"]
    write("plan_reader", "lf-line-ends.txt", ring.replace(b"\r\n", b"\n"))
    write("plan_reader", "cut-inside-a-line.txt", ring[:-3])
    write("plan_reader", "move-not-a-number.txt",
          crlf(b"", b"GoTo:      2    x2", b"Down: ", b"Knock: 44"))
    write("plan_reader", "digit-out-of-range.txt",
          crlf(b"", b"GoTo:      2     2", b"Down: ", b"Knock: 4454"))
    write("plan_reader", "extreme-moves.txt",
          crlf(b"", b"GoTo: -99999999999", b"Down: ", b"KBack: 0001", b"Up  : "))


def parse_plan(plan):
    """(line number, kind, row, column, digits) of every line, as the plan reader counts."""
    lines = []
    for number, text in enumerate(plan.split(b"\r\n")[:-1], start=1):
        if text.startswith(b"GoTo:"):
            lines.append((number, "move", int(text[6:12]), int(text[12:18]), b""))
        elif text.startswith(b"Knock") or text.startswith(b"KBack"):
            lines.append((number, text[:5].decode(), 0, 0, text[7:]))
        else:
            lines.append((number, "other", 0, 0, b""))
    return lines


OPENED = 0x40000000  # the record's mark: the print job of the plan was opened


def cut_header(row, column, offset_x, offset_y, record):
    # The controller reports the row in half steps: two Y steps per row.
    return struct.pack(">HH", 2 * row, column) + struct.pack("<iii", offset_x, offset_y, record)


def plan_cut_seeds():
    offset_x, offset_y = 40, 25
    for name, plan in golden_plans().items():
        stem = name[:-len(".txt")]
        lines = parse_plan(plan)
        strikes = []
        row = column = 0
        for number, kind, r, c, digits in lines:
            if kind == "move":
                row, column = r + offset_y, c + offset_x
            elif kind in ("Knock", "KBack"):
                step = 1 if kind == "Knock" else -1
                strikes.append((number, row, column, step, len(digits)))
                column += step * len(digits)
        number, row, column, step, length = strikes[len(strikes) // 2]
        middle = column + step * (length // 2)
        # The record names the line that was running; then the same without a record, as
        # after a crash of an older program; then a record from before the first line.
        write("plan_cut", stem + ".in-flight",
              cut_header(row, middle, offset_x, offset_y, OPENED | number) + plan)
        write("plan_cut", stem + ".no-record",
              cut_header(row, middle, offset_x, offset_y, -1) + plan)
        write("plan_cut", stem + ".nothing-sent",
              cut_header(0, 0, offset_x, offset_y, 0) + plan)
        write("plan_cut", stem + ".opened-at-home",
              cut_header(0, 0, offset_x, offset_y, OPENED) + plan)
        last_number, last_row, last_column, last_step, last_length = strikes[-1]
        write("plan_cut", stem + ".at-the-end",
              cut_header(last_row, last_column + last_step * last_length, offset_x, offset_y,
                         OPENED | last_number) + plan)
        write("plan_cut", stem + ".not-found",
              cut_header(9999, 9999, offset_x, offset_y, -1) + plan)


# --- settings and language ---------------------------------------------------------------

def settings_seeds():
    def settings(mode1=b"Ind  ", forces1=(14, 10, 5, 2), mode2=b"Group", forces2=(14, 10, 5, 2),
                 port=b"com1", width=b"1930", height=b"2330", resolution=b"3", speed=b"12",
                 chunk=b"8", kind=b"1"):
        lines = [mode1] + [b"KnKHel%d-%d" % (4 - i, f) for i, f in enumerate(forces1)]
        lines += [mode2] + [b"KnKHel%d-%d" % (4 - i, f) for i, f in enumerate(forces2)]
        return crlf(*lines, port, width, height, resolution, speed, chunk, kind)

    write("settings", "default.ini", settings())
    write("settings", "group-usb-port.ini",
          settings(mode1=b"Group", forces1=(30, 20, 10, 4), port=b"/dev/ttyUSB0", kind=b"0"))
    write("settings", "cyrillic-port.ini", settings(port="/dev/порт".encode("cp1251")))
    write("settings", "force-out-of-range.ini", settings(forces1=(999, 10, 5, 2)))
    write("settings", "faulty-numbers.ini",
          settings(width=b"wide", height=b"-5", resolution=b"12", speed=b"300",
                   chunk=b"99999999999999999999", kind=b"2 x"))
    write("settings", "lf-line-ends.ini", settings().replace(b"\r\n", b"\n"))
    write("settings", "ends-at-line-9.ini", b"\r\n".join(settings().split(b"\r\n")[:9]))
    write("settings", "empty.ini", b"")


def language_seeds():
    shutil.copy(os.path.join(DATA, "setup", "english_menus.lng"),
                os.path.join(HERE, "language", "english_menus.lng"))
    write("language", "status-texts.lng",
          crlf(b"0008=Ready", b"  43=Warm-up", b"9008=" + "Разогрев".encode("cp1251"),
               b"-001=minus", b"+012=plus", b"12a4=no code", b"0010", b"0011=a=b"))
    write("language", "lf-no-last-end.lng", b"0010=File\n0011=Open\n0012=Save")


# --- recovery file and progress record ---------------------------------------------------

def recovery_seeds():
    def recovery(*extra, offsets=(b"120", b"-35"), follows=b"1", resolution=b"3"):
        return crlf("C:\\Фото\\портрет.jpg".encode("cp1251"), *offsets, b"2", b"5", b"10",
                    b"14", follows, b"1", b"4", b"8", b"12", resolution, *extra)

    write("recovery_file", "first-pass.txt", recovery(follows=b"0"))
    write("recovery_file", "second-pass-started.txt", recovery(b"Sec"))
    write("recovery_file", "ends-at-line-7.txt", b"\r\n".join(recovery().split(b"\r\n")[:7]))
    write("recovery_file", "offset-not-a-number.txt", recovery(offsets=(b"12x", b"0")))
    write("recovery_file", "force-out-of-range.txt",
          recovery().replace(b"\r\n14\r\n", b"\r\n256\r\n"))
    write("recovery_file", "large-offsets.txt", recovery(offsets=(b"2147483647", b"-2147483648")))


def progress_seeds():
    plan = b"5f0c6b7b2b1e6f0d4e0a4d6f3c2b1a0998877665"
    job = b"0123456789abcdef0123456789abcdef01234567"
    write("progress_record", "first-pass.txt", crlf(b"1", b"17".ljust(10), b"1", plan, job))
    write("progress_record", "second-pass-not-opened.txt",
          crlf(b"2", b"0".ljust(10), b"0", plan, job))
    write("progress_record", "cut-short.txt", crlf(b"1", b"17".ljust(10), b"1", plan, job)[:-1])
    write("progress_record", "upper-case-digest.txt",
          crlf(b"1", b"3".ljust(10), b"1", plan.upper(), job))
    write("progress_record", "three-lines.txt", crlf(b"1", b"17".ljust(10), plan))


# --- pictures ----------------------------------------------------------------------------

def bmp(width, height, bits, pixels, palette=b"", compression=0, header_size=40, extra=b"",
        masks=b""):
    info_tail = struct.pack("<HHIIiiII", 1, bits, compression, len(pixels), 2835, 2835,
                            len(palette) // 4, 0)
    if header_size == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<Iii", header_size, width, height) + info_tail + extra
        info += b"\0" * (header_size - len(info))
    colours = masks + palette  # bit-field masks follow a 40-byte header
    offset = 14 + len(info) + len(colours)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + colours + pixels


def png(width, height, colour_type, rows, bits=8):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(
            ">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", width, height, bits, colour_type, 0, 0, 0)
    data = zlib.compress(b"".join(b"\0" + row for row in rows))
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", data) + chunk(b"IEND", b"")


def jpeg(exif_orientation=None):
    """An 8 x 8 grey baseline JPEG: one block, DC only, the shortest Huffman tables."""
    def segment(marker, body):
        return bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body
    out = b"\xFF\xD8"
    if exif_orientation is not None:
        tiff = b"II*\0" + struct.pack("<IHHHIHHI", 8, 1, 0x0112, 3, 1, exif_orientation, 0, 0)
        out += segment(0xE1, b"Exif\0\0" + tiff)
    out += segment(0xDB, b"\0" + b"\1" * 64)
    out += segment(0xC0, struct.pack(">BHHB", 8, 8, 8, 1) + b"\x01\x11\x00")
    one_code = b"\1" + b"\0" * 15 + b"\0"  # one code of length 1, for symbol 0
    out += segment(0xC4, b"\x00" + one_code)  # DC: difference category 0
    out += segment(0xC4, b"\x10" + one_code)  # AC: end of block
    out += segment(0xDA, b"\x01\x01\x00\x00\x3F\x00")
    return out + b"\x3F" + b"\xFF\xD9"  # bits 0 (DC) and 0 (EOB), padded with ones


def gif(width, height, indices, palette, transparent=None):
    """A GIF whose LZW data sends a clear code before every pixel, so no code grows."""
    out = b"GIF89a" + struct.pack("<HHBBB", width, height, 0xF1, 0, 0) + palette
    if transparent is not None:
        out += b"\x21\xF9\x04\x01\x00\x00" + bytes([transparent]) + b"\x00"
    out += b"\x2C" + struct.pack("<HHHHB", 0, 0, width, height, 0)
    codes = []
    for index in indices:
        codes += [4, index]
    codes.append(5)
    bits = 0
    count = 0
    data = bytearray()
    for code in codes:
        bits |= code << count
        count += 3
        while count >= 8:
            data.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    if count:
        data.append(bits & 0xFF)
    return out + b"\x02" + bytes([len(data)]) + bytes(data) + b"\x00\x3B"


def ico():
    pixels = struct.pack("<4I", 0xFFFF0000, 0x80FFFFFF, 0x00000000, 0xFF00FF00)
    mask = b"\0\0\0\0" * 2
    dib = struct.pack("<IiiHHIIiiII", 40, 2, 4, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = dib + pixels + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 2, 2, 0, 0, 1, 32, len(image),
                                                      22) + image


def picture_seeds():
    folder = os.path.join(DATA, "picture")
    for name in ("single.bmp", "bars.bmp"):
        shutil.copy(os.path.join(folder, name), os.path.join(HERE, "picture", name))
    grey = bytes(range(0, 256, 4)) * 4
    write("picture", "one-bit.bmp", bmp(3, 2, 1, b"\xA0\0\0\0\x40\0\0\0",
                                        palette=b"\0\0\0\0\xFF\xFF\xFF\0"))
    write("picture", "top-down-8-bit.bmp", bmp(4, -2, 8, bytes([0, 1, 1, 0, 1, 0, 0, 1]),
                                               palette=b"\x10\x20\x30\0\xF0\xE0\xD0\0"))
    write("picture", "rle8.bmp", bmp(4, 2, 8, b"\x04\x01\x00\x00\x02\x00\x02\x01\x00\x01",
                                     palette=b"\0\0\0\0\xFF\xFF\xFF\0", compression=1))
    write("picture", "bit-fields-16.bmp",
          bmp(2, 2, 16, b"\x1F\x00\xE0\x03\x00\x7C\xFF\x7F", compression=3,
              masks=struct.pack("<III", 0x7C00, 0x03E0, 0x001F)))
    write("picture", "alpha-v5.bmp",
          bmp(2, 1, 32, struct.pack("<2I", 0x80FF8040, 0x00FFFFFF), compression=3,
              header_size=124, extra=struct.pack("<4I", 0xFF0000, 0xFF00, 0xFF, 0xFF000000)))
    write("picture", "os2-header.bmp",
          bmp(2, 2, 24, b"\xFF\0\0\0\xFF\0\0\0\0\0\xFF\0\xFF\xFF\xFF\0", header_size=12))
    write("picture", "cut-short.bmp", open(os.path.join(folder, "bars.bmp"), "rb").read()[:-40])
    write("picture", "grey.png", png(16, 16, 0, [grey[i * 16:(i + 1) * 16] for i in range(16)]))
    write("picture", "rgba.png", png(2, 2, 6, [b"\xFF\0\0\xFF\0\xFF\0\x80",
                                               b"\0\0\xFF\0\xFF\xFF\xFF\xFF"]))
    write("picture", "palette-1-bit.png", png(8, 1, 0, [b"\xAA"], bits=1))
    write("picture", "grey.jpg", jpeg())
    write("picture", "rotated.jpg", jpeg(exif_orientation=6))
    write("picture", "cut-short.jpg", jpeg()[:-3])
    palette = b"\0\0\0\xFF\xFF\xFF\xFF\0\0\0\0\xFF"
    write("picture", "four-colours.gif", gif(2, 2, [0, 1, 2, 3], palette))
    write("picture", "transparent.gif", gif(2, 2, [1, 2, 3, 1], palette, transparent=1))
    write("picture", "cut-short.gif", gif(2, 2, [0, 1, 2, 3], palette)[:-1])
    write("picture", "ascii.pbm", b"P1\n# bars\n4 2\n1 0 1 0\n0 1 0 1\n")
    write("picture", "raw.pbm", b"P4\n4 2\n\xA0\x50")
    write("picture", "ascii.pgm", b"P2\n3 1\n255\n0 128 255\n")
    write("picture", "raw-16-bit.pgm", b"P5\n2 1\n65535\n\x00\x10\xFF\xF0")
    write("picture", "ascii.ppm", b"P3\n2 1\n255\n255 0 0  0 0 255\n")
    write("picture", "raw.ppm", b"P6\n2 1\n255\n\xFF\x80\x00\x00\x80\xFF")
    write("picture", "bars.xbm",
          b"#define bars_width 8\n#define bars_height 2\n"
          b"static unsigned char bars_bits[] = {\n   0x55, 0xaa };\n")
    write("picture", "two-colours.xpm",
          b'/* XPM */\nstatic const char *two[] = {\n"3 2 3 1",\n"  c None",\n". c #FF0000",\n'
          b'"# c gray50",\n" .#",\n"#. "};\n')
    write("picture", "alpha.ico", ico())


# --- inputs that once found a fault, kept so every run checks the fix ----------------------

def found_by_fuzzing():
    # A bitmap header of 2147483647 x 2147483647 dots at 32 bits: its row length times its
    # height once overflowed the completeness check.
    write("picture", "huge-bitmap-header", bytes.fromhex(
        "424d000000000000000036000000280000" "00ffffff7fffffff7f01002000000000"
        "00"))
    # The picture offset X at 2147483647 and a plan of one move: the sum once overflowed the
    # cut.
    write("plan_cut", "offset-at-int-max", bytes.fromhex(
        "00000000ffffff7f00000000ffffffff0d0a476f546f3a20202020202031202020202031" "0d0a"))


def main():
    for target in TARGETS:
        folder = os.path.join(HERE, target)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
    plan_reader_seeds()
    plan_cut_seeds()
    found_by_fuzzing()
    settings_seeds()
    language_seeds()
    recovery_seeds()
    progress_seeds()
    picture_seeds()


if __name__ == "__main__":
    main()
