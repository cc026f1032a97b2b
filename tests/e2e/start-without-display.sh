#!/usr/bin/env bash
# Started with no display at all the program says so in one line and ends with status 1 (Qt
# alone would abort); a platform chosen by QT_QPA_PLATFORM still starts without one.
# Usage: start-without-display.sh PATH-TO-quillmere-timer
set -euo pipefail
binary=$1
work=$(mktemp -d)
cleanup() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "$*"; cat "$work/stderr" 2>/dev/null || true; exit 1; }
# The sanitizers' settings are not the display's: they pass.
sanitizers=()
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    [ -n "${!name:-}" ] && sanitizers+=("$name=${!name}")
done

status=0
env -i "${sanitizers[@]}" "$binary" >"$work/stdout" 2>"$work/stderr" || status=$?
[ "$status" -eq 1 ] || fail "exit status $status without a display, not 1"
[ "$(wc -l <"$work/stderr")" -eq 1 ] || fail "not a one-line message"
grep -q 'needs a graphical session' "$work/stderr" || fail "the message does not say what is missing"

# Offscreen: it runs (the first run stores its settings) until asked to end.
mkdir -m 700 "$work/runtime"
env -i "${sanitizers[@]}" QT_QPA_PLATFORM=offscreen HOME="$work" XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/runtime" "$binary" >"$work/stdout" 2>"$work/stderr" &
app_pid=$!
settings="$work/config/Quillmere/Quillmere Timer.conf"
for _ in $(seq 200); do grep -qs '^Version=' "$settings" && break; sleep 0.05; done
grep -qs '^Version=' "$settings" || fail "offscreen: the program did not start"
kill -TERM "$app_pid"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "offscreen: exit status $status"
echo "no display: one line and status 1; offscreen: started and ended with status 0"
