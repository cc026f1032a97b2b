#!/usr/bin/env bash
# End to end: the real program under Xvfb counts a short interval down, brings up the reminder,
# takes "Restart" from the keyboard, writes its settings and ends with status 0 when asked to.
# Usage: popup-after-interval.sh PATH-TO-quillmere-timer
set -euo pipefail
binary=$1
work=$(mktemp -d)
cleanup() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

# A user who has run it before, with a two-second interval.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/Quillmere" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
settings="$XDG_CONFIG_HOME/Quillmere/Quillmere Timer.conf"
printf '[General]\nVersion=0.9\nTimerInterval=2\nPopupAlerts=true\nAutoRestart=true\nShowCountdown=true\nMute=true\n' >"$settings"

QT_QPA_PLATFORM=xcb "$binary" >"$work/stdout" 2>"$work/stderr" &
app_pid=$!

# Without a tray the status item is a small window of the same name: the reminder comes after it.
reminders() {
    for window in $(xdotool search --onlyvisible --name '^Quillmere Timer$' 2>/dev/null); do
        width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
        if [ "${width:-0}" -gt 200 ]; then echo "$window"; fi
    done
    return 0
}
popup=""
for _ in $(seq 150); do
    popup=$(reminders | head -n 1)
    [ -n "$popup" ] && break
    sleep 0.1
done
if [ -z "$popup" ]; then
    echo "no reminder appeared"; cat "$work/stdout" "$work/stderr"; exit 1
fi
# No window manager here: give the reminder the keyboard focus directly, then press Return.
xdotool windowfocus --sync "$popup" key Return
for _ in $(seq 50); do
    [ -z "$(reminders)" ] && break
    sleep 0.1
done
if [ -n "$(reminders)" ]; then
    echo "the reminder did not close on Return"; exit 1
fi

kill -TERM "$app_pid"
status=0
wait "$app_pid" || status=$?
app_pid=""
if [ "$status" -ne 0 ]; then
    echo "exit status $status"; cat "$work/stdout" "$work/stderr"; exit 1
fi
if ! grep -q '^Version=1\.' "$settings"; then
    echo "the settings file does not record the running version:"; cat "$settings"; exit 1
fi
echo "reminder shown and answered; exit status 0"
