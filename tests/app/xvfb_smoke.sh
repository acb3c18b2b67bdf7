#!/usr/bin/env bash
# Smoke test of the real window on a desktop as users have it: a private Xvfb with the openbox window
# manager. Runs `plexon demo` through SDL2, clicks Hello and then Close with xdotool, and checks the
# program's report and its exit status. Then opens the main window (`plexon` without arguments), checks
# that Start turns hot under the mouse, welds the example icons through scripted chooser answers (the
# first taken by Alt+B) with Alt+S, opens the output folder from the report's Open Folder, leaves with
# Exit and checks the strips and config.ini; then, at scale 2 and after the window is moved, Start's
# hint and the state-count list must show where the window really is; then a drop from a second X
# client must select the dropped folder's icons and name the files left out; then Esc must stop a long
# weld with every strip whole; then the footer's link must show the hand cursor (read through the
# cursor probe, the optional second argument) and a click on it must hand its address to the opener;
# last, a terminate signal must end the window program.
# Last, native Wayland in a nested Weston, with DISPLAY unset: the main window with a combo list drawn
# inside it, Options, About, the message, our own chooser and the demo; our title bar moves and closes
# the main window.
# Every step waits for what it needs (a window shown, a pixel drawn, a file written, a window gone),
# never a fixed time. Exit 77 when Xvfb, openbox, xdotool or python3-xlib is missing; without Weston
# the Wayland part is skipped.
set -u
binary=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")  # absolute: the Wayland runs start in another folder
probe=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb openbox xdotool xdpyinfo xprop xwininfo convert; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool missing"; exit 77; }
done
python=
for p in python3 /usr/bin/python3; do "$p" -c 'import Xlib, PIL' 2>/dev/null && { python=$p; break; }; done
[ -n "$python" ] || { echo "skipped: python3-xlib or python3-pil missing"; exit 77; }
work=$(mktemp -d)
xvfb_pid=
wm_pid=
plexon_pid=
weston_pid=
cleanup() {
    [ -n "$plexon_pid" ] && kill "$plexon_pid" 2>/dev/null
    [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$work/out" "$work/err" 2>/dev/null; exit 1; }

# A display number nobody uses.
for n in $(seq 70 99); do [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }; done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 500); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.02; done
DISPLAY=$display xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start"
export DISPLAY=$display
# The window manager is up once it names its check window on the root.
openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 500); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.02; done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || fail "openbox did not start"

# The id of the visible window titled exactly $1, empty when none appears within ten seconds.
find_window() {
    local id=
    for _ in $(seq 500); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
        [ -n "$id" ] && break
        sleep 0.02
    done
    echo "$id"
}
# Waits up to ten seconds until no visible window is titled exactly $1; fails naming $2.
await_gone() {
    for _ in $(seq 500); do xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0; sleep 0.02; done
    fail "$2"
}
# Waits up to ten seconds until file $1 is not empty; fails naming $2.
await_file() {
    for _ in $(seq 500); do [ -s "$1" ] && return 0; sleep 0.02; done
    fail "$2"
}
await_x() { timeout 20 "$python" "$here/await_x.py" "$@"; }
# Where the client area of window $1 is on the screen (the window manager's frame around it).
client_origin() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} END {print x, y}'
}
# Waits up to $1 times 20 ms for the program to end; fails with $2 when it is still running.
# Returns the program's exit status.
await_exit() {
    local code
    for _ in $(seq "$1"); do kill -0 "$plexon_pid" 2>/dev/null || break; sleep 0.02; done
    kill -0 "$plexon_pid" 2>/dev/null && fail "$2"
    wait "$plexon_pid"
    code=$?
    plexon_pid=
    return "$code"
}
for name in main options about demo; do
    ASAN_OPTIONS=detect_leaks=0 "$binary" screenshot --window "$name" -o "$work/$name.bmp" ||
        fail "no screenshot of the $name window"
done

# No browser and no pointer hover in the first frame.
xdotool mousemove 0 0
SDL_VIDEODRIVER=x11 PLEXON_BACKEND=sdl ASAN_OPTIONS=detect_leaks=0 "$binary" demo >"$work/out" 2>"$work/err" &
plexon_pid=$!
wid=$(find_window "Plexon controls")
[ -n "$wid" ] || fail "the demo window did not appear"
await_x frame "$wid" "$work/demo.bmp" 20 || fail "the demo window did not draw"
# Client coordinates of the buttons: Hello at 246,310 and Close at 326,310, both 75 x 25.
xdotool mousemove --window "$wid" $((246 + 37)) $((310 + 12)) click 1
xdotool mousemove --window "$wid" $((326 + 37)) $((310 + 12)) click 1
await_exit 500 "the demo did not exit after Close" || fail "exit status $?"
[ "$(cat "$work/out")" = $'Hello clicked\nClose clicked' ] || fail "unexpected report"

# The main window: the example icons in the order the chooser gives them, strips into strips/.
icons=$(cd "$here/../../examples/icons" && pwd)
mkdir "$work/strips"
printf '%s\n' "$(ls "$icons"/*.bmp | sort | paste -sd '\t')" "$work/strips" >"$work/answers"
# The opener found first on PATH records its arguments instead of opening anything.
mkdir "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/opened"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
xdotool mousemove 0 0
PATH=$work/bin:$PATH PLEXON_CHOOSER_SCRIPT=$work/answers PLEXON_CONFIG=$work/config.ini SDL_VIDEODRIVER=x11 \
    PLEXON_BACKEND=sdl ASAN_OPTIONS=detect_leaks=0 "$binary" >"$work/out.log" 2>"$work/err" &
plexon_pid=$!
wid=$(find_window "Tesvo Plexon")
[ -n "$wid" ] || fail "the main window did not appear"
await_x frame "$wid" "$work/main.bmp" 20 || fail "the main window did not draw"
# The mouse over Start (4, 4, 77 x 33) turns its face hot: RGB(198, 211, 239) inside a blue frame.
xdotool mousemove --window "$wid" $((4 + 38)) $((4 + 16))
await_x pixel "$wid" 6 6 C6D3EF || fail "Start is not hot under the mouse"
# Alt+B is section 1's Browse and takes one chooser answer, not two (the strips folder is the next);
# section 4 Browse at 8+312, 256+40; Start at 4, 4 on the command bar.
xdotool windowactivate --sync "$wid" key alt+b
xdotool mousemove --window "$wid" $((8 + 312 + 37)) $((256 + 40 + 12)) click 1
# Alt+S is Start; the report's Open Folder (Alt+F) hands the output folder to the opener.
xdotool windowactivate --sync "$wid" key alt+s
info=$(find_window "Information")
[ -n "$info" ] || fail "no completion message"
xdotool windowactivate --sync "$info" key alt+f
await_file "$work/opened" "Open Folder did not reach the opener"
[ "$(cat "$work/opened")" = "$work/strips/" ] || fail "Open Folder did not hand on the output folder"
rm -f "$work/opened"
await_gone Information "the report stayed after Open Folder"
# Exit at 244, 4 on the command bar.
xdotool mousemove --window "$wid" $((244 + 38)) $((4 + 16)) click 1
await_exit 500 "the main window did not close after Exit" || fail "main window exit status $?"
for name in Copy Cut; do [ -s "$work/strips/$name.bmp" ] || fail "no strip $name.bmp"; done
grep -q '^\[FileSuffix\]' "$work/config.ini" || fail "config.ini has no FileSuffix section"
grep -q '^HotFile=h' "$work/config.ini" || fail "config.ini has no HotFile"

# `plexon FOLDER` with PLEXON_SCALE=2.5: rounded to 3 with a note, and lowered to 2, at which the
# window fits the 1024 x 768 screen; the folder's icons are selected, the window is twice its size and
# clicks at doubled positions reach the same controls.
mkdir "$work/strips2"
printf '%s\n' "$work/strips2" >"$work/answers2"
xdotool mousemove 0 0
PLEXON_SCALE=2.5 PLEXON_CHOOSER_SCRIPT=$work/answers2 PLEXON_CONFIG=$work/config.ini SDL_VIDEODRIVER=x11 \
    PLEXON_BACKEND=sdl ASAN_OPTIONS=detect_leaks=0 "$binary" "$icons" >"$work/out.log" 2>"$work/err" &
plexon_pid=$!
wid=$(find_window "Tesvo Plexon")
[ -n "$wid" ] || fail "the main window did not appear for a folder"
await_x frame "$wid" "$work/main.bmp" 20 2 || fail "the main window did not draw at scale 2"
size=$(xdotool getwindowgeometry "$wid" | sed -n 's/.*Geometry: //p')
[ "$size" = "826x706" ] || fail "window at scale 2 is $size"
grep -q '^plexon: PLEXON_SCALE=2.5 is not a whole number; taken as 3$' "$work/err" ||
    fail "no note on the rounded scale"
# Moved by the window manager's frame: Start's hint shows 40 screen pixels (20 of ours) below the
# pointer and stays 2.5 s; the state-count list (248, 152, 145 x 21) opens right under its box.
xdotool windowmove --sync "$wid" 37 25
read -r ox oy < <(client_origin "$wid")
[ "$ox $oy" != "0 0" ] || fail "no place for the moved window"
xdotool mousemove --window "$wid" $((2 * (4 + 38))) $((2 * (4 + 16)))
eval "$(xdotool getmouselocation --shell)"
read -r hx hy hw hh shown < <(await_x popup-time) || fail "no hint for Start after the move"
[ $((hx - X)) -ge -1 ] && [ $((hx - X)) -le 1 ] && [ $((hy - Y - 40)) -ge -1 ] && [ $((hy - Y - 40)) -le 1 ] ||
    fail "Start's hint at $hx, $hy ($hw x $hh) for the pointer at $X, $Y"
[ "$shown" -ge 2400 ] && [ "$shown" -le 4000 ] || fail "Start's hint showed $shown ms"
xdotool mousemove --window "$wid" $((2 * (248 + 70))) $((2 * (152 + 10))) click 1
read -r lx ly lw lh < <(await_x popup) || fail "no list for the state count after the move"
[ "$lx $ly $lw" = "$((ox + 2 * 248)) $((oy + 2 * (152 + 21))) 290" ] ||
    fail "the state-count list at $lx, $ly ($lw x $lh), its box's window at $ox, $oy"
xdotool windowactivate --sync "$wid" key Escape
await_x no-popup || fail "Esc did not close the list"
xdotool mousemove --window "$wid" $((2 * (8 + 312 + 37))) $((2 * (256 + 40 + 12))) click 1
xdotool mousemove --window "$wid" $((2 * (4 + 38))) $((2 * (4 + 16))) click 1
info=$(find_window "Information")
[ -n "$info" ] || fail "no completion message at scale 2"
for name in Copy Cut; do [ -s "$work/strips2/$name.bmp" ] || fail "no strip $name.bmp from the folder"; done
# Closing was checked above; here the program is ended without more window traffic.
kill -TERM "$plexon_pid"
await_exit 250 "the scaled main window ignored SIGTERM"

# A file manager's drop (an XDND conversation from a second client) of the icons' folder with two
# files the window does not take: the icons are selected, the two are named in a message, and Start
# writes the strips into the folder section 4's Browse gives.
mkdir "$work/strips3" "$work/other"
touch "$work/other/a.txt" "$work/other/b.jpg"
printf '%s\n' "$work/strips3" >"$work/answers3"
xdotool mousemove 0 0
PLEXON_CHOOSER_SCRIPT=$work/answers3 PLEXON_CONFIG=$work/drop.ini SDL_VIDEODRIVER=x11 PLEXON_BACKEND=sdl \
    ASAN_OPTIONS=detect_leaks=0 "$binary" >"$work/out.log" 2>"$work/err" &
plexon_pid=$!
wid=$(find_window "Tesvo Plexon")
[ -n "$wid" ] || fail "the main window did not appear for the drop"
await_x frame "$wid" "$work/main.bmp" 20 || fail "the main window did not draw for the drop"
read -r ox oy < <(client_origin "$wid")
timeout 10 "$python" "$here/xdnd_drop.py" "$wid" $((ox + 200)) $((oy + 150)) "$icons" \
    "$work/other/a.txt" "$work/other/b.jpg" || fail "the drop was not taken"
info=$(find_window "Information")
[ -n "$info" ] || fail "no message names the files left out of the drop"
xdotool windowactivate --sync "$info" key Return
await_gone Information "the message on the drop stayed after Return"
xdotool mousemove --window "$wid" $((8 + 312 + 37)) $((256 + 40 + 12)) click 1
xdotool mousemove --window "$wid" $((4 + 38)) $((4 + 16)) click 1
info=$(find_window "Information")
[ -n "$info" ] || fail "no completion message after the drop"
for name in Copy Cut; do [ -s "$work/strips3/$name.bmp" ] || fail "no strip $name.bmp from the drop"; done
kill -TERM "$plexon_pid"
await_exit 250 "the main window ignored SIGTERM after the drop"

# Esc stops a long weld between strips: every strip written is whole, no temporary file stays, and
# the report comes as information.
mkdir "$work/many" "$work/stopped"
python3 - "$icons" "$work/many" <<'PY'
import os, sys
icons, many = sys.argv[1], sys.argv[2]
for i in range(6000):
    for state in ("", "_h", "_d"):
        os.symlink(os.path.join(icons, "Copy" + state + ".bmp"), os.path.join(many, "I%d%s.bmp" % (i, state)))
PY
printf '%s\n' "$work/stopped" >"$work/answers-stopped"
xdotool mousemove 0 0
PLEXON_CHOOSER_SCRIPT=$work/answers-stopped PLEXON_CONFIG=$work/many.ini SDL_VIDEODRIVER=x11 PLEXON_BACKEND=sdl \
    ASAN_OPTIONS=detect_leaks=0 "$binary" "$work/many" >"$work/out.log" 2>"$work/err" &
plexon_pid=$!
wid=$(find_window "Tesvo Plexon")
[ -n "$wid" ] || fail "the main window did not appear for the long weld"
await_x frame "$wid" "$work/main.bmp" 20 || fail "the main window did not draw for the long weld"
xdotool mousemove --window "$wid" $((8 + 312 + 37)) $((256 + 40 + 12)) click 1
xdotool windowactivate --sync "$wid" key alt+s
for _ in $(seq 1000); do [ -n "$(ls "$work/stopped")" ] && break; sleep 0.01; done
xdotool windowactivate --sync "$wid" key Escape
info=$(find_window "Information")
[ -n "$info" ] || fail "no report after Esc"
written=$(ls "$work/stopped" | wc -l)
[ "$written" -lt 6000 ] || fail "Esc did not stop the weld"
[ -z "$(ls -A "$work/stopped" | grep '^\.')" ] || fail "a temporary file stayed after Esc"
[ "$(stat -c %s "$work"/stopped/*.bmp | sort -u | wc -l)" = 1 ] || fail "a strip is not whole after Esc"
kill -TERM "$plexon_pid"
await_exit 250 "the main window ignored SIGTERM after Esc"

# The footer link goes to the opener too.
xdotool mousemove 0 0
PATH=$work/bin:$PATH SDL_VIDEODRIVER=x11 PLEXON_BACKEND=sdl PLEXON_CONFIG=$work/config.ini \
    ASAN_OPTIONS=detect_leaks=0 "$binary" >"$work/out.log" 2>"$work/err" &
plexon_pid=$!
wid=$(find_window "Tesvo Plexon")
[ -n "$wid" ] || fail "the main window did not appear again"
await_x frame "$wid" "$work/main.bmp" 20 || fail "the main window did not draw again"
# The footer label sits at 36, 336 (361 x 17); its link ends the line, "Tesvo" starts it.
xdotool mousemove --window "$wid" $((36 + 20)) $((336 + 8))
if [ -n "$probe" ]; then
    plain=$("$probe") || fail "the cursor probe failed"
    xdotool mousemove --window "$wid" $((36 + 321)) $((336 + 8))
    hand=$plain
    for _ in $(seq 500); do
        hand=$("$probe") || fail "the cursor probe failed"
        [ "$plain" != "$hand" ] && break
        sleep 0.02
    done
    [ "$plain" != "$hand" ] || fail "the cursor did not change over the footer link ($plain)"
fi
link="https://www.tesvo.example/"
xdotool mousemove --window "$wid" $((36 + 321)) $((336 + 8)) click 1
await_file "$work/opened" "the footer link did not reach the opener"
[ "$(cat "$work/opened")" = "$link" ] || fail "the footer link handed on $(cat "$work/opened")"
# A click on plain text opens nothing: the next click on the link is the second line.
xdotool mousemove --window "$wid" $((36 + 20)) $((336 + 8)) click 1
xdotool mousemove --window "$wid" $((36 + 321)) $((336 + 8)) click 1
for _ in $(seq 500); do [ "$(wc -l <"$work/opened")" -ge 2 ] && break; sleep 0.02; done
[ "$(cat "$work/opened")" = "$link"$'\n'"$link" ] || fail "a click on plain footer text opened something"

# A terminate signal ends the window program at once, as it ends any other program.
kill -TERM "$plexon_pid"
await_exit 250 "the main window ignored SIGTERM"

# Native Wayland: a Weston nested in this Xvfb, the program with DISPLAY unset (so no Xwayland) and no
# chooser program on PATH. Weston places windows where it likes: a window is found by its picture, the
# screenshot of the same window made without a display. Weston takes the pointer only once it has
# entered its window, so the pointer starts outside it; it draws the pointer into its output, so the
# pointer rests in a corner while windows are looked for.
if ! command -v weston >/dev/null; then
    echo "passed (the Wayland part skipped: weston missing)"
    exit 0
fi
mkdir -m 700 "$work/xdg"
mkdir "$work/strips4"
printf '%s\n' "$(ls "$icons"/*.bmp | sort | paste -sd '\t')" "$work/strips4" >"$work/answers4"
# Weston's own window needs no window manager around it.
kill "$wm_pid"
wait "$wm_pid" 2>/dev/null
wm_pid=
xdotool mousemove 1020 766
XDG_RUNTIME_DIR=$work/xdg weston --no-config --backend=x11-backend.so --socket=plexon-smoke --width=1000 \
    --height=740 --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 500); do [ -S "$work/xdg/plexon-smoke" ] && break; sleep 0.02; done
[ -S "$work/xdg/plexon-smoke" ] || fail "Weston did not start: $(cat "$work/weston.log")"
# Starts the program on Wayland in the icons' folder; the arguments are settings and the command.
on_wayland() {
    env -C "$icons" -u DISPLAY PATH="$work/bin" XDG_RUNTIME_DIR="$work/xdg" WAYLAND_DISPLAY=plexon-smoke \
        SDL_VIDEODRIVER=wayland PLEXON_BACKEND=sdl ASAN_OPTIONS=detect_leaks=0 "$@" >"$work/out.log" 2>"$work/err" &
    plexon_pid=$!
}
# Sets x and y to where the screenshot $1 shows (matched at its rows $2 and $2 + 16); fails naming $3.
locate() {
    x= y=
    xdotool mousemove 998 738
    read -r x y < <(timeout 20 "$python" "$here/find_frame.py" "$work/$1.bmp" "$2")
    [ -n "${y:-}" ] || fail "the $3 did not appear on Wayland"
}
keys() { xdotool windowfocus --sync "$weston_window" key "$@"; }
# Makes sure the window whose client area is at ($1, $2) has the keyboard before keys go to it: our
# title bar shows it in the active caption colour. Weston does not always give the keyboard to a new
# window; a click into the window takes it, as a user's does.
activate() {
    for _ in $(seq 20); do
        timeout 20 "$python" "$here/await_x.py" pixel root "$1" $(($2 - 20)) 000080 0.5 2>/dev/null && return 0
        xdotool mousemove $(($1 + 1)) $(($2 + 1)) click 1
    done
    fail "the window at $1, $2 never got the keyboard on Wayland"
}
# Waits until the window of screenshot $1 (matched at its rows $2 and $2 + 16) has gone; fails naming $3.
await_closed() {
    timeout 20 "$python" "$here/find_frame.py" "$work/$1.bmp" "$2" gone || fail "the $3 stayed on Wayland"
}
# Saves the screen as $1.png; `await_screen $1` then waits until a window appears or goes over it.
grab_screen() { "$python" "$here/screen.py" grab "$work/$1.png"; }
await_screen() { timeout 20 "$python" "$here/screen.py" await-change "$work/$1.png" 20000 || fail "$2"; }

# The main window: the state-count list opens inside it below its box (248, 152, 145 x 21), rows of 13
# pixels in a 1-pixel frame with the chosen "3 state images" highlighted, and "2 state images" is
# picked there. Options (Alt+O, Esc) and About (Alt+A, Return) appear and draw. The mouse picks section
# 1's Browse, Alt+R section 4's, the completion message takes Return, Exit ends the program and the
# settings keep the state count.
on_wayland PLEXON_CHOOSER_SCRIPT="$work/answers4" PLEXON_CONFIG="$work/wayland.ini" "$binary"
locate main 20 "main window"
weston_window=$(xdotool search --class weston | head -1)
xdotool mousemove $((x + 248 + 70)) $((y + 152 + 10)) click 1
column=
for _ in $(seq 100); do
    "$python" "$here/screen.py" grab "$work/list.png"
    column=$(convert "$work/list.png" -crop 1x41+$((x + 248 + 100))+$((y + 173)) -depth 8 txt:- |
        grep -o '#[0-9A-F]\{6\}' | uniq -c | awk '{printf "%s%s ", $1, $2}')
    [ "$column" = "1#000000 13#FFFFFF 13#000080 13#FFFFFF 1#000000 " ] && break
done
[ "$column" = "1#000000 13#FFFFFF 13#000080 13#FFFFFF 1#000000 " ] ||
    fail "the state-count list is not drawn inside the window ($column)"
xdotool mousemove $((x + 248 + 20)) $((y + 173 + 1 + 6)) click 1
main_at="$x $y"
activate "$x" "$y"
keys alt+o
locate options 10 "Options dialog"
activate "$x" "$y"
keys Escape
await_closed options 10 "Options dialog after Esc"
read -r x y <<<"$main_at"
activate "$x" "$y"
keys alt+a
locate about 10 "About window"
keys Return
await_closed about 10 "About window after Return"
read -r x y <<<"$main_at"
xdotool mousemove $((x + 8 + 312 + 37)) $((y + 48 + 40 + 12)) click 1
activate "$x" "$y"
keys alt+r
grab_screen report
xdotool mousemove $((x + 4 + 38)) $((y + 4 + 16)) click 1
await_screen report "no completion message on Wayland"
for name in Copy Cut; do [ -s "$work/strips4/$name.bmp" ] || fail "no strip $name.bmp on Wayland"; done
keys Return
await_screen report "the completion message stayed on Wayland"
xdotool mousemove $((x + 244 + 38)) $((y + 4 + 16)) click 1
await_exit 500 "the main window on Wayland did not close after Exit" || fail "Wayland exit status $?"
grep -q '^StateCount=2$' "$work/wayland.ini" || fail "the state count picked in the list on Wayland was not kept"

# Our own folder chooser from section 4's Browse opens in the working folder's parent with the folder
# chosen in its list; Up and Down choose it again, Return opens it and a second Return, with nothing
# chosen inside, takes the folder shown; the window is
# moved by our title bar and closed by its close box, and the settings keep the folder as the output
# folder.
on_wayland PLEXON_CONFIG="$work/chooser.ini" "$binary"
locate main 20 "main window for the chooser"
grab_screen chooser
xdotool mousemove $((x + 8 + 312 + 37)) $((y + 256 + 40 + 12)) click 1
await_screen chooser "the chooser did not appear on Wayland"
keys Up Down Return Return
await_screen chooser "the chooser stayed on Wayland"
# Our title bar (20 px above the client area) drags the window as the compositor's would: the button
# held on the caption, the pointer moved in steps until the window follows; its close box (16 x 14, 2
# px from the right) closes it as Exit does.
xdotool mousemove $((x + 200)) $((y - 10)) mousedown 1
moved=
for step in $(seq 60); do
    xdotool mousemove $((x + 200 - 2 * step)) $((y - 10 - step))
    [ $((step % 20)) = 0 ] || continue
    read -r nx ny < <(timeout 20 "$python" "$here/find_frame.py" "$work/main.bmp" 20)
    [ "${nx:-$x}" -lt "$x" ] && [ "${ny:-$y}" -lt "$y" ] && { moved=yes; break; }
done
xdotool mouseup 1
[ -n "$moved" ] || fail "dragging the title bar did not move the window on Wayland"
locate main 20 "main window after the drag"
xdotool mousemove $((x + 413 - 2 - 8)) $((y - 10)) click 1
await_exit 500 "the main window on Wayland did not close by its close box" || fail "exit status $?"
grep -qxF "OutputFolder=$icons/" "$work/chooser.ini" || fail "the chooser's folder on Wayland was not taken"

# The demo: Hello and then Close (246, 310 and 326, 310, both 75 x 25).
on_wayland "$binary" demo
locate demo 20 "demo window"
xdotool mousemove $((x + 246 + 37)) $((y + 310 + 12)) click 1
xdotool mousemove $((x + 326 + 37)) $((y + 310 + 12)) click 1
await_exit 500 "the demo on Wayland did not exit after Close" || fail "demo exit status $?"
[ "$(cat "$work/out.log")" = $'Hello clicked\nClose clicked' ] || fail "unexpected report of the demo on Wayland"
echo "passed"
