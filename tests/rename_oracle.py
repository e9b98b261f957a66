#!/usr/bin/python3
"""rename_oracle.py QMFONT: real fonts (every DejaVu and Liberation font here) checked with an independent
TrueType library: after `qmfont rename` it loads every table, every checksum is right, name IDs 1 and 4 read as
the new name on every platform, every other record and table is unchanged, and the reader reads the new name."""
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


def main():
    fonts = sorted(glob.glob("/usr/share/fonts/truetype/dejavu/*.ttf") +
                   glob.glob("/usr/share/fonts/truetype/liberation*/*.ttf"))
    if not fonts:
        print("no DejaVu or Liberation fonts installed")
        return 1
    with tempfile.TemporaryDirectory() as work:
        for source in fonts:
            check_real_font(source, work)
    for f in failures:
        print("FAIL:", f)
    print(f"{len(fonts)} real fonts checked; {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
