#!/usr/bin/env bash
# Idle cost, side by side: the timer (counting down, sounds loaded) beside a minimal Qt tray
# program built here and, when Debian's workrave is installed, workrave. All run at once under
# Xvfb with a tray host (trayer). Prints each one's time from start to its tray item existing,
# then resident memory, threads and CPU time over an idle window (60 s unless IDLE_SECONDS says).
# Usage: bench/idle.sh [PATH-TO-quillmere-timer]   (default: build/release/quillmere-timer)
set -euo pipefail
cd "$(dirname "$0")/.."
binary=${1:-build/release/quillmere-timer}
idle=${IDLE_SECONDS:-60}
scripts/install-deps.sh xvfb trayer xdotool x11-utils qt6-base-dev g++
[ -x "$binary" ] || { cmake --preset release >/dev/null && cmake --build --preset release >/dev/null; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

g++ -std=c++17 -O2 -fPIC bench/baseline-tray.cpp -o "$work/baseline-tray" \
    $(pkg-config --cflags --libs Qt6Widgets)

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
pids+=($!)
sleep 1

export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

now_ms() { date +%s%3N; }
# Milliseconds until the process owns a window embedded in the tray (or any window).
time_to_item() {
    local pid=$1 start=$2
    for _ in $(seq 500); do
        if xdotool search --pid "$pid" >/dev/null 2>&1; then
            echo $(($(now_ms) - start)); return
        fi
        sleep 0.01
    done
    echo "none"
}
# CPU time in nanoseconds, summed over every thread (schedstat is finer than clock ticks).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{sum += $1} END {printf "%d", sum}'; }
field() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/status"; }

names=(); starts=(); programs=()
launch() {
    local name=$1; shift
    local start; start=$(now_ms)
    "$@" >/dev/null 2>&1 &
    pids+=($!); names+=("$name"); starts+=("$start"); programs+=($!)
}
launch "quillmere-timer" "$binary"
launch "baseline Qt tray" "$work/baseline-tray"
if command -v workrave >/dev/null 2>&1; then
    launch "workrave" workrave
fi

items=()
for i in "${!programs[@]}"; do items+=("$(time_to_item "${programs[$i]}" "${starts[$i]}")"); done
sleep 5 # let start-up work settle before the idle window
before=()
for pid in "${programs[@]}"; do before+=("$(cpu_ns "$pid")"); done
sleep "$idle"

printf '%-18s %12s %10s %8s %14s %10s\n' program "to item(ms)" "RSS(MB)" threads "CPU(ms)/${idle}s" "CPU(%)"
for i in "${!programs[@]}"; do
    pid=${programs[$i]}
    if ! kill -0 "$pid" 2>/dev/null; then
        printf '%-18s exited\n' "${names[$i]}"; continue
    fi
    ms=$(awk -v a="$(cpu_ns "$pid")" -v b="${before[$i]}" 'BEGIN {printf "%.1f", (a - b) / 1e6}')
    rss=$(awk -v kb="$(field "$pid" VmRSS)" 'BEGIN {printf "%.1f", kb / 1024}')
    pct=$(awk -v ms="$ms" -v s="$idle" 'BEGIN {printf "%.3f", ms / (s * 10)}')
    printf '%-18s %12s %10s %8s %14s %10s\n' "${names[$i]}" "${items[$i]}" "$rss" \
        "$(field "$pid" Threads)" "$ms" "$pct"
done
