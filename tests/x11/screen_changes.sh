#!/usr/bin/env bash
# The form starts at the screen's (0, 0) with the work area's size even beside a top panel, and
# follows the work area and the screen when they change: a panel added, the screen resized by xrandr.
source "$(dirname "$0")/lib.sh"

geometry_is() {  # geometry_is x y width height: our window's place and size, waited for
  local g
  for _ in $(seq 60); do
    g=$(xwininfo -id "$main_window")
    grep -q "Absolute upper-left X:  $1\$" <<<"$g" && grep -q "Absolute upper-left Y:  $2\$" <<<"$g" &&
      grep -q "Width: $3\$" <<<"$g" && grep -q "Height: $4\$" <<<"$g" && return 0
    sleep 0.05
  done
  echo "$g" | grep -E "Absolute|Width|Height"
  return 1
}
panel() {  # panel edge size: a dock window reserving a strip at that edge (trayer)
  local before
  before=$(xprop -root _NET_WORKAREA)
  trayer --edge "$1" --align left --widthtype pixel --width 200 --height "$2" --SetDockType true \
    --SetPartialStrut true >/dev/null 2>&1 & helper_pids+=($!)
  for _ in $(seq 100); do [ "$(xprop -root _NET_WORKAREA)" != "$before" ] && break; sleep 0.05; done
}

write_plan
panel top 30
start_program
check "beside a top panel the form starts at (0, 0) with the work area's size" geometry_is 0 0 1920 1050

panel bottom 40
check "a panel added at the bottom shrinks it" geometry_is 0 0 1920 1010
sleep 0.5
# The dock keeps 20 pixels to the new bottom of the work area; its middle icon's centre stands 72
# pixels above it.
read -r r g b <<<"$(pixel 968 $((1010 - 72)))"
check "the dock followed the new bottom ($r $g $b)" test "$r" -gt 150 -a "$g" -lt 140

xrandr --newmode 1600x900 118.25 1600 1696 1856 2112 900 903 908 934 >/dev/null 2>&1 || true
xrandr --addmode screen 1600x900 2>/dev/null || true
if xrandr --output screen --mode 1600x900 2>/dev/null; then
  check "a smaller screen is followed" geometry_is 0 0 1600 830
  sleep 0.5
  under=$(pointer_window $((1600 - 21)) 20)
  check "the side bar moved to the new right edge" is_ours "$under"
  under=$(pointer_window $((1600 - 300)) 20)
  check "and nothing is left where it stood" not_ours "$under"
else
  echo "skipped: this X server cannot change its screen size"
fi
finish
