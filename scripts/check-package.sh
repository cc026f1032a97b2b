#!/usr/bin/env bash
# Builds the Debian package (scripts/package.sh: lintian included), installs it with apt-get,
# starts the installed program under Xvfb beside an XEmbed tray (trayer), waits until the tray has
# taken in its icon, opens its menu, saves screenshots (build/package/installed.png, the tray
# enlarged in installed-tray.png, the menu in installed-menu.png), ends the program and removes
# the package again.
#
#   scripts/check-package.sh               installs on this machine, and checks that man and bash
#                                          find the manual page and the completion; refuses while
#                                          quillmere-timer is installed, never to remove a user's
#   scripts/check-package.sh --clean-root  installs into a minimal Debian of this release
#                                          (debootstrap, kept in build/clean-root; as root, with
#                                          Debian's archive reachable), which shows the package's
#                                          dependencies are complete
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
root=""
if [ "${1:-}" = --clean-root ]; then
    [ -z "$sudo" ] || { echo "--clean-root needs root (debootstrap, mount, chroot)" >&2; exit 1; }
    root=$PWD/build/clean-root
elif dpkg-query -W -f='${Status}' quillmere-timer 2>/dev/null | grep -q "ok installed"; then
    echo "quillmere-timer is installed already: remove it first (apt-get remove quillmere-timer)" >&2
    exit 1
fi

scripts/package.sh | tee build/package-check.log
deb=$PWD/$(tail -n 1 build/package-check.log)
out=$PWD/build/package

# Runs a command on this machine, or inside the clean root.
inside() { if [ -n "$root" ]; then chroot "$root" "$@"; else "$@"; fi; }
apt() { DEBIAN_FRONTEND=noninteractive inside $sudo apt-get -y -qq "$@"; }
installed() { inside dpkg-query -W -f='${Status}' quillmere-timer 2>/dev/null | grep -q "ok installed"; }

if [ -n "$root" ] && [ ! -x "$root/usr/bin/apt-get" ]; then
    . /etc/os-release
    [ "$ID" = debian ] || { echo "--clean-root makes a Debian root, this is $ID" >&2; exit 1; }
    rm -rf "$root"
    debootstrap --variant=minbase "$VERSION_CODENAME" "$root" http://deb.debian.org/debian
fi
mkdir -p "$root/tmp"
work=$(mktemp -d -p "$root/tmp")
cleanup() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "${tray_pid:-}" ] && kill "$tray_pid" 2>/dev/null || true
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
    [ -n "${proc_mounted:-}" ] && umount "$root/proc"
    installed && apt purge --autoremove quillmere-timer >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; cat "$work/stderr" 2>/dev/null >&2 || true; exit 1; }

if [ -n "$root" ]; then
    # Qt finds its own executable through /proc.
    mount -t proc proc "$root/proc" && proc_mounted=yes
    cp "$deb" "$work/"
    apt update
    apt install "${work#"$root"}/$(basename "$deb")"
else
    apt install "$deb"
    # Where man and bash-completion look for them.
    [ "$(man -w quillmere-timer)" = /usr/share/man/man1/quillmere-timer.1.gz ] ||
        fail "man does not find the manual page"
    bash -c 'source /usr/share/bash-completion/bash_completion &&
             __load_completion quillmere-timer && complete -p quillmere-timer' |
        grep -q _quillmere_timer || fail "bash-completion does not load the completion"
fi

Xvfb -displayfd 3 -screen 0 1024x600x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"
trayer --edge top --align right --widthtype request --height 24 --tint 0x404040 \
    --transparent true --alpha 0 >/dev/null 2>&1 &
tray_pid=$!

# A first start for a new user, with no session bus: the item is an XEmbed tray icon. The X
# server's socket is an abstract one, which a chroot reaches too.
home=${work#"$root"}
mkdir -p "$work/home" "$work/runtime" && chmod 700 "$work/runtime"
start=(env HOME="$home/home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/runtime"
       DBUS_SESSION_BUS_ADDRESS="unix:path=$home/no-bus" QT_QPA_PLATFORM=xcb DISPLAY="$DISPLAY"
       /usr/bin/quillmere-timer)
[ -n "$root" ] && start=(chroot "$root" "${start[@]}")
# Started straight from this shell, so that its process id is the program's.
"${start[@]}" >"$work/stdout" 2>"$work/stderr" &
app_pid=$!

# Docked: one of its windows has been taken from the root window into the tray.
root_window=$(xwininfo -root | awk '/Window id:/ {print $4}')
docked=""
for _ in $(seq 150); do
    for window in $(xdotool search --pid "$app_pid" 2>/dev/null); do
        parent=$(xwininfo -children -id "$window" | awk '/Parent window id:/ {print $4}')
        [ -n "$parent" ] && [ "$parent" != "$root_window" ] && docked=$window
    done
    [ -n "$docked" ] && break
    kill -0 "$app_pid" 2>/dev/null || fail "the installed program ended at start"
    sleep 0.1
done
[ -n "$docked" ] || fail "the tray did not take in the icon"
sleep 1 # let the first paint of the icon reach the screen
import -window root "$out/installed.png"
convert "$out/installed.png" -gravity NorthEast -crop 160x32+0+0 +repage -scale 400% \
    "$out/installed-tray.png"

# A click on the icon opens the menu: one more window of the program's shows.
windows_before=$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l)
eval "$(xdotool getwindowgeometry --shell "$docked")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
for _ in $(seq 50); do
    [ "$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l)" -gt "$windows_before" ] &&
        break
    sleep 0.1
done
sleep 0.5
import -window root "$out/installed-menu.png"
[ "$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l)" -gt "$windows_before" ] ||
    fail "a click on the icon opened no menu"
xdotool key Escape

kill -TERM "$app_pid"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the installed program ended with status $status"
[ -s "$work/stderr" ] && { echo "the program said:"; cat "$work/stderr"; }

apt purge --autoremove quillmere-timer >/dev/null 2>&1
inside test ! -e /usr/bin/quillmere-timer || fail "removing the package left the program behind"
echo "installed $(basename "$deb")${root:+ in a clean root}, docked in the tray, menu opened," \
    "screenshots in $out, removed"
