#!/usr/bin/env bash
# shellcheck disable=SC2317  # cleanup functions run from traps
# tools/run-tests.sh
# Runs every test: the native tests (build/native) and the Windows tests
# under Wine (build/win64). For the whole run it provides an Xvfb (when
# DISPLAY is unset), the private Wine prefix, one persistent wineserver and
# a private print server with a PDF printer (tools/privatecups.sh), and it
# stops what it started when it ends. The last line printed is
# "N passed, N failed" over both test runs.
#
# tools/run-tests.sh COMMAND [ARGS...]
# Runs COMMAND instead, in the same environment (display, prefix, one
# wineserver), and exits with its status: for tools that run many Windows
# programs in a row, such as tools/mutate.py.
set -uo pipefail

tools_dir=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname -- "$tools_dir")
cd -- "$root" || exit 1

prefix=${QM_WINEPREFIX:-$root/build/wineprefix}
mkdir -p -- "$(dirname -- "$prefix")"
prefix=$(cd -- "$(dirname -- "$prefix")" && pwd)/$(basename -- "$prefix")
export QM_WINEPREFIX=$prefix
export WINEPREFIX=$prefix
export WINEDEBUG=-all
unset WINESERVER || true

# shellcheck source=tools/winecommon.sh
. "$tools_dir/winecommon.sh"
# shellcheck source=tools/privatecups.sh
. "$tools_dir/privatecups.sh"

# Per-test time limit for tests that set none themselves.
timeout=${QM_TEST_TIMEOUT:-600}
xvfb_pid=""
server_started=""
ctest_pid=""
logdir=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-tests.XXXXXX") || exit 1

cleanup() {
  local pid
  trap - EXIT INT TERM
  if [ -n "$ctest_pid" ]; then
    kill "$ctest_pid" 2>/dev/null
    wait "$ctest_pid" 2>/dev/null
  fi
  exec 7>&-
  stop_private_cups
  if [ -n "$server_started" ]; then
    pid=$(server_pid)
    if [ -n "$pid" ] && [ "$pid" = "$server_started" ]; then
      wineserver -k >/dev/null 2>&1 </dev/null
      for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        is_zombie "$pid" && break
        sleep 0.1
      done
    fi
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf -- "$logdir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [ -z "${DISPLAY:-}" ]; then
  start_xvfb || exit 1
fi

"$tools_dir/wineprefix.sh" "$prefix" || exit 1

# Wine asks this server for its printers in every process (CUPS_SERVER).
start_private_cups || exit 1

# One server for the whole run. Holding the users lock keeps runs of
# tools/wine-test.sh from stopping a server they find running.
exec 8>"$prefix.server.lock"
flock 8
pid=$(server_pid)
if [ -z "$pid" ]; then
  (exec_closefds wineserver -p) >/dev/null 2>&1 </dev/null
  server_started=$(server_pid)
  if [ -z "$server_started" ]; then
    echo "run-tests: could not start wineserver for $WINEPREFIX" >&2
    exit 1
  fi
elif [ "$pid" = "$(cat -- "$prefix.server-owner" 2>/dev/null)" ]; then
  # Left behind by an interrupted tools/wine-test.sh: ours to stop.
  server_started=$pid
fi
rm -f -- "$prefix.server-owner"
exec 7>"$prefix.users.lock"
flock -s 7
exec 8>&-

total_passed=0
total_failed=0
status=0

run_ctest() {
  local dir=$1 log=$logdir/$2.log rc line passed failed all
  echo "== ctest --test-dir $dir"
  # In the background so that a TERM is handled at once.
  ctest --test-dir "$dir" --output-on-failure --timeout "$timeout" \
    --output-log "$log" 7>&- &
  ctest_pid=$!
  wait "$ctest_pid"
  rc=$?
  ctest_pid=""
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    failed=$(sed -E 's/^[0-9]+% tests passed, ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    all=$(sed -E 's/^[0-9]+% tests passed, ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((all - failed))
    total_passed=$((total_passed + passed))
    total_failed=$((total_failed + failed))
  elif [ "$rc" -ne 0 ]; then
    total_failed=$((total_failed + 1))
  fi
  if [ "$rc" -ne 0 ]; then
    echo "run-tests: ctest in $dir exited with $rc" >&2
    status=1
  fi
}

if [ $# -gt 0 ]; then
  "$@" 7>&-
  exit $?
fi

run_ctest build/native native
run_ctest build/win64 win64

echo "$total_passed passed, $total_failed failed"
exit "$status"
