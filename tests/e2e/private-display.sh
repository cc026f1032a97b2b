# Sourced by the end-to-end scripts: a work folder removed on exit, a private Xvfb named by
# DISPLAY, and a user of its own (home, settings, runtime folder) with no session bus.
# Sets: work, fail (prints the program's output and exits 1). The caller sets app_pid.
work=$(mktemp -d)
cleanup() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "$*"; cat "$work/stdout" "$work/stderr" 2>/dev/null || true; exit 1; }

# -noreset: a server that resets when its last client leaves refuses the next start meanwhile.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
mkdir -p "$XDG_CONFIG_HOME/Quillmere" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
