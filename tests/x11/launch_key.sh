#!/usr/bin/env bash
# The launch key from the keyboard of the display: Super+Space (or Ctrl+Alt+Space where Super+Space
# is held) slides the desktop panel in, pinyin initials typed on the keyboard find a Chinese name,
# Return starts it. A click into another program ends a search as Escape does, and what is typed
# next goes to that program.
source "$(dirname "$0")/lib.sh"

plan="$install/Data/默认方案"
mkdir -p "$plan"
entries=""
for name in 文件管理 记事本 计算器; do
  printf '#!/bin/sh\ntouch "%s/launched-%s"\n' "$install" "$name" >"$install/run-$name.sh"
  chmod +x "$install/run-$name.sh"
  entries+="<MVButton Name=\"$name\" Place=\"2\" IsRunAsk=\"false\" FileName=\"$install/run-$name.sh\" CmdLine=\"\" Image=\"\"/>"
done
printf '<?xml version="1.0"?>\n<Desktop><MVButtons>%s</MVButtons></Desktop>' "$entries" >"$plan/Desktop.xml"

start_program
sleep 0.5
width=$(xwininfo -id "$main_window" | sed -n 's/.*Width: //p')
height=$(xwininfo -id "$main_window" | sed -n 's/.*Height: //p')
right_segment_x=$((width / 2 - 101 + 145))  # "Marovia" on the switch, enabled while the panel is out
switch_out=$(brightness "$right_segment_x" 20)
middle_out=$(brightness $((width / 2)) $((height / 2)))
differs_from() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" != 0 ]; }
same_as() { ! differs_from "$1" "$2"; }
column_shot() { import -window root -crop "100x300+0+150" -depth 8 "$1"; }  # the desktop buttons
column_differs_from() { column_shot "$install/column-now.png"; differs_from "$install/column-now.png" "$1"; }
column_settled() {  # waits for the panel to stop moving, then keeps its desktop buttons in a file
  column_shot "$1"
  for _ in $(seq 50); do
    sleep 0.1
    column_shot "$install/column-next.png"
    same_as "$1" "$install/column-next.png" && return 0
    mv "$install/column-next.png" "$1"
  done
  return 1
}
middle_in() { [ "$(brightness $((width / 2)) $((height / 2)))" -ne "$middle_out" ]; }
left_edge_in() { [ "$(brightness 2 $((height / 2)))" -ne "$middle_out" ]; }  # the slide's last steps
# Shows the panel without touching the switch (a click would leave the switch looking pressed):
# a second start asks the running program to show itself.
show_by_second_start() { "$install/marovia" >/dev/null 2>&1 || true; wait_until 5 left_edge_in; }

# The desktop buttons as the panel shows them when no search is going on; the first search starts
# from the shown panel.
show_by_second_start && column_settled "$install/column-plain.png"

search() {  # search key-combination typed-text
  xdotool key "$1"
  sleep 1
  xdotool type --delay 60 "$2"
  sleep 0.3
  xdotool key Return
  for _ in $(seq 40); do ls "$install"/launched-* >/dev/null 2>&1 && return 0; sleep 0.05; done
  return 1
}
launch_key=super+space
if ! search super+space jsq; then
  xdotool key Escape
  sleep 1
  launch_key=ctrl+alt+space
  search ctrl+alt+space jsq || true
fi
check "the initials jsq started 计算器" test -e "$install/launched-计算器"
check "and nothing else" test "$(ls "$install" | grep -c '^launched-')" -eq 1

# --- a click into another program while searching ---
rm -f "$install"/launched-*
box_x=$(( (width - 420) / 2 ))
box_shot() { import -window root -crop "420x36+$box_x+40" -depth 8 "$1"; }
box_text_pixels() {  # the white text in the search box
  box_shot "$install/box.png"
  convert "$install/box.png" -fuzz 10% -fill black +opaque white -fill white -opaque white -format '%[fx:round(mean*w*h)]' info:
}
box_shows_text() { [ "$(box_text_pixels)" -gt 30 ]; }
box_gone() { [ "$(box_text_pixels)" -eq 0 ]; }
box_differs_from() { box_shot "$install/box-now.png"; differs_from "$install/box-now.png" "$1"; }
panel_out() {
  [ "$(brightness "$right_segment_x" 20)" -eq "$switch_out" ] &&
    [ "$(brightness $((width / 2)) $((height / 2)))" -eq "$middle_out" ]
}
wait_until 5 panel_out || true
keys="$install/keys.log"
other=$(open_typing_window 400x200+100+600 "$keys")
check "another program's window is open" test -n "$other"

xdotool key "$launch_key"
check "the launch key opens the search box" wait_until 5 box_shows_text
wait_until 5 left_edge_in && column_settled "$install/column-all.png"
box_shot "$install/box-empty.png"
middle_in=$(brightness $((width / 2)) $((height / 2)))
check "the panel is in ($middle_out -> $middle_in)" test "$middle_in" -ne "$middle_out"
xdotool type --delay 60 jsq
check "the typed filter shows in the box" wait_until 5 box_differs_from "$install/box-empty.png"
check "and the buttons that do not match are dimmed" wait_until 5 column_differs_from "$install/column-all.png"

box_shot "$install/box-filter.png"
xdotool mousemove $((width / 2)) $((height / 2)) click 1
sleep 0.5
box_shot "$install/box-after-own-click.png"
check "a click on the panel itself keeps the search" same_as "$install/box-after-own-click.png" "$install/box-filter.png"
xdotool mousemove 300 700 click 1
check "a click into the other program ends the search: the box goes" wait_until 5 box_gone
check "and the panel slides out as after Escape (the switch and the middle as before: $switch_out, $middle_out)" \
  wait_until 5 panel_out
focus_is_other() { [ "$(($(xdotool getwindowfocus)))" -eq "$((other))" ]; }
check "the other program has the keyboard focus" wait_until 5 focus_is_other
xdotool type --delay 60 jsq
xdotool key Return
typed() { grep -q "keysym 0x71, q" "$keys" && grep -q "keysym 0xff0d, Return" "$keys"; }
check "what is typed next reaches the other program" wait_until 5 typed
check "and not the search: the box stays away" box_gone
check "nothing was launched" test "$(ls "$install" | grep -c '^launched-' || true)" -eq 0
# Shown again, the panel has no trace of the search: no button dimmed, none chosen.
show_by_second_start && column_settled "$install/column-again.png"
check "shown again, the panel's buttons are as before the search" same_as "$install/column-again.png" "$install/column-plain.png"
finish
