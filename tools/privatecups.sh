# shellcheck shell=bash
# A private print server for the tests: a cupsd of our own on its own
# socket, with one queue, "PDF", whose jobs cups-pdf writes as PDF files
# into a folder of ours. Nothing of the machine's own CUPS set-up changes:
# every file lives in one temporary folder, and cups-pdf, which reads only
# /etc/cups/cups-pdf.conf, is given our file there by a bind mount that only
# the private cupsd's mount namespace sees. Needs root (cups-pdf refuses to
# run otherwise) and the packages cups, printer-driver-cups-pdf and
# poppler-utils (tools/bootstrap.sh).
#
# Source it; it defines functions only.
#   start_private_cups  sets cups_pid and cups_dir, exports CUPS_SERVER (for
#                       Wine and lpstat) and QM_PDF_DIR (the PDF folder as a
#                       Windows path on drive Z:); returns non-zero on failure
#   stop_private_cups   stops that cupsd by its pid and removes its folder

cups_pid=""
cups_dir=""

start_private_cups() {
  local d
  cups_dir=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-cups.XXXXXX") || return 1
  d=$cups_dir
  mkdir -p "$d/etc/ppd" "$d/spool/tmp" "$d/log" "$d/cache" "$d/state" "$d/out" "$d/pdfspool"
  chmod 755 "$d" "$d/out"
  cat >"$d/etc/cups-files.conf" <<EOF
ServerRoot $d/etc
RequestRoot $d/spool
TempDir $d/spool/tmp
CacheDir $d/cache
StateDir $d/state
AccessLog $d/log/access_log
ErrorLog $d/log/error_log
PageLog $d/log/page_log
Printcap $d/printcap
User lp
Group lp
SystemGroup root
EOF
  # No authentication, so that lpadmin works over the socket.
  cat >"$d/etc/cupsd.conf" <<EOF
Listen $d/cups.sock
Browsing No
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat >"$d/etc/cups-pdf.conf" <<EOF
Out $d/out
AnonDirName $d/out
Spool $d/pdfspool
Log $d/log
LogType 1
Label 2
UserUMask 0022
DecodeHexStrings 1
EOF
  # unshare and sh both exec, so the pid is cupsd's own.
  # shellcheck disable=SC2016  # expanded by the inner sh, from its $1
  (exec_closefds unshare -m --propagation private sh -c \
    'mount --bind "$1/etc/cups-pdf.conf" /etc/cups/cups-pdf.conf &&
     exec /usr/sbin/cupsd -f -c "$1/etc/cupsd.conf" -s "$1/etc/cups-files.conf"' sh "$d") \
    </dev/null >"$d/log/cupsd.out" 2>&1 &
  cups_pid=$!
  for _ in $(seq 100); do
    [ -S "$d/cups.sock" ] && break
    kill -0 "$cups_pid" 2>/dev/null || break
    sleep 0.05
  done
  export CUPS_SERVER=$d/cups.sock
  if ! [ -S "$d/cups.sock" ] ||
     ! lpadmin -p PDF -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E >/dev/null 2>&1 ||
     ! lpadmin -d PDF >/dev/null 2>&1; then
    echo "$0: could not start the private print server:" >&2
    cat -- "$d/log/cupsd.out" >&2
    stop_private_cups
    return 1
  fi
  export QM_PDF_DIR="Z:${d//\//\\}\\out"
}

stop_private_cups() {
  if [ -n "$cups_pid" ]; then
    kill "$cups_pid" 2>/dev/null
    wait "$cups_pid" 2>/dev/null
    cups_pid=""
  fi
  if [ -n "$cups_dir" ]; then
    rm -rf -- "$cups_dir"
    cups_dir=""
  fi
  unset CUPS_SERVER QM_PDF_DIR
}
