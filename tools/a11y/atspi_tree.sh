#!/usr/bin/env bash
# Prints what a screen reader sees of a program over AT-SPI, on a private X
# server, session bus, accessibility bus and registry, so that nothing of the
# desktop around (another display, a stale bus address) can leak in.
#   tools/a11y/atspi_tree.sh [--wait SECONDS] PROGRAM [ARGS...]
# Exit status: 0 when the program was found on the bus, 1 when it was not,
# 2 when the set-up itself failed.
# Qt 5.15's bridge often makes its first calls on the accessibility bus
# (GetRegisteredEvents, Socket.Embed) before the session bus has even
# answered its GetAddress, on a connection not yet made (QDBUS_DEBUG=1): they
# fail with "Not connected to D-Bus server", logged as "Error in contacting
# registry", and the bridge never tries again, so the program stays off the
# bus for good, a bare Qt window as much as this program. Such a run is told
# apart by that line and started afresh, up to ten times.
set -u
wait_app=25
if [ "${1:-}" = --wait ]; then wait_app=$2; shift 2; fi
[ $# -ge 1 ] || { echo "usage: $0 [--wait SECONDS] PROGRAM [ARGS...]" >&2; exit 2; }
if [ -z "${ATSPI_TREE_ATTEMPT:-}" ]; then
  for attempt in $(seq 10); do
    ATSPI_TREE_ATTEMPT=$attempt "$0" --wait "$wait_app" "$@"
    status=$?
    [ $status -eq 3 ] || exit $status
  done
  echo "Qt's bridge lost its registration in 10 runs out of 10" >&2
  exit 1
fi
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d /tmp/atspi-tree.XXXXXX)
pids=()

cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Polls a command every 0.1 s for at most $1 seconds.
poll() {
  local limit=$(($1 * 10)) i=0
  shift
  until "$@" >/dev/null 2>&1; do
    i=$((i + 1))
    [ $i -lt $limit ] || return 1
    sleep 0.1
  done
}
fail() { echo "set-up failed: $*" >&2; sed 's/^/  /' "$work"/*.log >&2 2>/dev/null; exit 2; }

# The accessibility bus's socket is named after the display number in the
# runtime folder (~/.cache without one): a shared one lets another session's
# bus take over the name under our feet.
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# A display number of our own: Xvfb picks a free one and writes it out.
Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
poll 10 test -s "$work/display" || fail "Xvfb gave no display"
export DISPLAY=:$(cat "$work/display")
poll 10 xdpyinfo || fail "X server $DISPLAY does not answer"

# A session bus of our own.
dbus-daemon --session --nofork --print-address=3 3>"$work/session" >"$work/session.log" 2>&1 &
pids+=($!)
poll 10 test -s "$work/session" || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/session")

# The accessibility bus, found through the session bus once it is up.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/launcher.log" 2>&1 &
launcher=$!
pids+=($launcher)
# Asked before the launcher holds its name, the session bus would start a
# second launcher by activation, whose bus takes over the same socket name.
bus_named() {
  dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q true
}
poll 10 bus_named || fail "the accessibility bus launcher did not start"
a11y_address() {
  dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress |
    tr -d ' ' | grep -q . && dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress | tr -d ' ' >"$work/a11y"
}
poll 10 a11y_address || fail "no accessibility bus"
# Both sides take the address from here: a reader looks first at the X root
# window's AT_SPI_BUS, which can name another bus than the toolkit's.
export AT_SPI_BUS_ADDRESS=$(cat "$work/a11y")
for child in $(pgrep -P "$launcher"); do pids+=("$child"); done
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
  string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null || fail "accessibility not enabled"

/usr/libexec/at-spi2-registryd --use-gnome-session=0 >"$work/registryd.log" 2>&1 &
pids+=($!)
registry_up() {
  dbus-send --bus="$AT_SPI_BUS_ADDRESS" --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.atspi.Registry | grep -q true
}
poll 10 registry_up || fail "no registry on the accessibility bus"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
export QT_LOGGING_RULES="qt.accessibility.atspi.debug=true${QT_LOGGING_RULES:+;$QT_LOGGING_RULES}"
"$@" >"$work/app.log" 2>&1 &
app=$!
pids+=($app)
/usr/bin/python3 "$here/atspi_walk.py" "$app" "$wait_app" "$work/app.log"
status=$?
[ $status -ne 3 ] || echo "(run $ATSPI_TREE_ATTEMPT: Qt's bridge lost its registration, see the head of this script)"
if ! kill -0 "$app" 2>/dev/null; then echo "the program ended early:" >&2; sed 's/^/  /' "$work/app.log" >&2; fi
[ -z "${ATSPI_TREE_LOG:-}" ] || cp "$work/app.log" "$ATSPI_TREE_LOG"
exit $status
