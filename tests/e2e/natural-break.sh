#!/usr/bin/env bash
# End to end: with natural breaks on, the real program under Xvfb sees the person go idle through
# the X server's idle counter, shows "break" once the absence is long enough, and starts a fresh
# interval when the mouse moves again, without a reminder; the command line tells the title and
# the time left. Test mode makes absences seconds long (idle after 2 s, a break minute of 5 s).
# Usage: natural-break.sh PATH-TO-quillmere-timer [SCREENSHOT.png]
set -euo pipefail
binary=$1
screenshot=${2:-}
. "$(dirname "$0")/private-display.sh"
printf '[General]\nVersion=1.0\nPopupAlerts=true\nShowCountdown=true\nMute=true\nNaturalBreaks=true\nAwayMinutes=1\n' \
    >"$XDG_CONFIG_HOME/Quillmere/Quillmere Timer.conf"

QT_QPA_PLATFORM=xcb "$binary" -test >"$work/stdout" 2>"$work/stderr" &
app_pid=$!
for _ in $(seq 100); do
    [ -n "$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null)" ] && break
    sleep 0.1
done
[ -n "$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null)" ] || fail "no status window"

# Present first, then no input for 8 s: idle after 2, a break after 5.
xdotool mousemove 5 5
sleep 8
grep -q "Natural break" "$work/stdout" && fail "a break was counted before the person came back"
"$binary" status --json | grep -q '"title":"break"' || fail "the title does not say break"
[ -z "$screenshot" ] || import -window root "$screenshot"
xdotool mousemove 300 300
for _ in $(seq 50); do grep -q "Natural break" "$work/stdout" && break; sleep 0.1; done
grep -q '^Natural break of [0-9]* seconds: fresh interval$' "$work/stdout" ||
    fail "coming back after the break did not start a fresh interval"
left=$("$binary" status --json | sed -n 's/.*"seconds_left":\(-\{0,1\}[0-9]*\).*/\1/p')
[ "${left:-0}" -ge 27 ] || fail "no fresh 30-second interval after the break ($left s left)"
[ "$(xdotool search --onlyvisible --pid "$app_pid" | wc -l)" -eq 1 ] ||
    fail "a window other than the status window is open"
kill -TERM "$app_pid"
wait "$app_pid" || fail "exit status $?"
app_pid=""
echo "idle seen through the X server, break shown, fresh interval on return"
