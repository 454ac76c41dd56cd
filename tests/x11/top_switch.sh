#!/usr/bin/env bash
# What a user sees of the main form's scene: the switch at the top centre with "电脑桌面" dimmed, the
# URL label at the bottom right; the pointer over the switch is over our window, a click on
# "Marovia" dims it instead, and a click back on "电脑桌面" leaves the switch drawn as at first.
source "$(dirname "$0")/lib.sh"

start_program
sleep 0.5
width=$(xwininfo -id "$main_window" | sed -n 's/.*Width: //p')
height=$(xwininfo -id "$main_window" | sed -n 's/.*Height: //p')
centre=$((width / 2))
# Segments: "电脑桌面" spans x 10..100 and "Marovia" 100..190 of the 203-wide switch, y 4..26.
left_segment_x=$((centre - 101 + 55))
right_segment_x=$((centre - 101 + 145))

under=$(pointer_window "$right_segment_x" 15)
check "the pointer over the switch is over our window" is_ours "$under"
under=$(pointer_window "$centre" $((height / 2)))
check "the pointer over the empty middle is not" not_ours "$under"

# The switch's gradient is blue; the disabled segment is drawn at 0.8 opacity over the desktop.
read -r r g b <<<"$(pixel "$right_segment_x" 8)"
check "the enabled segment is drawn in the style's blue ($r $g $b)" test "$b" -gt "$r"
dim_before=$(brightness "$left_segment_x" 20)
bright_before=$(brightness "$right_segment_x" 20)
# The switch's pixels, both segments and a little around them, as one checksum.
switch_pixels() {
  import -window root -crop "188x27+$((centre - 101 + 6))+1" -depth 8 rgb:- | md5sum | cut -d' ' -f1
}
# Printed once two looks 0.3 s apart agree: no animation of the switch runs any more.
settled_switch_pixels() {
  local first
  first=$(switch_pixels)
  sleep 0.3
  [ "$(switch_pixels)" = "$first" ] && echo "$first"
}
switch_at_start=$(wait_until 5 settled_switch_pixels)

# The label's white text lies in the bottom-right 188 x 23 corner.
import -window root -crop "188x23+$((width - 188))+$((height - 23))" "$install/label.png"
white=$(convert "$install/label.png" -fuzz 10% -fill black +opaque white -fill white -opaque white -format '%[fx:mean*w*h]' info:)
check "the URL label draws white text at the bottom right ($white white pixels)" test "${white%.*}" -gt 30

xdotool mousemove "$right_segment_x" 15 click 1
sleep 0.5
xdotool mousemove "$centre" $((height / 2))
sleep 0.4
dim_after=$(brightness "$right_segment_x" 20)
bright_after=$(brightness "$left_segment_x" 20)
check "after the click \"Marovia\" is dimmed ($bright_before -> $dim_after)" test "$dim_after" -ne "$bright_before"
check "and \"电脑桌面\" is enabled ($dim_before -> $bright_after)" test "$bright_after" -ne "$dim_before"

# Back with a click on "电脑桌面": once the looks' animations end, the switch is drawn as at the
# start, the clicked segments neither darker nor lighter; and so after a hover over "Marovia".
as_at_start() { [ "$(switch_pixels)" = "$switch_at_start" ]; }
xdotool mousemove "$left_segment_x" 15 click 1
xdotool mousemove "$centre" $((height / 2))
check "after the round trip the switch looks as at the start" wait_until 5 as_at_start
echo "  \"Marovia\" $bright_before -> $(brightness "$right_segment_x" 20), \"电脑桌面\" $dim_before -> $(brightness "$left_segment_x" 20)"
xdotool mousemove "$right_segment_x" 15
sleep 0.4
xdotool mousemove "$centre" $((height / 2))
check "and after a hover over \"Marovia\" too" wait_until 5 as_at_start
finish
