#!/usr/bin/env bash
# make run: starts Quillmere under Wine in the project's own prefix.
# On the first run the file list opens in a demo folder of real TrueType
# files (build/demo-fonts). With a display the program simply runs; without
# one, a virtual display is started, a PNG of the main window is saved under
# build/screenshots/ and the program is closed.
set -uo pipefail

tools_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname -- "$tools_dir")
prefix=${QM_WINEPREFIX:-$root/build/wineprefix}
export WINEPREFIX=$prefix WINEDEBUG=-all

"$tools_dir/wineprefix.sh" "$prefix" || exit 1

# Windows path of a Unix path, through Wine's Z: drive.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

demo=$root/build/demo-fonts
if [ ! -d "$demo" ]; then
  mkdir -p "$demo/More fonts"
  find /usr/share/fonts/truetype -name '*.ttf' | sort | head -n 24 | while read -r f; do cp "$f" "$demo/"; done
  find /usr/share/fonts/truetype -name '*.ttf' | sort | tail -n +25 | while read -r f; do cp "$f" "$demo/More fonts/"; done
fi

# First run: open in the demo folder.
ini=$prefix/drive_c/windows/Quillmere.ini
if [ ! -f "$ini" ]; then
  printf '[Quillmere]\r\nStartupDirectory = %s\\\r\n' "$(winpath "$demo")" >"$ini"
fi

if [ -n "${DISPLAY:-}" ]; then
  exec "$tools_dir/wine-test.sh" "$root/build/win64/quillmere.exe"
fi

# No display: a private Xvfb for this run, a screenshot, and done.
# shellcheck source=tools/winecommon.sh
. "$tools_dir/winecommon.sh"
xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; }
trap cleanup EXIT
start_xvfb || exit 1

shots=$root/build/screenshots
mkdir -p "$shots"
shot=$shots/main-window.png
"$tools_dir/wine-test.sh" "$root/build/win64/quillmere.exe" &
program=$!
"$tools_dir/wine-test.sh" "$root/build/win64/qmshot.exe" "$(winpath "$shot")" 60 >/dev/null
status=$?
wait "$program"
if [ $status -eq 0 ]; then
  echo "Quillmere ran on a virtual display; its main window: $shot"
fi
exit $status
