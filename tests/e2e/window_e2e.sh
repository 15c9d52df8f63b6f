#!/bin/bash
# Runs the decoder in its own virtual X server and uses it as a person would,
# with the keyboard: opens the sample capture through the menu and the file
# dialog, opens a capture cut short and gets the error box, closes the box,
# opens the help window, and leaves through "Exit", which must end the program
# with exit code 0. Screenshots of each step are left in the output directory.
#
# usage: window_e2e.sh PROGRAM SAMPLE_CAPTURE OUTPUT_DIRECTORY
set -euo pipefail

program=$(realpath "$1")
sample=$(realpath "$2")
out=$(realpath "$3")

for tool in Xvfb xdotool import convert; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
xvfb=
app=
cleanup() {
  if [ -n "$app" ]; then kill "$app" 2>/dev/null || true; fi
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*"
  [ -n "${DISPLAY:-}" ] && import -window root "$out/e2e-failure.png" 2>/dev/null || true
  echo "--- program output"
  cat "$work/program.log" 2>/dev/null || true
  exit 1
}

# Waits up to $2 seconds for a visible window whose whole title matches the
# regular expression $1, and prints its id.
wait_for_window() {
  local pattern=$1 seconds=$2 id
  for ((i = 0; i < seconds * 10; i++)); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Waits up to $2 seconds until no visible window's title matches $1.
wait_for_no_window() {
  local pattern=$1 seconds=$2
  for ((i = 0; i < seconds * 10; i++)); do
    xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

program_alive() { kill -0 "$app" 2>/dev/null; }

# Mean brightness (0-255) of a w x h area at x,y of a screenshot.
brightness() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace Gray -format '%[fx:int(mean*255)]' info:
}

# Chooses "Open .KSS file", types `path` into the dialog and confirms it.
open_capture() {
  local path=$1 dialog=
  for attempt in 1 2; do
    xdotool windowfocus --sync "$main"
    xdotool key alt+f
    sleep 0.3
    xdotool key o
    # A menu that had not come up yet when O was pressed: close it, try again.
    dialog=$(wait_for_window '^Open$' 5) && break
    xdotool key Escape Escape
  done
  [ -n "$dialog" ] || fail "Alt+F, O did not bring up the file dialog"
  xdotool windowfocus --sync "$dialog"
  xdotool key ctrl+a
  xdotool type --delay 5 "$path"
  sleep 0.3
  xdotool key Return
  # A completion list that was open takes the first Return.
  if ! wait_for_no_window '^Open$' 2; then
    xdotool key Return
    wait_for_no_window '^Open$' 5 || fail "the file dialog did not close on Return"
  fi
}

# Each run gets a display of its own: Xvfb picks a free number and tells it.
: >"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for ((i = 0; i < 100; i++)); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=":$(head -n 1 "$work/display")"

# In a sanitizer build, the known false alarm of the X keyboard library is
# suppressed; everything else still counts.
if [ -n "${ASAN_OPTIONS+set}" ]; then
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}suppressions=$(dirname "$(realpath "$0")")/asan.supp"
fi

# The test's X server has no session bus beside it; saying so spares libdbus
# an attempt to start one for it.
export DBUS_SESSION_BUS_ADDRESS=disabled:

# Started from a directory of its own, which is where exports would go.
(cd "$work" && exec "$program") >"$work/program.log" 2>&1 &
app=$!

main=$(wait_for_window '^  KRVL2  beacon decoder    v1\.6     by  VEMLIK$' 30) || fail "the main window did not come up"
eval "$(xdotool getwindowgeometry --shell "$main")"
[ "$WIDTH" -eq 557 ] || fail "window is $WIDTH pixels wide, not 557"
menu_height=$((HEIGHT - 496))
((menu_height >= 10 && menu_height <= 40)) || fail "window is $HEIGHT pixels high: 496 and a menu bar expected"
[ "$X" -eq $(((1024 - WIDTH) / 2)) ] && [ "$Y" -eq $(((768 - HEIGHT) / 2)) ] ||
  fail "window at $X,$Y is not centred on the screen"
# A patch of sky in the picture, clear of every line.
sky_x=$((X + 436))
sky_y=$((Y + menu_height + 72))

import -window root "$out/e2e-idle.png"
idle=$(brightness "$out/e2e-idle.png" "$sky_x" "$sky_y" 40 16)
((idle < 100)) || fail "the idle display shows no picture (brightness $idle)"

open_capture "$sample"
sleep 0.5
program_alive || fail "the program ended while opening the sample capture"
import -window root "$out/e2e-loaded.png"
loaded=$(brightness "$out/e2e-loaded.png" "$sky_x" "$sky_y" 40 16)
((loaded > 150)) || fail "the picture is still shown after opening the sample (brightness $loaded)"
eval "$(xdotool getwindowgeometry --shell "$main")"
[ "$WIDTH" -eq 557 ] && [ "$HEIGHT" -eq $((496 + menu_height)) ] || fail "the window changed its size to ${WIDTH}x$HEIGHT"

# The sample cut off inside a frame, as a logger still writing leaves it.
head -c 700 "$sample" >"$work/cut.kss"
open_capture "$work/cut.kss"
box=$(wait_for_window '^krvl2-decoder$' 10) || fail "no error box for a capture cut short"
import -window root "$out/e2e-error.png"
xdotool windowfocus --sync "$box"
xdotool key Return
wait_for_no_window '^krvl2-decoder$' 5 || fail "the error box did not close on Return"
program_alive || fail "the program ended after the error box"

# Exit ends the program even while the help window is open.
xdotool windowfocus --sync "$main"
xdotool key alt+h
wait_for_window '^ Help$' 10 >/dev/null || fail "Alt+H did not show the help window"
xdotool windowfocus --sync "$main"
xdotool key alt+f
sleep 0.3
xdotool key e
for ((i = 0; i < 100; i++)); do
  program_alive || break
  sleep 0.1
done
program_alive && fail "Exit did not end the program"
status=0
wait "$app" || status=$?
app=
[ "$status" -eq 0 ] || fail "the program ended with exit code $status"
echo "passed; screenshots in $out"
