#!/usr/bin/env bash
# A screen reader's session with the real window: a private Xvfb, a private session bus with the
# accessibility bus launched on it, the program, and a11y_check.py reading and driving it over AT-SPI.
# Fails (never skips) when a tool is missing: scripts/setup installs them all.
set -u
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
launcher=
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && launcher=$candidate && break
done
[ -n "$launcher" ] || { echo "FAIL: at-spi-bus-launcher missing (at-spi2-core)"; exit 1; }
python=/usr/bin/python3  # the system Python, which has pyatspi (python3-pyatspi)
for tool in Xvfb xdpyinfo dbus-run-session dbus-send $python; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool missing"; exit 1; }
done
"$python" -c 'import pyatspi' 2>/dev/null || { echo "FAIL: python3-pyatspi missing"; exit 1; }
work=$(mktemp -d)
xvfb_pid=
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
for n in $(seq 100 140); do [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }; done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
export DISPLAY=$display
# No desktop's settings decide for us: the bridge is wanted.
unset NO_AT_BRIDGE
dbus-run-session -- bash -c '
    "$1" --launch-immediately >/dev/null 2>&1 &
    for _ in $(seq 200); do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
            string:org.a11y.Bus 2>/dev/null | grep -q "boolean true" && break
        sleep 0.05
    done
    "$5" "$2" "$3" "$4"
' session "$launcher" "$here/a11y_check.py" "$binary" "$work" "$python"
