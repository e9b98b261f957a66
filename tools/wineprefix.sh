#!/usr/bin/env bash
# tools/wineprefix.sh PREFIX
# Creates (once) the private Wine prefix the Windows tests run in: a fresh
# prefix, Wine's own Windows fonts copied into it, font replacements for
# "Arial" and "Times New Roman", unmanaged X11 windows (no window manager
# under Xvfb), and no menu builder writing into $HOME. Safe to call from
# several processes at once; a stamp file inside the prefix marks a
# finished prefix, and a prefix without it is made again from scratch.
set -euo pipefail

if [ $# -ne 1 ] || [ -z "$1" ]; then
  echo "usage: $0 PREFIX" >&2
  exit 2
fi

# Bump when the setup below changes: older prefixes are then made again.
STAMP_CONTENT="quillmere wine prefix 6"

prefix=$1
mkdir -p "$(dirname -- "$prefix")"
prefix=$(cd -- "$(dirname -- "$prefix")" && pwd)/$(basename -- "$prefix")
stamp=$prefix/.quillmere-prefix
lock=$prefix.lock

is_ready() {
  [ -f "$stamp" ] && [ "$(cat -- "$stamp" 2>/dev/null)" = "$STAMP_CONTENT" ]
}

# Fast path: no lock needed once the prefix is there.
# A stand-in web browser for the tests: Wine's winebrowser runs the
# programs named in HKCU\Software\Wine\WineBrowser "Browsers" with the
# address; this one only notes it in browser.log beside itself. Made on
# every call, as it is cheap, so that older prefixes get it too.
add_browser_recorder() {
  [ -d "$prefix" ] || return 0
  local recorder=$prefix/record-browser
  if [ ! -x "$recorder" ]; then
    printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"$(dirname -- "$0")/browser.log"\n' >"$recorder"
    chmod +x "$recorder"
  fi
}

if is_ready; then
  add_browser_recorder
  exit 0
fi

exec 9>"$lock"
flock 9
if is_ready; then
  exit 0
fi

export WINEPREFIX=$prefix
export WINEDEBUG=-all
# No Mono or Gecko installers; no menu entries or file associations in $HOME.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset WINESERVER WINELOADER || true

log=$prefix.log
start=$(date +%s)
echo "wineprefix: creating $prefix (about 20 s)" >&2

# A half-made prefix from an interrupted run: stop its server and start over.
if [ -e "$prefix" ]; then
  wineserver -k >/dev/null 2>&1 9>&- || true
  wineserver -w >/dev/null 2>&1 9>&- || true
  rm -rf -- "$prefix"
fi

# Runs "$@" with every descriptor above 2 closed and its output in the log:
# the servers and processes Wine starts here must hold neither the lock nor
# the caller's stdout (a process that inherits a pipe keeps it open).
run() {
  (
    for fd in "/proc/$BASHPID"/fd/*; do
      fd=${fd##*/}
      if [ "$fd" -gt 2 ]; then
        eval "exec $fd>&-" 2>/dev/null
      fi
    done
    exec "$@"
  ) >>"$log" 2>&1 </dev/null
}

fail() {
  echo "wineprefix: $1 (log: $log)" >&2
  tail -n 20 -- "$log" >&2 || true
  exit 1
}

: >"$log"
run wineboot -i || fail "wineboot -i failed"

fonts=$prefix/drive_c/windows/Fonts
mkdir -p -- "$fonts"
if [ -d /usr/share/wine/fonts ]; then
  cp -f -- /usr/share/wine/fonts/* "$fonts/"
  # Wine's Wingdings lacks the two arrows that the arrow buttons draw.
  /usr/bin/python3 "$(dirname -- "${BASH_SOURCE[0]}")/arrowfont.py" /usr/share/wine/fonts/wingding.ttf "$fonts/wingding.ttf" ||
    fail "could not add the arrows to Wingdings"
else
  echo "wineprefix: /usr/share/wine/fonts is missing (package fonts-wine)" >&2
fi

regadd() {
  run wine reg add "$@" /f || fail "wine reg add $* failed"
}
regadd 'HKCU\Software\Wine\Fonts\Replacements' /v 'Arial' /t REG_SZ /d 'Liberation Sans'
regadd 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /t REG_SZ /d 'Liberation Serif'
regadd 'HKCU\Software\Wine\X11 Driver' /v 'Managed' /t REG_SZ /d 'N'
regadd 'HKCU\Software\Wine\DllOverrides' /v 'winemenubuilder.exe' /t REG_SZ /d ''
# Without Wine's HTML engine (left out above) nothing maps .htm files to the
# html file class, whose open command is winebrowser: the manual needs it.
regadd 'HKCR\.htm' /ve /t REG_SZ /d 'htmlfile'
regadd 'HKCR\.html' /ve /t REG_SZ /d 'htmlfile'

# Drive Q: leads to a plain file instead of a folder, so every path on it is
# "path not found", as on a drive with no medium: the tests' off-line drive.
# (A link to a missing folder only gives "file not found" under Wine.)
: >"$prefix/offline-drive"
ln -sfn "$prefix/offline-drive" "$prefix/dosdevices/q:"

# Wait for the server (started by wineboot) to end: it writes the registry
# to disk then, and only then does the prefix count as done.
run wineserver -w || true

add_browser_recorder
printf '%s\n' "$STAMP_CONTENT" >"$stamp"
echo "wineprefix: ready in $(( $(date +%s) - start )) s" >&2
