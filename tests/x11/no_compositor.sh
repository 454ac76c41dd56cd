#!/usr/bin/env bash
# Without a compositing manager the overlay looks as it does with one: its frame is blended over the
# root's picture (set by feh) in the program. It follows a compositor starting and stopping and the
# wallpaper changing; transparent pixels still let the pointer through.
# Runs on a display of its own without a compositor, so that it can start and stop one itself.
if [ "${1:-}" != --inner ]; then
  MAROVIA_NO_COMPOSITOR=1 exec "$(dirname "$0")/../../scripts/with-xvfb" bash "$0" --inner "$@"
fi
shift
source "$(dirname "$0")/lib.sh"

shot() { sleep 1; import -window root "$install/$1.png"; }
# Pixels of the dock, the side bar and the switch that differ by more than rounding between two shots.
differing() {
  local area total=0 n
  for area in 760x200+580+880 80x300+1840+0 220x30+850+0; do
    convert "$install/$1.png" -crop "$area" +repage "$install/a.png"
    convert "$install/$2.png" -crop "$area" +repage "$install/b.png"
    n=$(compare -metric AE -fuzz 2% "$install/a.png" "$install/b.png" null: 2>&1 || true)
    [[ "$n" =~ ^[0-9]+$ ]] || n=999999
    total=$((total + n))
  done
  echo "$total"
}
compositor_pid=""
start_compositor() { xcompmgr >/dev/null 2>&1 & compositor_pid=$!; helper_pids+=($!); }
stop_compositor() { kill "$compositor_pid"; wait "$compositor_pid" 2>/dev/null || true; }

write_plan
set_wallpaper "$install/wall.png"
start_program
shot alone
under=$(pointer_window 700 600)
check "a transparent pixel is not ours" not_ours "$under"
under=$(pointer_window $((1920 - 21)) 20)
check "a side bar icon is" is_ours "$under"
xdotool mousemove 700 600
read -r r g b <<<"$(pixel 1899 20)"
check "the side bar icon is drawn in its colour over the wallpaper ($r $g $b)" test "$r" -gt 150 -a "$g" -lt 140

start_compositor
shot composited
n=$(differing alone composited)
check "with a compositor started it looks the same ($n pixels differ)" test "$n" -le 20
stop_compositor
shot alone-again
n=$(differing composited alone-again)
check "and again once it has stopped ($n pixels differ)" test "$n" -le 20

set_wallpaper "$install/wall2.png" '#802020' '#202080'
shot new-wallpaper
start_compositor
shot new-composited
n=$(differing new-wallpaper new-composited)
check "a new wallpaper is followed ($n pixels differ)" test "$n" -le 20
stop_compositor

# The desktop panel slides in over the work area. Covered by a window and uncovered again, it
# shows the same pixels: what the X server showed from its own copy of the sliding picture is in
# the frame buffer once the slide has ended.
xdotool mousemove $((1920 / 2 - 101 + 145)) 15 click 1
sleep 1.5
xdotool mousemove 700 600
shot panel-in
under=$(pointer_window 700 600)
check "the shown panel takes the pointer where the desktop let it through" is_ours "$under"
xmessage -geometry 600x400+300+300 cover & cover_pid=$!
sleep 1
kill "$cover_pid"; wait "$cover_pid" 2>/dev/null || true
shot panel-exposed
convert "$install/panel-in.png" -crop 600x400+300+300 +repage "$install/a.png"
convert "$install/panel-exposed.png" -crop 600x400+300+300 +repage "$install/b.png"
n=$(compare -metric AE "$install/a.png" "$install/b.png" null: 2>&1 || true)
check "the uncovered panel shows what it showed before ($n pixels differ)" test "$n" = 0
finish
