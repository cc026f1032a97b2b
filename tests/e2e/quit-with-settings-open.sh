#!/usr/bin/env bash
# End to end: asked to end (as Quit does) while Settings is open with an edit in its field, the
# real program under Xvfb ends with status 0, stores nothing and reports no fault.
# Usage: quit-with-settings-open.sh PATH-TO-quillmere-timer
set -euo pipefail
binary=$1
work=$(mktemp -d)
cleanup() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "$*"; cat "$work/stdout" "$work/stderr" 2>/dev/null || true; exit 1; }

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

# No tray and no session bus: the item is the small status window.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
mkdir -p "$XDG_CONFIG_HOME/Quillmere" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
settings="$XDG_CONFIG_HOME/Quillmere/Quillmere Timer.conf"
printf '[General]\nVersion=1.0.0\nTimerInterval=600\nShowCountdown=true\nMute=true\n' >"$settings"

# The first visible window of the program narrower (no) or wider (yes) than 200 pixels.
window() {
    local wide=$1 found=""
    for _ in $(seq 150); do
        for id in $(xdotool search --onlyvisible --name '^Quillmere Timer$' 2>/dev/null); do
            width=$(xwininfo -id "$id" | awk '/Width:/ {print $2}')
            if { [ "$wide" = yes ] && [ "${width:-0}" -gt 200 ]; } ||
               { [ "$wide" = no ] && [ "${width:-0}" -le 200 ]; }; then
                found=$id
            fi
        done
        [ -n "$found" ] && break
        sleep 0.1
    done
    echo "$found"
}

QT_QPA_PLATFORM=xcb "$binary" >"$work/stdout" 2>"$work/stderr" &
app_pid=$!
item=$(window no)
[ -n "$item" ] || fail "no status window"
eval "$(xdotool getwindowgeometry --shell "$item")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
for _ in $(seq 100); do
    [ "$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l)" -ge 2 ] && break
    sleep 0.05
done
xdotool key ctrl+s
panel=$(window yes)
[ -n "$panel" ] || fail "Settings did not open"
# The interval field has the focus, its text selected: an edit that is never saved.
xdotool windowfocus --sync "$panel" type 45
before=$(md5sum <"$settings")

kill -TERM "$app_pid"
for _ in $(seq 200); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.05; done
kill -0 "$app_pid" 2>/dev/null && fail "a termination request did not end the program"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(md5sum <"$settings")" = "$before" ] || fail "the settings changed"
! grep -q 'runtime error\|Sanitizer' "$work/stderr" || fail "a fault was reported"
echo "ended with Settings open: exit status 0, settings unchanged"
