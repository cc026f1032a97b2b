#!/usr/bin/env bash
# The timer's start-up and idle cost, side by side with a minimal Qt 6 tray program built here
# (and workrave, when Debian's package is installed: run as a black box), in one run under Xvfb.
#
# 1. Start -> docked, each program started alone, STARTS times (10 unless STARTS says) on each
#    host: an XEmbed tray (trayer; docked = the tray reparented the icon) and a
#    StatusNotifierWatcher (bench/dock-time.cpp; docked = it received the registration). Then
#    the same once more with every core busy. Prints min, median and max in ms.
# 2. Idle, on each host: all programs at once, the timer counting down; after a 5 s settle,
#    resident memory, threads, size of the mapped libraries, CPU time and main-thread wake-ups
#    over IDLE_SECONDS (120 unless set).
# As on a desktop, there is a session bus, a stand-in for the system bus (a private bus, so the
# wake source listens there instead of checking the clocks) and, when pulseaudio is installed, a
# PulseAudio server with a null sink, so the timer's sounds take their usual path (without one it
# stays silent, a normal case too).
#
# Usage: bench/run.sh [[LABEL=]TIMER ...]   (default: build/release/quillmere-timer)
# e.g. bench/run.sh timer=build/release/quillmere-timer timer+watching=build/release/quillmere-timer
# Several timers (say before=/tmp/old/quillmere-timer after=build/release/quillmere-timer) are
# measured in the same run. Not run by CI; timings depend on the machine's load: check uptime.
set -uo pipefail
cd "$(dirname "$0")/.."
starts=${STARTS:-10}
idle=${IDLE_SECONDS:-120}
scripts/install-deps.sh xvfb trayer x11-utils qt6-base-dev libx11-dev g++ pkg-config dbus-daemon \
    pulseaudio pulseaudio-utils || exit 1

labels=() binaries=()
[ $# -eq 0 ] && set -- build/release/quillmere-timer
for arg in "$@"; do
    if [[ $arg == *=* ]]; then labels+=("${arg%%=*}"); binaries+=("${arg#*=}")
    else labels+=("quillmere-timer"); binaries+=("$arg"); fi
done
if [ "${binaries[0]}" = build/release/quillmere-timer ] && [ ! -x "${binaries[0]}" ]; then
    cmake --preset release >/dev/null && cmake --build --preset release -j2 >/dev/null || exit 1
fi
for binary in "${binaries[@]}"; do
    [ -x "$binary" ] || { echo "bench: $binary is not a program" >&2; exit 1; }
done

# In memory, as a desktop's runtime folder (/run/user/UID) is.
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

qt_flags() { pkg-config --cflags --libs "$@"; }
g++ -std=c++17 -O2 -fPIC bench/baseline-tray.cpp -o "$work/baseline-tray" $(qt_flags Qt6Widgets) &&
    g++ -std=c++17 -O2 -fPIC bench/dock-time.cpp -o "$work/dock-time" $(qt_flags Qt6DBus) -lX11 ||
    exit 1
labels+=("baseline Qt tray"); binaries+=("$work/baseline-tray")
if command -v workrave >/dev/null 2>&1; then labels+=("workrave"); binaries+=("workrave"); fi

# A private desktop: display, session bus, audio server, home.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
bus=none
if command -v dbus-daemon >/dev/null 2>&1; then
    dbus-daemon --session --nofork --address="unix:path=$XDG_RUNTIME_DIR/bus" \
        --print-pid=3 3>"$work/bus.pid" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/bus" ] && break; sleep 0.05; done
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
    dbus-daemon --session --nofork --address="unix:path=$work/system-bus" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -S "$work/system-bus" ] && break; sleep 0.05; done
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/system-bus"
    bus=yes
else
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
fi
audio=none
if command -v pulseaudio >/dev/null 2>&1; then
    pulseaudio -n --daemonize=no --exit-idle-time=-1 -L "module-null-sink sink_name=null" \
        -L module-native-protocol-unix >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/pulse/native" ] && break; sleep 0.05; done
    [ -S "$XDG_RUNTIME_DIR/pulse/native" ] && audio="PulseAudio null sink"
    export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse/native"
fi
# Each program gets runtime and settings folders of its own: two builds of the timer would
# otherwise take each other for a running instance.
# A label ending in "+watching" starts the timer with natural breaks, holding when busy and the
# time in the icon on, so the presence and busy sources are watched while it waits.
own_env() {
    mkdir -p "$work/own/$1/runtime" "$work/own/$1/config" && chmod 700 "$work/own/$1/runtime"
    if [[ ${labels[$1]} == *+watching ]]; then
        mkdir -p "$work/own/$1/config/Quillmere"
        printf '[General]\nNaturalBreaks=true\nHoldWhenBusy=true\nShowTimeInIcon=true\n' \
            >"$work/own/$1/config/Quillmere/Quillmere Timer.conf"
    fi
    echo "XDG_RUNTIME_DIR=$work/own/$1/runtime XDG_CONFIG_HOME=$work/own/$1/config"
}
trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
pids+=($!)
sleep 1

echo "bench: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at start;" \
    "session bus: $bus; audio: $audio"

dock_times() {
    local host
    for host in xembed sni; do
        if [ "$host" = sni ] && [ "$bus" != yes ]; then
            echo "(no session bus: no StatusNotifierWatcher host)"; continue
        fi
        for i in "${!binaries[@]}"; do
            env $(own_env "$i") "$work/dock-time" "$host" "$starts" "${labels[$i]}" -- \
                "${binaries[$i]}"
        done
    done
}

echo
echo "Start -> docked (ms), each program alone, $starts starts per host"
printf '%-18s %-7s %8s %8s %8s %6s\n' program host min median max docked
dock_times

echo
echo "Start -> docked (ms) with every core busy ($(nproc) busy loops)"
printf '%-18s %-7s %8s %8s %8s %6s\n' program host min median max docked
busy=()
for _ in $(seq "$(nproc)"); do
    (while :; do :; done) &
    busy+=($!)
done
pids+=("${busy[@]}")
dock_times
kill "${busy[@]}" 2>/dev/null
wait "${busy[@]}" 2>/dev/null

cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s}'; }
wakeups() { awk '$1 == "voluntary_ctxt_switches:" {print $2}' "/proc/$1/task/$1/status" 2>/dev/null; }
field() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/status"; }
# Address space taken by the shared libraries a process mapped.
libs_mb() {
    local range _ path total=0
    while read -r range _ _ _ _ path; do
        [[ $path == *.so* ]] && total=$((total + 0x${range#*-} - 0x${range%-*}))
    done <"/proc/$1/maps"
    awk -v b="$total" 'BEGIN {printf "%.1f", b / 1048576}'
}
# Idle: everyone at once, docked in the tray of host $1.
idle_phase() {
    local host=$1 watcher="" programs=() before_cpu=() before_wake=() i pid ms rss
    if [ "$host" = sni ]; then
        [ "$bus" = yes ] || return 0
        "$work/dock-time" watch & watcher=$!
        sleep 0.5
    fi
    for i in "${!binaries[@]}"; do
        env $(own_env "$i") "${binaries[$i]}" >/dev/null 2>&1 &
        programs+=($!)
    done
    sleep 5
    for pid in "${programs[@]}"; do
        before_cpu+=("$(cpu_ns "$pid")"); before_wake+=("$(wakeups "$pid")")
    done
    sleep "$idle"
    echo
    echo "Idle, ${idle} s, all programs at once, host: $host"
    printf '%-18s %8s %8s %9s %12s %9s\n' program "RSS(MB)" threads "libs(MB)" "CPU(ms)" wake-ups
    for i in "${!programs[@]}"; do
        pid=${programs[$i]}
        if ! kill -0 "$pid" 2>/dev/null; then
            printf '%-18s exited\n' "${labels[$i]}"; continue
        fi
        ms=$(awk -v a="$(cpu_ns "$pid")" -v b="${before_cpu[$i]}" 'BEGIN {printf "%.1f", (a - b) / 1e6}')
        rss=$(awk -v kb="$(field "$pid" VmRSS)" 'BEGIN {printf "%.1f", kb / 1024}')
        printf '%-18s %8s %8s %9s %12s %9s\n' "${labels[$i]}" "$rss" "$(field "$pid" Threads)" \
            "$(libs_mb "$pid")" "$ms" "$(($(wakeups "$pid") - before_wake[i]))"
    done
    kill "${programs[@]}" $watcher 2>/dev/null
    wait "${programs[@]}" $watcher 2>/dev/null
    sleep 1
}
idle_phase xembed
idle_phase sni
echo
echo "bench: load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"
