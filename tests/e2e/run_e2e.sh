#!/usr/bin/env bash
# Runs one end-to-end scenario in a private desktop session: a D-Bus session
# bus, Xvfb, openbox and the accessibility bus, then e2e_driver.py, which starts
# the tray hosts and the Wayland compositor the scenario needs, starts the
# program and uses it. Every helper is started by its own process id and
# stopped by that id, whatever the outcome; afterwards nothing that the
# session started may still be running.
#
#   run_e2e.sh SCENARIO VANTREL VANTREL_SOLVE OUTPUT_DIR
#
# SCENARIO is one of e2e_driver.py's (xembed, sni, wayland, orca, practice,
# language-en, language-zh_TW).
#
# To run the program under a checker, set VANTREL_E2E_WRAPPER to the command
# line to start it under (for example valgrind with its options) and
# VANTREL_E2E_TIME_SCALE to a factor for the driver's time-outs.
set -euo pipefail

if [[ -z ${VANTREL_E2E_REAPER:-} ]]; then
  missing=()
  read -ra wrapper <<<"${VANTREL_E2E_WRAPPER:-}"
  for tool in Xvfb openbox trayer weston xdotool xprop xwininfo xclip import dbus-daemon dbus-send \
              /usr/libexec/at-spi-bus-launcher /usr/bin/python3 ${wrapper[0]:-}; do
    command -v "$tool" >/dev/null || missing+=("$tool")
  done
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing+=(python3-pyatspi)
  [[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ]] ||
    missing+=(qt6-wayland)
  if ((${#missing[@]})); then
    echo "e2e: expected the session's tools installed; got ${missing[*]} missing" \
      "(script/setup test installs them)" >&2
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
scenario=$1
vantrel=$2
solve=$3
out=$4
mkdir -p "$out"

log() { printf 'e2e: %s\n' "$*" >&2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-e2e.XXXXXX")
# Nothing of the caller's desktop leaks in, and nothing is written to it.
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER QT_QPA_PLATFORM \
  QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS XDG_SESSION_TYPE XDG_CURRENT_DESKTOP
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
# The C locale, in which the program speaks its source language, Simplified
# Chinese, whatever the caller's; a scenario in another language sets
# LANGUAGE for the program.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C.UTF-8
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
    log "expected every process of the session to have ended; got $pid still running:" \
      "$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
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
wait_for 10 test -s "$work/bus-address" || { log "expected a session bus within 10 s; got none"; exit 1; }
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus-address")
export DBUS_SESSION_BUS_ADDRESS

# Xvfb picks a free display itself and writes its number once it is ready,
# so that no other session on this machine is ever driven by mistake.
start Xvfb -screen 0 1024x768x24 -nolisten tcp -noreset -displayfd 3 3>"$work/display" \
  2>"$work/xvfb.log"
while kill -0 "$started" 2>/dev/null && [[ ! -s $work/display ]]; do sleep 0.05; done
[[ -s $work/display ]] || { log "expected Xvfb to give its display number; got none: $(tail -n 3 "$work/xvfb.log")"; exit 1; }
export DISPLAY=:$(head -n 1 "$work/display")
log "X session on $DISPLAY"

start openbox --sm-disable >"$work/openbox.log" 2>&1
wait_for 10 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" || {
  log "expected openbox to manage the display within 10 s; got no window manager"; exit 1; }

start /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/at-spi.log" 2>&1
# Ours, not one that D-Bus activation might start in its place.
bus_pid=$started
a11y_bus_is_ours() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.Bus | grep -qw "$bus_pid"
}
wait_for 10 a11y_bus_is_ours || { log "expected our accessibility bus within 10 s; got none"; exit 1; }

# The installed theme icon, as a desktop has it: the hicolor theme of the
# system with the program's icons beside it.
mkdir -p "$work/share/icons/hicolor"
ln -s "$here"/../../packaging/icons/hicolor/* "$work/share/icons/hicolor/"
export XDG_DATA_DIRS=$work/share:/usr/local/share:/usr/share

# In the background, so that a signal to this shell stops everything at once.
start /usr/bin/python3 "$here/e2e_driver.py" "$scenario" "$vantrel" "$solve" "$out"
driver_pid=$started
status=0
wait "$driver_pid" || status=$?
exit "$status"
