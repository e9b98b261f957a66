#!/usr/bin/env python3
"""Plants one fault at a time in the product code and sees whether a test fails.

    mutate.py native  [--count N] [--seed S] [FILE...]
    mutate.py windows [--count N] [--seed S] [FILE...]
    mutate.py MODE --replay LOG   the faults a run printed to LOG, again

native:  the window-less core, rebuilt in build/native; the native tests run.
         With --windows-too, a fault they miss is tried once more against
         the Windows tests (some core tables are used by windows alone).
windows: the Windows code, rebuilt in build/win64; the Windows tests run
         under Wine (call it, and --windows-too, through tools/run-tests.sh,
         which provides the display, the prefix and one wineserver).

Faults: a comparison turned round (< <=, > >=, == !=), && for || and back,
+ for - and back, a number off by one, true for false, and a guard dropped
(an `if (...) return/continue/break ...;` line taken out). Candidates are
found line by line outside comments, strings and preprocessor lines; a
seeded sample of them is tried. A fault that does not compile is not
counted. Each file is restored after its fault, and on any way out.

A number is not planted in a message parameter that the system documents
as not used (UNUSED_PARAMETERS): that fault cannot change what happens.
Faults listed in tools/mutate-equivalent.txt change no behaviour either
(each entry says why); one drawn from the pool is skipped and counted apart.

Prints one line per fault and at the end "killed K of N (P%)" with the
survivors listed as FILE:LINE: original -> planted, and the number of
listed equivalent faults skipped.
"""

import argparse
import os
import random
import signal
import re
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The window-less core: built natively and covered by the native tests.
CORE = [
    "src/truetype/fontnames.cpp",
    "src/truetype/namerewrite.cpp",
    "src/config/settings.cpp",
    "src/config/recentdirs.cpp",
    "src/config/setupvalues.cpp",
    "src/config/palette.cpp",
    "src/lists/rowsort.cpp",
    "src/samples/pagefooter.cpp",
    "src/samples/ellipsisfit.cpp",
    "src/info/registeredowner.cpp",
    "src/platform/paths.cpp",
    "src/app/mainlayout.cpp",
    "src/samples/sheetlayout.cpp",
    "src/info/colourtext.cpp",
]

# The Windows code: everything that needs a window or the graphics
# interface, covered by the Windows tests under Wine.
WINDOWS = [
    "src/app/commands.cpp",
    "src/app/navigation.cpp",
    "src/app/mainwindow.cpp",
    "src/app/startup.cpp",
    "src/app/maincontrols.cpp",
    "src/lists/filelist.cpp",
    "src/lists/installedlist.cpp",
    "src/lists/rowdata.cpp",
    "src/lists/rowdrawing.cpp",
    "src/ops/install.cpp",
    "src/ops/remove.cpp",
    "src/ops/copydelete.cpp",
    "src/ops/renamebox.cpp",
    "src/ops/fontnamebox.cpp",
    "src/ops/namedialog.cpp",
    "src/ops/batch.cpp",
    "src/samples/filesample.cpp",
    "src/samples/samplewindow.cpp",
    "src/samples/printsheet.cpp",
    "src/truetype/tempfont.cpp",
    "src/info/manual.cpp",
    "src/info/warningbox.cpp",
    "src/info/startupwindow.cpp",
    "src/info/aboutbox.cpp",
    "src/info/creditsbox.cpp",
    "src/info/sysinfobox.cpp",
    "src/info/pictures.cpp",
    "src/config/setupsheet.cpp",
    "src/config/colourpicker.cpp",
    "src/platform/messages.cpp",
    "src/platform/winhelpers.cpp",
    "src/platform/win32calls.cpp",
    "src/app/maintitle.cpp",
    "src/samples/packeddib.cpp",
]

MODES = {
    "native": {
        "files": CORE,
        "build": ["cmake", "--build", "build/native", "--target", "core_tests", "qmfont"],
        "test": ["ctest", "--test-dir", "build/native", "-R", "^(core_tests|rename_oracle)$",
                 "--timeout", "120", "-Q"],
        "timeout": 300,
    },
    "windows": {
        "files": WINDOWS,
        "build": ["cmake", "--build", "build/win64", "--target", "win_tests"],
        "test": ["tools/wine-test.sh", "build/win64/tests/win_tests.exe", "--gtest_brief=1",
                 "--gtest_fail_fast"],
        "timeout": 300,
    },
}

# Messages whose wParam ("w") or lParam ("l") the system documents as "not
# used" or "must be zero", by the message argument's place in each call.
UNUSED_PARAMETERS = {
    "LB_GETCOUNT": "wl", "LB_GETSELCOUNT": "wl", "LB_GETCURSEL": "wl", "CB_GETCOUNT": "wl", "CB_GETCURSEL": "wl",
    "BM_GETCHECK": "wl", "BM_CLICK": "wl", "WM_GETFONT": "wl", "WM_CLOSE": "wl", "STM_GETICON": "wl",
    "LB_RESETCONTENT": "wl", "LB_GETSEL": "l", "LB_GETTEXTLEN": "l", "LB_GETITEMDATA": "l", "LB_GETITEMHEIGHT": "l", "WM_SETREDRAW": "l",
    "UDM_SETRANGE": "w", "UDM_SETPOS": "w",
}
MESSAGE_CALLS = {"SendMessageA": 1, "SendDlgItemMessageA": 2, "PostMessageA": 1}


def unused_parameter_spans(code):
    """(start, end) of each argument of a message call on the line that the message does not use."""
    spans = []
    for call in re.finditer(r"\b(%s)\(" % "|".join(MESSAGE_CALLS), code):
        args, depth, start = [], 0, call.end()
        for i in range(call.end(), len(code)):
            c = code[i]
            if c in "([{":
                depth += 1
            elif c in ")]}" and depth:
                depth -= 1
            elif c == ")" or (c == "," and depth == 0):
                args.append((start, i))
                start = i + 1
                if c == ")":
                    break
        at = MESSAGE_CALLS[call.group(1)]
        if len(args) != at + 3:
            continue
        unused = UNUSED_PARAMETERS.get(code[args[at][0]:args[at][1]].strip(), "")
        spans += [args[at + 1 + k] for k, p in enumerate("wl") if p in unused]
    return spans


SWAPS = [
    (" <= ", " < "), (" >= ", " > "), (" < ", " <= "), (" > ", " >= "),
    (" == ", " != "), (" != ", " == "), (" && ", " || "), (" || ", " && "),
    (" + ", " - "), (" - ", " + "),
]
NUMBER = re.compile(r"(?<![\w.\[])(\d+|0x[0-9A-Fa-f]+)(?![\w.\]])")
GUARD = re.compile(r"^\s*if \(.*\) (return\b.*|continue|break);\s*$")
BOOLEAN = re.compile(r"\b(true|false)\b")


def code_part(line):
    """The line with string and character literals blanked and the comment cut."""
    out = []
    quote = None
    i = 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            if c == quote:
                quote = None
            out.append(" ")
        elif c in "\"'":
            quote = c
            out.append(" ")
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def candidates(path):
    with open(os.path.join(ROOT, path), encoding="latin-1") as f:
        lines = f.read().split("\n")
    found = []
    in_comment = False
    for n, line in enumerate(lines):
        stripped = line.strip()
        if in_comment:
            if "*/" in stripped:
                in_comment = False
            continue
        if stripped.startswith("/*"):
            in_comment = "*/" not in stripped
            continue
        if stripped.startswith("#") or stripped.startswith("//") or not stripped:
            continue
        code = code_part(line)
        # Declarations of sizes and the like are not behaviour worth a fault.
        if re.match(r"^\s*(static\s+)?(inline\s+)?constexpr\b", code) or "static_assert" in code:
            continue
        for old, new in SWAPS:
            start = 0
            while True:
                at = code.find(old, start)
                if at < 0:
                    break
                start = at + 1
                # x + 0 and x - 0 are the same.
                if old in (" + ", " - ") and re.match(r"0\b", code[at + 3:]):
                    continue
                found.append((n, at, old, new))
        unused = unused_parameter_spans(code)
        for m in NUMBER.finditer(code):
            if any(a <= m.start() < b for a, b in unused):
                continue
            text = m.group(1)
            value = int(text, 16) if text.startswith("0x") else int(text)
            new = hex(value + 1) if text.startswith("0x") else str(value + 1)
            found.append((n, m.start(), text, new))
        for m in BOOLEAN.finditer(code):
            found.append((n, m.start(), m.group(1), "false" if m.group(1) == "true" else "true"))
        if GUARD.match(code):
            found.append((n, 0, line, None))
    return lines, found


def equivalents():
    """The listed equivalent faults as (file, original, line before or None, line after or None, planted)."""
    listed = set()
    with open(os.path.join(ROOT, "tools", "mutate-equivalent.txt"), encoding="latin-1") as f:
        blocks = f.read().split("\n\n")
    for block in blocks:
        rows = [r for r in block.split("\n") if r.strip() and not r.startswith("#")]
        if not rows:
            continue
        path, _, original = rows[0].partition(": ")
        preceding = next((r[6:] for r in rows if r.startswith("prev: ")), None)
        following = next((r[6:] for r in rows if r.startswith("next: ")), None)
        planted = next(r[3:] for r in rows if r.startswith("-> "))
        if not any(r.startswith("why: ") for r in rows):
            sys.exit(f"mutate-equivalent.txt: no reason given for {rows[0]}")
        listed.add((path, original.strip(), preceding, following, planted.strip()))
    return listed


def replayed(log):
    """The faults an earlier run printed, found again by their line texts (the nearest one when a line moved)."""
    pool = []
    shown = re.compile(r"^(?:killed|SURVIVED|skipped)\s+(\S+?):(\d+): (.*?) -> (.*?)(?: \(listed as equivalent\))?$")
    for row in open(log, encoding="latin-1"):
        m = shown.match(row.rstrip("\n"))
        if not m:
            continue
        path, number, before, planted = m.group(1), int(m.group(2)), m.group(3), m.group(4)
        lines, found = candidates(path)
        same = [c for c in found if lines[c[0]].strip() == before and
                ("(line removed)" if c[3] is None else
                 (lines[c[0]][:c[1]] + c[3] + lines[c[0]][c[1] + len(c[2]):]).strip()) == planted]
        if same:
            pool.append((path, min(same, key=lambda c: abs(c[0] + 1 - number))))
        else:
            print(f"gone     {path}:{number}: {before} -> {planted} (not planted now: its line changed, or the parameter is one the message does not use)", flush=True)
    return pool


def run(command, timeout):
    # A session of its own, so that a fault that hangs is stopped with
    # everything it started (a Windows program under Wine outlives its
    # launcher otherwise).
    child = subprocess.Popen(command, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                             start_new_session=True)
    try:
        return child.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(child.pid, signal.SIGKILL)
        child.wait()
        return "timeout"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode", choices=sorted(MODES))
    parser.add_argument("--count", type=int, default=100)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--windows-too", action="store_true")
    parser.add_argument("--replay", help="a log of an earlier run: plant exactly its faults, in its order")
    parser.add_argument("files", nargs="*")
    args = parser.parse_args()
    mode = MODES[args.mode]
    files = [f for f in (args.files or mode["files"]) if os.path.exists(os.path.join(ROOT, f))]

    pool = []
    for path in files:
        lines, found = candidates(path)
        pool += [(path, c) for c in found]
    rng = random.Random(args.seed)
    rng.shuffle(pool)
    if args.replay:
        pool, args.count = replayed(args.replay), 10**9

    if run(mode["build"], 1800) != 0 or run(mode["test"], mode["timeout"]) != 0:
        print("mutate: the unchanged tree does not build or its tests fail", file=sys.stderr)
        return 2

    listed = equivalents()
    killed, tried, skipped, survivors = 0, 0, 0, []
    started = time.time()
    for path, (n, at, old, new) in pool:
        if tried >= args.count:
            break
        full = os.path.join(ROOT, path)
        with open(full, encoding="latin-1") as f:
            original = f.read()
        lines = original.split("\n")
        before = lines[n]
        if new is None:
            after = ""
        else:
            after = before[:at] + new + before[at + len(old):]
        following = next((l.strip() for l in lines[n + 1:] if l.strip()), "")
        preceding = next((l.strip() for l in reversed(lines[:n]) if l.strip()), "")
        planted = after.strip() or "(line removed)"
        if any((path, before.strip(), p, f, planted) in listed for p in (None, preceding) for f in (None, following)):
            skipped += 1
            print(f"skipped  {path}:{n + 1}: {before.strip()} -> {planted} (listed as equivalent)", flush=True)
            continue
        lines[n] = after
        try:
            with open(full, "w", encoding="latin-1") as f:
                f.write("\n".join(lines))
            if run(mode["build"], 1800) != 0:
                continue
            tried += 1
            result = run(mode["test"], mode["timeout"])
            if result == 0 and args.windows_too:
                windows = MODES["windows"]
                if run(windows["build"] + ["core_tests"], 1800) == 0:
                    result = run(windows["test"], windows["timeout"])
        finally:
            with open(full, "w", encoding="latin-1") as f:
                f.write(original)
            # The restored file must be older than nothing the build made
            # from the fault, or the next build would keep the fault.
            os.utime(full, None)
        shown = f"{path}:{n + 1}: {before.strip()} -> {after.strip() or '(line removed)'}"
        if result == 0:
            survivors.append(shown)
            print(f"SURVIVED {shown}", flush=True)
        else:
            killed += 1
            print(f"killed   {shown}", flush=True)
    run(mode["build"], 1800)
    if args.windows_too:
        run(MODES["windows"]["build"] + ["core_tests"], 1800)
    if tried == 0:
        print("mutate: no fault could be planted")
        return 2
    print(f"\n{args.mode}: killed {killed} of {tried} ({100 * killed // tried}%) "
          f"in {int(time.time() - started)} s; {skipped} listed equivalent faults skipped")
    for s in survivors:
        print(f"  survivor: {s}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
