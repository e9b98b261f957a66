#!/usr/bin/env bash
# shellcheck disable=SC2317  # cleanup functions run from traps
# tools/wine-test.sh EXE [ARGS...]
# Runs one Windows test program under Wine in the repository's private
# prefix (build/wineprefix, or $QM_WINEPREFIX) and returns its exit code.
# Its stdout and stderr pass through. Without DISPLAY an Xvfb is started
# for this run only.
#
# Pipes: a wineserver, and the Wine system processes (services.exe,
# winedevice.exe, explorer.exe, ...) that the first program of a server
# session starts, inherit that program's descriptors and outlive it; if
# they hold the caller's pipe, a reader such as ctest or `| cat` never sees
# end of file. So the server is started here with its output sent to
# /dev/null, the program writes into files that are relayed to our own
# stdout and stderr while it runs, and the relay ends when it exits.
# A server started here is stopped by the last run of this script that
# still uses it; a server started by someone else is left alone.
set -uo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 EXE [ARGS...]" >&2
  exit 2
fi

tools_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname -- "$tools_dir")
prefix=${QM_WINEPREFIX:-$root/build/wineprefix}
mkdir -p -- "$(dirname -- "$prefix")"
prefix=$(cd -- "$(dirname -- "$prefix")" && pwd)/$(basename -- "$prefix")

export WINEPREFIX=$prefix
export WINEDEBUG=-all
unset WINESERVER || true

"$tools_dir/wineprefix.sh" "$prefix" || exit 1

# shellcheck source=tools/winecommon.sh
. "$tools_dir/winecommon.sh"

# Waits up to 5 s for process $1 to end (or become a zombie).
wait_gone() {
  for _ in $(seq 50); do
    kill -0 "$1" 2>/dev/null || return 0
    is_zombie "$1" && return 0
    sleep 0.1
  done
  return 1
}

owner_file=$prefix.server-owner   # pid of a server this script started
server_lock=$prefix.server.lock   # serialises starting and stopping it
users_lock=$prefix.users.lock     # held shared by every run using it
xvfb_pid=""
wine_pid=""
relay_pids=()
outdir=""

cleanup() {
  local pid
  trap - EXIT INT TERM
  if [ -n "$wine_pid" ]; then
    kill "$wine_pid" 2>/dev/null
    wait "$wine_pid" 2>/dev/null
  fi
  if [ ${#relay_pids[@]} -gt 0 ]; then
    wait "${relay_pids[@]}" 2>/dev/null
  fi
  [ -n "$outdir" ] && rm -rf -- "$outdir"
  exec 7>&-
  if [ -f "$owner_file" ]; then
    exec 8>"$server_lock"
    flock 8
    pid=$(server_pid)
    if [ -n "$pid" ] && [ "$pid" = "$(cat -- "$owner_file" 2>/dev/null)" ] &&
       flock -n -x "$users_lock" true; then
      wineserver -k >/dev/null 2>&1 </dev/null 8>&-
      wait_gone "$pid"
      rm -f -- "$owner_file"
    elif [ -z "$pid" ]; then
      rm -f -- "$owner_file"
    fi
    exec 8>&-
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [ -z "${DISPLAY:-}" ]; then
  start_xvfb || exit 1
fi

exec 8>"$server_lock"
flock 8
if ! server_pid >/dev/null; then
  (exec_closefds wineserver -p) >/dev/null 2>&1 </dev/null
  pid=$(server_pid)
  if [ -z "$pid" ]; then
    echo "wine-test: could not start wineserver for $WINEPREFIX" >&2
    exit 1
  fi
  echo "$pid" >"$owner_file"
fi
exec 7>"$users_lock"
flock -s 7
exec 8>&-

outdir=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-wine.XXXXXX") || exit 1
: >"$outdir/out"
: >"$outdir/err"
exec 5<&0
(exec_closefds wine "$@") <&5 >"$outdir/out" 2>"$outdir/err" &
wine_pid=$!
exec 5<&-
tail -n +1 -s 0.1 -f --pid="$wine_pid" -- "$outdir/out" </dev/null &
relay_pids+=($!)
tail -n +1 -s 0.1 -f --pid="$wine_pid" -- "$outdir/err" </dev/null >&2 &
relay_pids+=($!)
wait "$wine_pid"
rc=$?
wine_pid=""
wait "${relay_pids[@]}" 2>/dev/null
relay_pids=()
exit "$rc"
