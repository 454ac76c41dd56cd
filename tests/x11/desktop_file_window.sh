#!/usr/bin/env bash
# Without a compositing manager the desktop file window (a floating window of its own, drawn with a
# translucent body) shows the wallpaper through its body as it does with one, not black; moved
# elsewhere it blends over the wallpaper of its new place.
# Runs on a display of its own without a compositor, so that it can start one itself.
if [ "${1:-}" != --inner ]; then
  MAROVIA_NO_COMPOSITOR=1 exec "$(dirname "$0")/../../scripts/with-xvfb" bash "$0" --inner "$@"
fi
shift
source "$(dirname "$0")/lib.sh"

shot() { sleep 1; import -window root "$install/$1.png"; }
# The pixels of an area that differ by more than rounding between two shots.
differing() {  # differing shot shot area
  convert "$install/$1.png" -crop "$3" +repage "$install/a.png"
  convert "$install/$2.png" -crop "$3" +repage "$install/b.png"
  local n
  n=$(compare -metric AE -fuzz 2% "$install/a.png" "$install/b.png" null: 2>&1 || true)
  [[ "$n" =~ ^[0-9]+$ ]] || n=999999
  echo "$n"
}
mean_brightness() {  # mean_brightness shot area: 0 … 255
  convert "$install/$1.png" -crop "$2" +repage -colorspace Gray -format '%[fx:int(255*mean)]' info:
}
# The desktop file window: our window that is not the desktop-level one.
file_window_id() {
  local id
  for id in $(xdotool search --pid "$program_pid" 2>/dev/null); do
    [ "$((id))" -eq "$((main_window))" ] && continue
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
    xprop -id "$id" _NET_WM_NAME 2>/dev/null | grep -q 'Win桌面文件' && { echo "$id"; return 0; }
  done
  return 1
}
area_of() {  # the window's area as WxH+X+Y, inset by 40 pixels from its edges
  local info x y w h
  info=$(xwininfo -id "$1")
  x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info"); y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  w=$(sed -n 's/.*Width: //p' <<<"$info"); h=$(sed -n 's/.*Height: //p' <<<"$info")
  echo "$((w - 80))x$((h - 80))+$((x + 40))+$((y + 40))"
}

set_wallpaper "$install/wall.png"
start_program
width=$(xwininfo -id "$main_window" | sed -n 's/.*Width: //p')
# "Marovia" on the switch slides the desktop panel in; its first button, "Win桌面文件", opens the
# window at a double click; "电脑桌面" slides the panel out again, so that only the wallpaper lies
# under the window.
xdotool mousemove $((width / 2 - 101 + 145)) 15 click 1
sleep 1.5
xdotool mousemove 44 40 click --repeat 2 --delay 80 1
window=""
for _ in $(seq 100); do window=$(file_window_id || true); [ -n "$window" ] && break; sleep 0.05; done
check "the desktop file window opened" test -n "$window"
[ -n "$window" ] || { finish; exit 1; }
xdotool mousemove $((width / 2 - 101 + 55)) 15 click 1
sleep 1.5
xdotool mousemove 5 1000  # the pointer away from the window
area=$(area_of "$window")
shot alone
convert "$install/wall.png" -crop "$area" +repage "$install/wall-area.png"
wall=$(convert "$install/wall-area.png" -colorspace Gray -format '%[fx:int(255*mean)]' info:)
body=$(mean_brightness alone "$area")
# The body is #96363736 over the wallpaper: 59 % of a dark grey, 41 % of the wallpaper.
expected=$(( (150 * 54 + 105 * wall) / 255 ))
check "the body shows the wallpaper through it (mean $body, expected about $expected; black would be 32)" \
  test "$body" -ge $((expected - 8)) -a "$body" -le $((expected + 8))

xcompmgr >/dev/null 2>&1 & compositor_pid=$!; helper_pids+=($!)
shot composited
n=$(differing alone composited "$area")
check "with a compositor it looks the same ($n pixels differ)" test "$n" -le 20
kill "$compositor_pid"; wait "$compositor_pid" 2>/dev/null || true

xdotool windowmove "$window" 100 300
sleep 0.5
moved=$(area_of "$window")
check "the window moved ($moved)" test "$moved" != "$area"
shot moved
xcompmgr >/dev/null 2>&1 & compositor_pid=$!; helper_pids+=($!)
shot moved-composited
n=$(differing moved moved-composited "$moved")
check "moved, it blends over the wallpaper of its new place ($n pixels differ)" test "$n" -le 20
finish
