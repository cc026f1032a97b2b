#!/usr/bin/env bash
# End to end: the real program under Xvfb counts a short interval down, brings up the reminder,
# takes "Restart" from the keyboard, quits from its menu with status 0; started again it reads
# the settings back (the same short interval brings the reminder again) and ends with status 0
# when the system asks it to, also with an edit open in Settings.
# Usage: popup-after-interval.sh PATH-TO-quillmere-timer
set -euo pipefail
binary=$1
. "$(dirname "$0")/private-display.sh"

# A user who has run it before, with a two-second interval. No tray, no session bus: the item is
# the small status window.
settings="$XDG_CONFIG_HOME/Quillmere/Quillmere Timer.conf"
printf '[General]\nVersion=0.9\nTimerInterval=2\nPopupAlerts=true\nAutoRestart=true\nShowCountdown=true\nMute=true\n' >"$settings"

# Visible windows of the program: the reminder is wide, the status window small.
windows() {
    local wide=$1
    for window in $(xdotool search --onlyvisible --name '^Quillmere Timer$' 2>/dev/null); do
        width=$(xwininfo -id "$window" | awk '/Width:/ {print $2}')
        if { [ "$wide" = yes ] && [ "${width:-0}" -gt 200 ]; } ||
           { [ "$wide" = no ] && [ "${width:-0}" -le 200 ]; }; then
            echo "$window"
        fi
    done
    return 0
}
wait_for() {
    local what=$1 found=""
    for _ in $(seq 150); do
        found=$(windows "$what" | head -n 1)
        [ -n "$found" ] && break
        sleep 0.1
    done
    echo "$found"
}
start() {
    QT_QPA_PLATFORM=xcb "$binary" >"$work/stdout" 2>"$work/stderr" &
    app_pid=$!
}
finish() {
    local status=0
    for _ in $(seq 200); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.05; done
    kill -0 "$app_pid" 2>/dev/null && fail "$1"
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" -eq 0 ] || fail "exit status $status"
}

start
popup=$(wait_for yes)
[ -n "$popup" ] || fail "no reminder appeared"
# No window manager here: give the reminder the keyboard focus directly, then press Return. It
# takes keys only once it has been up for a second and after a pause, so press again, each time
# after a pause longer than that, until it closes.
xdotool windowfocus --sync "$popup"
for _ in $(seq 8); do
    xdotool key Return
    for _ in $(seq 7); do [ -z "$(windows yes)" ] && break 2; sleep 0.1; done
done
[ -z "$(windows yes)" ] || fail "the reminder did not close on Return"

# A click on the status window opens the menu; it is open once the program shows one more window.
open_menu() {
    local item
    item=$(wait_for no)
    [ -n "$item" ] || fail "no status window"
    eval "$(xdotool getwindowgeometry --shell "$item")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
    for _ in $(seq 100); do
        [ "$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l)" -ge 2 ] && break
        sleep 0.05
    done
}
# Quit from the menu by its shortcut.
open_menu
xdotool key ctrl+q
finish "Quit in the menu did not end the program"
grep -q '^Version=1\.' "$settings" || fail "the settings file does not record the running version"

# The next start reads the settings back: the two-second interval brings the reminder again.
start
[ -n "$(wait_for yes)" ] || fail "no reminder after the restart"
kill -TERM "$app_pid"
finish "a termination request did not end the program"

# Asked to end while Settings is open with an edit in its field: status 0, nothing stored.
sed -i 's/^TimerInterval=.*/TimerInterval=600/' "$settings"
start
open_menu
xdotool key ctrl+s
panel=$(wait_for yes)
[ -n "$panel" ] || fail "Settings did not open"
xdotool windowfocus --sync "$panel" type 45
before=$(md5sum <"$settings")
kill -TERM "$app_pid"
finish "ending with Settings open did not end the program"
[ "$(md5sum <"$settings")" = "$before" ] || fail "ending with Settings open changed the settings"
echo "reminder shown, answered, quit from the menu, settings read back, ended with Settings open"
