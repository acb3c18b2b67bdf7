#!/usr/bin/env bash
# Smoke test of the real window: starts a private Xvfb, runs `plexon demo` through SDL2, clicks
# Hello and then Close with xdotool, and checks the program's report and its exit status.
# Exit 77 when Xvfb or xdotool is missing.
set -u
binary=$1
for tool in Xvfb xdotool xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool missing"; exit 77; }
done
work=$(mktemp -d)
xvfb_pid=
plexon_pid=
cleanup() {
    [ -n "$plexon_pid" ] && kill "$plexon_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$work/out" "$work/err" 2>/dev/null; exit 1; }

# A display number nobody uses.
for n in $(seq 70 99); do [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }; done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
DISPLAY=$display xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"
export DISPLAY=$display

# No browser and no pointer hover in the first frame.
xdotool mousemove 0 0
SDL_VIDEODRIVER=x11 PLEXON_BACKEND=sdl ASAN_OPTIONS=detect_leaks=0 "$binary" demo >"$work/out" 2>"$work/err" &
plexon_pid=$!
wid=
for _ in $(seq 250); do
    wid=$(xdotool search --onlyvisible --name '^Plexon controls$' 2>/dev/null | head -1)
    [ -n "$wid" ] && break
    sleep 0.02
done
[ -n "$wid" ] || fail "the demo window did not appear"
sleep 0.2
# Client coordinates of the buttons: Hello at 246,310 and Close at 326,310, both 75 x 25.
xdotool mousemove --window "$wid" $((246 + 37)) $((310 + 12)) click 1
sleep 0.2
xdotool mousemove --window "$wid" $((326 + 37)) $((310 + 12)) click 1
for _ in $(seq 250); do kill -0 "$plexon_pid" 2>/dev/null || break; sleep 0.02; done
kill -0 "$plexon_pid" 2>/dev/null && fail "the demo did not exit after Close"
wait "$plexon_pid"
status=$?
plexon_pid=
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$(cat "$work/out")" = $'Hello clicked\nClose clicked' ] || fail "unexpected report"
echo "passed"
