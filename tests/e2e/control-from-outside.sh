#!/usr/bin/env bash
# End to end: the command line and D-Bus against the real program in test mode, under Xvfb on a
# session bus of the test's own. Help, version and errors need no display; status, pause and
# resume reach the running timer; watch prints titles and ends when the timer is asked to end.
# Usage: control-from-outside.sh PATH-TO-quillmere-timer
set -euo pipefail
binary=$1
work=$(mktemp -d)
cleanup() {
    for pid in "${watch_pid:-}" "${app_pid:-}" "${bus_pid:-}" "${xvfb_pid:-}"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "$*"; cat "$work"/out "$work"/err "$work"/watch 2>/dev/null || true; exit 1; }
run() { # expected status, then the command line; output in out and err
    local want=$1 status=0
    shift
    "$binary" "$@" >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -eq "$want" ] || fail "$* ended with status $status, not $want"
}

export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

run 0 --help
grep -q '^  watch ' "$work/out" || fail "--help does not list watch"
run 0 --version
grep -q '^Quillmere Timer [0-9]' "$work/out" || fail "--version prints no version"
run 2 frobnicate
grep -q '^Usage: ' "$work/err" || fail "an unknown command prints no usage line"
run 2 pause 0
run 2 --frobnicate
run 1 status
grep -qx 'Quillmere Timer is not running' "$work/err" || fail "no 'not running' message"

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
dbus-daemon --session --nofork --print-address=4 4>"$work/bus" 2>/dev/null &
bus_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && [ -s "$work/bus" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")" DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")

QT_QPA_PLATFORM=xcb "$binary" -test >"$work/app.out" 2>"$work/app.err" &
app_pid=$!
for _ in $(seq 100); do "$binary" status >/dev/null 2>&1 && break; sleep 0.05; done

run 0 status --json
grep -q '^{"state":"Timing","title":"1m","seconds_left":[0-9]*,"muted":false,"paused":false}$' \
    "$work/out" || fail "status --json: $(cat "$work/out")"
"$binary" watch >"$work/watch" 2>&1 &
watch_pid=$!
for _ in $(seq 100); do [ -s "$work/watch" ] && break; sleep 0.05; done
run 0 pause 1
[ ! -s "$work/out" ] || fail "pause printed something"
run 0 status
grep -q 'paused' "$work/out" || fail "status after pause: $(cat "$work/out")"
run 0 resume
run 0 status --json
grep -q '"state":"Timing"' "$work/out" || fail "resume did not end the pause"

# D-Bus: the name comes once the status item shows.
gdbus_timer() {
    gdbus call --session --dest org.quillmere.Timer --object-path /org/quillmere/Timer "$@"
}
for _ in $(seq 100); do gdbus_timer --method org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1 && break; sleep 0.05; done
gdbus_timer --method org.quillmere.Timer1.Pause 2 >/dev/null || fail "Pause over D-Bus failed"
[ "$(gdbus_timer --method org.freedesktop.DBus.Properties.Get org.quillmere.Timer1 Paused)" = "(<true>,)" ] ||
    fail "D-Bus does not say paused"
gdbus_timer --method org.quillmere.Timer1.Pause 0 >/dev/null 2>&1 && fail "Pause 0 was taken"
gdbus_timer --method org.quillmere.Timer1.Resume >/dev/null || fail "Resume over D-Bus failed"

kill -TERM "$app_pid"
for _ in $(seq 100); do kill -0 "$watch_pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$watch_pid" 2>/dev/null && fail "watch did not end with the timer"
status=0
wait "$watch_pid" || status=$?
watch_pid=""
[ "$status" -eq 0 ] || fail "watch ended with status $status"
[ "$(sed -n 1p "$work/watch")" = "1m" ] && grep -q '^‖' "$work/watch" ||
    fail "watch did not print the titles"
wait "$app_pid" || fail "the timer ended with status $?"
app_pid=""
echo "help, version, errors, status, pause, resume and watch; Pause, Paused and Resume on D-Bus"
