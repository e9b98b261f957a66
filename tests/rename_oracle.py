#!/usr/bin/python3
"""rename_oracle.py QMFONT: real fonts (every DejaVu and Liberation font here) checked with an independent
TrueType library: after `qmfont rename` it loads every table, every checksum is right, name IDs 1 and 4 read as
the new name on every platform, and every other record and table is unchanged. Then the command line itself:
escaping, exit status, messages."""
import glob, os, shutil, subprocess, sys, tempfile

from fontTools.ttLib import TTFont
from fontTools.ttLib.sfnt import calcChecksum

QMFONT = sys.argv[1]
NEW_NAME = "Oracle Sans \xe9"  # one Latin-1 letter: 0xE9 in the file's ANSI text
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def directory_tags(path):
    data = open(path, "rb").read()
    return [data[at:at + 4] for at in range(12, 12 + 16 * int.from_bytes(data[4:6], "big"), 16)]


def run(*args):
    return subprocess.run([QMFONT, *args], capture_output=True)


def check_real_font(source, work):
    name = os.path.basename(source)
    copy = os.path.join(work, name)
    shutil.copyfile(source, copy)
    before = TTFont(source)
    got = run("rename", NEW_NAME.encode("latin-1"), copy)
    check(got.returncode == 0, f"{name}: rename exit {got.returncode} {got.stderr!r}")
    check(not os.path.exists(copy + ".bak"), f"{name}: backup left behind")
    after = TTFont(copy)
    after.ensureDecompiled()  # a table that does not load stops the run
    check(directory_tags(copy) == directory_tags(source), f"{name}: directory order or tags changed")
    for tag, entry in after.reader.tables.items():
        data = after.reader[tag]
        check(entry.checkSum == calcChecksum(data), f"{name}: {tag} checksum {entry.checkSum:#x} is wrong")
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


def check_command_line(work, source):
    tiny, missing = os.path.join(work, "tiny.ttf"), os.path.join(work, "missing.ttf")
    font = TTFont(source)
    font["name"].names = []  # a full name and a copyright on both platforms, nothing else
    for platform in ((1, 0, 0), (3, 1, 0x409)):
        font["name"].setName("Tiny\\Tab\tEnd", 4, *platform)
        font["name"].setName("Line one\r\nLine two\x01\u2122", 0, *platform)
    font.save(tiny)
    got = run("names", tiny, missing)
    # The Macintosh copyright comes first in the table, so its Mac Roman byte for the trade mark sign (0xAA) shows.
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
        check_command_line(work, fonts[0])
    for f in failures:
        print("FAIL:", f)
    print(f"{len(fonts)} real fonts checked; {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
