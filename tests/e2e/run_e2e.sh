#!/usr/bin/env bash
# Runs the end-to-end test in a private X session: a D-Bus session bus, Xvfb,
# openbox, trayer and the accessibility bus, then e2e_driver.py, which starts
# the program and uses it. Every helper is started here by its own process id
# and stopped here by that id, whatever the outcome; afterwards nothing that
# the session started may still be running.
#
#   run_e2e.sh VANTREL VANTREL_SOLVE OUTPUT_DIR [DRIVER]
#
# To run the program under a checker, set VANTREL_E2E_WRAPPER to the command
# line to start it under (for example valgrind with its options) and
# VANTREL_E2E_TIME_SCALE to a factor for the driver's time-outs.
set -euo pipefail

if [[ -z ${VANTREL_E2E_REAPER:-} ]]; then
  missing=()
  read -ra wrapper <<<"${VANTREL_E2E_WRAPPER:-}"
  for tool in Xvfb openbox trayer xdotool xprop xwininfo import dbus-daemon dbus-send \
              /usr/libexec/at-spi-bus-launcher /usr/bin/python3 ${wrapper[0]:-}; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing+=(python3-pyatspi)
  if ((${#missing[@]})); then
    echo "e2e: missing ${missing[*]}; script/setup installs them" >&2
    exit 1
  fi
  # Become a child subreaper (kept across exec): daemons that their own parents
  # leave behind, such as the accessibility registry, come to this shell, which
  # reaps them and checks at the end that none is still running.
  export VANTREL_E2E_REAPER=1
  exec /usr/bin/python3 -c 'import ctypes, os, sys
if ctypes.CDLL(None, use_errno=True).prctl(36, 1, 0, 0, 0) != 0:  # PR_SET_CHILD_SUBREAPER
    sys.exit("e2e: cannot become a subreaper")
os.execv(sys.argv[1], sys.argv[1:])' "$0" "$@"
fi
unset VANTREL_E2E_REAPER

here=$(cd "$(dirname "$0")" && pwd)
vantrel=$1
solve=$2
out=$3
driver=${4:-$here/e2e_driver.py}
mkdir -p "$out"

log() { printf 'e2e: %s\n' "$*" >&2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-e2e.XXXXXX")
# Nothing of the caller's desktop leaks in, and nothing is written to it.
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The children of this shell that are still running, this function's own
# subshell aside.
children() {
  local status pid key value ppid state
  for status in /proc/[0-9]*/status; do
    pid=${status#/proc/}
    pid=${pid%/status}
    ppid='' state=''
    while read -r key value _; do
      case $key in
        State:) state=$value ;;
        PPid:) ppid=$value; break ;;
      esac
    done 2>/dev/null <"$status" || continue
    if [[ $ppid == "$$" && $state != Z && $pid != "$BASHPID" ]]; then echo "$pid"; fi
  done
  return 0
}

stop() {
  kill -TERM "$1" 2>/dev/null || return 0
  for _ in {1..40}; do kill -0 "$1" 2>/dev/null || break; sleep 0.05; done
  kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

helpers=()  # process ids, in the order started
finish() {
  local status=$? i pid left
  trap - EXIT INT TERM
  for ((i = ${#helpers[@]} - 1; i >= 0; i--)); do stop "${helpers[i]}"; done
  # Whatever the helpers left behind has come to this shell by now, or is on
  # its way out.
  for _ in {1..40}; do
    left=$(children)
    [[ -z $left ]] && break
    sleep 0.05
  done
  for pid in $left; do
    log "left running: $pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
    stop "$pid"
    status=1
  done
  rm -rf "$work"
  exit "$status"
}
trap finish EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || return 1
    sleep 0.05
  done
}

# Starts a helper in the background, remembers its id in $started and in the
# list of helpers to stop.
start() {
  "$@" &
  started=$!
  helpers+=("$started")
}

start dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$work/bus-address" \
  2>"$work/dbus.log"
wait_for 10 test -s "$work/bus-address" || { log "the session bus did not start"; exit 1; }
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus-address")
export DBUS_SESSION_BUS_ADDRESS

# The first free display from :90 up. Xvfb takes the display's lock itself, so
# two sessions starting at once cannot share one; -displayfd tells when it is
# ready.
for n in $(seq 90 140); do
  [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
  : >"$work/display"
  start Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -displayfd 3 3>"$work/display" \
    2>"$work/xvfb.log"
  while kill -0 "$started" 2>/dev/null && [[ ! -s $work/display ]]; do sleep 0.05; done
  if [[ -s $work/display ]]; then
    export DISPLAY=:$n
    break
  fi
  unset 'helpers[-1]'  # lost the race for this display; that Xvfb has exited
done
[[ -n ${DISPLAY:-} ]] || { log "no free X display between :90 and :140"; exit 1; }
log "X session on $DISPLAY"

start openbox --sm-disable >"$work/openbox.log" 2>&1
wait_for 10 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" || {
  log "openbox did not start"; exit 1; }

start trayer --edge bottom --align right --widthtype request --height 24 >"$work/trayer.log" 2>&1
wait_for 10 bash -c "xdotool search --pid $started | grep -q ." || { log "trayer did not start"; exit 1; }

start /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/at-spi.log" 2>&1
# Ours, not one that D-Bus activation might start in its place.
bus_pid=$started
a11y_bus_is_ours() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.Bus | grep -qw "$bus_pid"
}
wait_for 10 a11y_bus_is_ours || { log "the accessibility bus did not start"; exit 1; }

# In the background, so that a signal to this shell stops everything at once.
start /usr/bin/python3 "$driver" "$vantrel" "$solve" "$out"
driver_pid=$started
status=0
wait "$driver_pid" || status=$?
exit "$status"
