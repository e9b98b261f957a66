# Shell functions shared by the scripts that run programs under Wine.
# Source it; it defines functions only. start_xvfb sets xvfb_pid and DISPLAY.

# Runs "$@" (exec) with every descriptor above 2 closed. Use in a subshell.
exec_closefds() {
  local fd
  for fd in "/proc/$BASHPID"/fd/*; do
    fd=${fd##*/}
    if [ "$fd" -gt 2 ]; then
      eval "exec $fd>&-" 2>/dev/null
    fi
  done
  exec "$@"
}

# True when process $1 has ended but is not reaped yet.
is_zombie() {
  local stat
  read -r stat 2>/dev/null <"/proc/$1/stat" || return 1
  stat=${stat##*) }
  [ "${stat%% *}" = Z ]
}

# Prints the pid of the wineserver that serves $WINEPREFIX, if any.
server_pid() {
  local id p cwd comm
  id=$(stat -c '%d %i' -- "$WINEPREFIX" 2>/dev/null) || return 1
  # shellcheck disable=SC2086
  id=$(printf 'server-%x-%x' $id)
  for p in /proc/[0-9]*; do
    p=${p#/proc/}
    read -r comm 2>/dev/null <"/proc/$p/comm" || continue
    case $comm in wineserver*) ;; *) continue ;; esac
    cwd=$(readlink "/proc/$p/cwd" 2>/dev/null) || continue
    if [ "$cwd" = "$WINEPREFIX" ] || [ "$(basename -- "$cwd")" = "$id" ]; then
      echo "$p"
      return 0
    fi
  done
  return 1
}

# Starts Xvfb on a free display number and exports DISPLAY.
start_xvfb() {
  local n pid
  for n in $(seq 90 189); do
    if [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; then
      continue
    fi
    (exec_closefds Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp) >/dev/null 2>&1 </dev/null &
    pid=$!
    for _ in $(seq 100); do
      if [ -S "/tmp/.X11-unix/X$n" ]; then
        xvfb_pid=$pid
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  echo "$0: could not start Xvfb" >&2
  return 1
}
