#!/usr/bin/python3
"""Real fonts, checked with an independent TrueType library (fontTools).

For every DejaVu and Liberation font on the machine:
  - `qmfont names` gives the full name and notice that fontTools decodes;
  - after `qmfont rename`, fontTools loads every table, every directory
    checksum is right, name IDs 1 and 4 read as the new name on every
    platform, every other name record and every other table is unchanged.
Then the command line itself: escaping, exit status, messages.

usage: rename_oracle.py QMFONT
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont
from fontTools.ttLib.sfnt import calcChecksum

QMFONT = sys.argv[1]
NEW_NAME = "Oracle Sans \xe9"  # one Latin-1 letter: 0xE9 in the file's ANSI text
failures = []

MARKS = {0x2013: 0x96, 0x2014: 0x97, 0x2017: 0x5F, 0x2018: 0x91, 0x2019: 0x92, 0x201C: 0x93, 0x201D: 0x94,
         0x2020: 0x86, 0x2021: 0x87, 0x2022: 0x95, 0x2122: 0x99, 0x201A: 0x82, 0x2026: 0x85, 0x2030: 0x89}


def check(condition, message):
    if not condition:
        failures.append(message)


def ansi(record):
    """A name record as the program's ANSI text: Microsoft strings decoded
    by fontTools and mapped unit by unit, other platforms raw."""
    if record.platformID == 3:
        units = record.string.decode("utf-16-be", "surrogatepass").encode("utf-16-be", "surrogatepass")
        out = bytearray()
        for i in range(0, min(len(units), 1024) // 2 * 2, 2):
            u = (units[i] << 8) | units[i + 1]
            out.append(MARKS.get(u, u & 0xFF))
        return bytes(out)
    return bytes(record.string[:1024])


def cstr(b):
    return b.split(b"\0", 1)[0]


def escape(b):
    out = bytearray()
    for c in b:
        if c in (9, 10, 13, 92):
            out += {9: b"\\t", 10: b"\\n", 13: b"\\r", 92: b"\\\\"}[c]
        elif c < 32:
            out += b"\\x%02x" % c
        else:
            out.append(c)
    return bytes(out)


def expected_names(font):
    records = font["name"].names
    slots = {}
    for r in records:
        cls = min(r.platformID, 3)
        if r.nameID == 4 and not slots.get(cls):
            slots[cls] = cstr(ansi(r))
    notice = b""
    for r in records:
        if r.nameID in (0, 7) and not notice:
            notice = cstr(ansi(r))
    display = next((slots[c] for c in (3, 2, 1, 0) if slots.get(c)), b"")
    return display, notice


def directory_tags(path):
    with open(path, "rb") as f:
        head = f.read(12)
        count = int.from_bytes(head[4:6], "big")
        return [f.read(16)[:4] for _ in range(count)]


def run(*args):
    return subprocess.run([QMFONT, *args], capture_output=True)


def check_real_font(source, work):
    name = os.path.basename(source)
    copy = os.path.join(work, name)
    shutil.copyfile(source, copy)
    before = TTFont(source)
    display, notice = expected_names(before)

    got = run("names", copy)
    check(got.returncode == 0, f"{name}: names exit {got.returncode}")
    want_line = copy.encode() + b"\t" + escape(display) + b"\t" + escape(notice) + b"\n"
    check(got.stdout == want_line, f"{name}: names printed {got.stdout!r}, expected {want_line!r}")

    got = run("rename", NEW_NAME.encode("latin-1"), copy)
    check(got.returncode == 0, f"{name}: rename exit {got.returncode} {got.stderr!r}")
    check(not os.path.exists(copy + ".bak"), f"{name}: backup left behind")
    after = TTFont(copy)
    for tag in after.keys():
        if tag == "GlyphOrder":
            continue
        try:
            after[tag]  # decompiles the table
        except Exception as error:  # noqa: BLE001 - any failure is a finding
            failures.append(f"{name}: table {tag} does not load: {error}")
    reader = after.reader
    check(directory_tags(copy) == directory_tags(source), f"{name}: directory order or tags changed")
    for tag, entry in reader.tables.items():
        data = reader[tag]
        stored = entry.checkSum
        computed = calcChecksum(data)
        check(stored == computed, f"{name}: {tag} checksum {stored:#x} != {computed:#x}")
        check(entry.offset % 4 == 0, f"{name}: {tag} at unaligned offset {entry.offset}")
        if tag != "name":
            check(data == before.reader[tag], f"{name}: table {tag} changed")
    old = before["name"].names
    new = after["name"].names
    check(len(old) == len(new), f"{name}: record count changed")
    for o, n in zip(old, new):
        key = (o.platformID, o.platEncID, o.langID, o.nameID)
        check(key == (n.platformID, n.platEncID, n.langID, n.nameID), f"{name}: record {key} moved")
        if o.nameID in (1, 4):
            want = NEW_NAME.encode("utf-16-be") if o.platformID == 3 else NEW_NAME.encode("latin-1")
            check(n.string == want, f"{name}: record {key} reads {n.string!r}")
        else:
            check(n.string == o.string, f"{name}: record {key} changed")
    got = run("names", copy)
    check(got.stdout.split(b"\t")[1] == NEW_NAME.encode("latin-1"), f"{name}: reads back {got.stdout!r}")


def tiny_font(path, notice):
    fb = FontBuilder(1000, isTTF=True)
    fb.setupGlyphOrder([".notdef"])
    fb.setupCharacterMap({})
    pen = TTGlyphPen(None)
    fb.setupGlyf({".notdef": pen.glyph()})
    fb.setupHorizontalMetrics({".notdef": (500, 0)})
    fb.setupHorizontalHeader(ascent=800, descent=-200)
    fb.setupNameTable({"familyName": "Tiny", "styleName": "Regular", "fullName": "Tiny\\Tab\tEnd",
                       "copyright": notice})
    fb.setupOS2()
    fb.setupPost()
    fb.save(path)


def check_command_line(work):
    tiny = os.path.join(work, "tiny.ttf")
    tiny_font(tiny, "Line one\r\nLine two\x01\u2122")
    missing = os.path.join(work, "missing.ttf")
    got = run("names", tiny, missing)
    check(got.returncode == 1, f"names with a missing file exits {got.returncode}")
    # The Macintosh copyright comes first in the table, so its Mac Roman
    # byte for the trade mark sign (0xAA) is what shows.
    want = tiny.encode() + b"\tTiny\\\\Tab\\tEnd\tLine one\\r\\nLine two\\x01\xaa\n"
    check(got.stdout == want, f"escaped names {got.stdout!r}, expected {want!r}")
    check(missing.encode() in got.stderr, f"no message naming the missing file: {got.stderr!r}")
    before = open(tiny, "rb").read()
    got = run("rename", "X", missing, tiny)
    check(got.returncode == 1 and missing.encode() in got.stderr, "rename of a missing file is not reported")
    check(open(tiny, "rb").read() != before, "rename stopped at the first failure")
    check(run("names").returncode == 2, "usage error is not exit 2")


def main():
    fonts = sorted(glob.glob("/usr/share/fonts/truetype/dejavu/*.ttf") +
                   glob.glob("/usr/share/fonts/truetype/liberation*/*.ttf"))
    if not fonts:
        print("no DejaVu or Liberation fonts installed")
        return 1
    with tempfile.TemporaryDirectory() as work:
        for source in fonts:
            check_real_font(source, work)
        check_command_line(work)
    for f in failures:
        print("FAIL:", f)
    print(f"{len(fonts)} real fonts checked; {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
