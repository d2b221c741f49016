#!/usr/bin/env bash
# Runs a command on an X display of its own that has a notification area: a
# fresh Xvfb on a free display with trayer docked at its top edge. Both end
# with the command, whose exit code this returns; the command sees DISPLAY,
# QT_QPA_PLATFORM=xcb and no session bus (so Qt uses the X11 tray), and
# TELVARO_TRAY_HOST and TELVARO_TRAY_HOST_PID: the panel's command and process.
#   tools/with-tray-host.sh COMMAND [ARGS...]
# Exits 77, which the tests count as skipped, when Xvfb or trayer is missing.
set -euo pipefail
[ $# -gt 0 ] || { sed -n '2,9p' "$0"; exit 2; }
for program in Xvfb trayer xwininfo; do
    if ! command -v "$program" >/dev/null; then
        echo "with-tray-host: $program is not installed (./build.sh installs it): skipped" >&2
        exit 77
    fi
done

work=$(mktemp -d)
xvfb_pid=
trayer_pid=
command_pid=
cleanup() {
    for pid in $command_pid $trayer_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# The command and its process go to the command, which may restart the panel.
export TELVARO_TRAY_HOST="trayer --edge top --align right --widthtype request --height 32 --SetDockType false \
--SetPartialStrut false --transparent false --tint 0xd8d8d8"

# Starts Xvfb on a free display (-displayfd: it picks one and says which)
# and the panel on it; false when either does not come up.
start_display() {
    : >"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    [ -s "$work/display" ] || return 1
    export DISPLAY=":$(head -1 "$work/display")"
    $TELVARO_TRAY_HOST >"$work/trayer.log" 2>&1 </dev/null &
    trayer_pid=$!
    export TELVARO_TRAY_HOST_PID=$trayer_pid
    # trayer's window appears once it holds the notification area.
    for _ in $(seq 100); do
        xwininfo -root -tree 2>/dev/null | grep -q '"panel"' && return 0
        kill -0 "$trayer_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# A display another program takes away at the same moment is tried again.
started=
for _ in 1 2 3; do
    if start_display; then
        started=1
        break
    fi
    kill "$trayer_pid" "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    trayer_pid= xvfb_pid=
done
if [ -z "$started" ]; then
    cat "$work/xvfb.log" "$work/trayer.log" >&2
    echo "with-tray-host: no display with a panel came up" >&2
    exit 1
fi

export QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS
# In the background, so that a stop of this script reaches it at once.
"$@" &
command_pid=$!
set +e
wait "$command_pid"
status=$?
set -e
command_pid=
exit "$status"
