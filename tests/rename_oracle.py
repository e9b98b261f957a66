#!/usr/bin/python3
"""rename_oracle.py QMFONT: real fonts (every DejaVu and Liberation font here) checked with an independent
TrueType library. `qmfont names` gives the full name and notice it decodes; after `qmfont rename` it loads
every table, every checksum is right, name IDs 1 and 4 read as the new name on every platform, and every other
record and table is unchanged. Then the command line itself: escaping, exit status, messages."""
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
ESCAPES = {9: b"\\t", 10: b"\\n", 13: b"\\r", 92: b"\\\\"}


def check(condition, message):
    if not condition:
        failures.append(message)


def ansi(record):
    """A name record as the program's ANSI text up to its first zero: Microsoft strings decoded by fontTools
    and mapped unit by unit, other platforms raw."""
    raw = bytes(record.string[:1024])
    if record.platformID == 3:
        units = record.string.decode("utf-16-be", "surrogatepass").encode("utf-16-be", "surrogatepass")[:1024]
        raw = bytes(MARKS.get(u, u & 0xFF) for u in (int.from_bytes(units[i:i + 2], "big")
                                                     for i in range(0, len(units) // 2 * 2, 2)))
    return raw.split(b"\0", 1)[0]


def escape(b):
    return b"".join(ESCAPES.get(c, b"\\x%02x" % c if c < 32 else bytes([c])) for c in b)


def expected_names(font):
    records = font["name"].names
    slots = {}
    for r in records:
        if r.nameID == 4 and not slots.get(min(r.platformID, 3)):
            slots[min(r.platformID, 3)] = ansi(r)
    notice = next((ansi(r) for r in records if r.nameID in (0, 7) and ansi(r)), b"")
    return next((slots[c] for c in (3, 2, 1, 0) if slots.get(c)), b""), notice


def directory_tags(path):
    with open(path, "rb") as f:
        count = int.from_bytes(f.read(12)[4:6], "big")
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
    want_line = copy.encode() + b"\t" + escape(display) + b"\t" + escape(notice) + b"\n"
    check((got.returncode, got.stdout) == (0, want_line), f"{name}: names gave {got}, expected {want_line!r}")

    got = run("rename", NEW_NAME.encode("latin-1"), copy)
    check(got.returncode == 0, f"{name}: rename exit {got.returncode} {got.stderr!r}")
    check(not os.path.exists(copy + ".bak"), f"{name}: backup left behind")
    after = TTFont(copy)
    for tag in after.keys():
        try:
            after[tag]  # decompiles the table
        except Exception as error:  # noqa: BLE001 - any failure is a finding
            failures.append(f"{name}: table {tag} does not load: {error}")
    check(directory_tags(copy) == directory_tags(source), f"{name}: directory order or tags changed")
    for tag, entry in after.reader.tables.items():
        data = after.reader[tag]
        check(entry.checkSum == calcChecksum(data), f"{name}: {tag} checksum {entry.checkSum:#x} is wrong")
        check(entry.offset % 4 == 0, f"{name}: {tag} at unaligned offset {entry.offset}")
        check(tag == "name" or data == before.reader[tag], f"{name}: table {tag} changed")
    old, new = before["name"].names, after["name"].names
    check(len(old) == len(new), f"{name}: record count changed")
    for o, n in zip(old, new):
        key = (o.platformID, o.platEncID, o.langID, o.nameID)
        check(key == (n.platformID, n.platEncID, n.langID, n.nameID), f"{name}: record {key} moved")
        want = NEW_NAME.encode("utf-16-be" if o.platformID == 3 else "latin-1") if o.nameID in (1, 4) else o.string
        check(n.string == want, f"{name}: record {key} reads {n.string!r}")
    got = run("names", copy)
    check(got.stdout.split(b"\t")[1] == NEW_NAME.encode("latin-1"), f"{name}: reads back {got.stdout!r}")


def check_command_line(work):
    tiny, missing = os.path.join(work, "tiny.ttf"), os.path.join(work, "missing.ttf")
    fb = FontBuilder(1000, isTTF=True)
    fb.setupGlyphOrder([".notdef"])
    fb.setupCharacterMap({})
    fb.setupGlyf({".notdef": TTGlyphPen(None).glyph()})
    fb.setupHorizontalMetrics({".notdef": (500, 0)})
    fb.setupHorizontalHeader(ascent=800, descent=-200)
    fb.setupNameTable({"familyName": "Tiny", "styleName": "Regular", "fullName": "Tiny\\Tab\tEnd",
                       "copyright": "Line one\r\nLine two\x01\u2122"})
    fb.setupOS2()
    fb.setupPost()
    fb.save(tiny)
    got = run("names", tiny, missing)
    # The Macintosh copyright comes first in the table, so its Mac Roman
    # byte for the trade mark sign (0xAA) is what shows.
    want = tiny.encode() + b"\tTiny\\\\Tab\\tEnd\tLine one\\r\\nLine two\\x01\xaa\n"
    check((got.returncode, got.stdout) == (1, want), f"names of a font and a missing file gave {got}")
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
