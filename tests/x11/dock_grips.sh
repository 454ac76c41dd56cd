#!/usr/bin/env bash
# The dock on the real display: its corner grips take the mouse although the dock's picture is
# transparent there, and a drag on one resizes it; dragged to the top-left corner the row of icons
# above the shelf stays on the screen; a double click on the shelf brings it back to its place.
source "$(dirname "$0")/lib.sh"

write_plan  # three dock buttons: the dock is 68 × 3 + 80 = 284 wide
start_program
for _ in $(seq 100); do xprop -root _NET_WORKAREA | grep -q CARDINAL && break; sleep 0.05; done
workarea=$(xprop -root _NET_WORKAREA | sed 's/.*= //' | awk -F', ' '{print $3, $4}')
work_w=${workarea% *}
work_h=${workarea#* }
sleep 0.5

width=284
left=$(((work_w - width) / 2))
top=$((work_h - 55 - 20))
right=$((left + width))
bottom=$((top + 55))

# The installed right end is rounded: its bottom-right pixel is transparent.
corner_alpha=$(convert "$install/Images/DockPanelRight.png" -format '%[fx:int(255*p{24,54}.a)]' info:)
check "the dock picture's corner is transparent (alpha $corner_alpha)" test "$corner_alpha" -eq 0
under=$(pointer_window $((right - 1)) $((bottom - 1)))
check "the bottom-right grip takes the mouse (window $under)" is_ours "$under"
under=$(pointer_window $((right + 2)) $((bottom + 2)))
check "and reaches beyond the dock's corner (window $under)" is_ours "$under"
under=$(pointer_window $((left)) $((top)))
check "the top-left grip takes the mouse (window $under)" is_ours "$under"
# A transparent pixel of the same picture just beyond the grip still lets the mouse through.
beside_alpha=$(convert "$install/Images/DockPanelRight.png" -format '%[fx:int(255*p{19,53}.a)]' info:)
if [ "$beside_alpha" -eq 0 ]; then
  under=$(pointer_window $((right - 6)) $((bottom - 2)))
  check "beside the grip the transparent corner lets the mouse through (window $under)" not_ours "$under"
fi

# Pull the bottom-right grip 50 pixels to the right: the dock grows by 50 and centres again, so it
# now reaches 25 pixels further left.
under=$(pointer_window $((left - 15)) $((top + 30)))
check "left of the dock lies the desktop before the resize" not_ours "$under"
xdotool mousemove "$right" "$bottom" mousedown 1
sleep 0.1
for step in 10 20 30 40 50; do xdotool mousemove $((right + step)) "$bottom"; sleep 0.05; done
xdotool mouseup 1
sleep 0.3
under=$(pointer_window $((left - 15)) $((top + 30)))
check "the resized dock reaches 25 pixels further left (window $under)" is_ours "$under"
width=$((width + 50))
left=$(((work_w - width) / 2))

# Drag the shelf (right of the buttons) far up and to the left.
grab_x=$((left + width - 15))
grab_y=$((top + 40))
xdotool mousemove "$grab_x" "$grab_y" mousedown 1
sleep 0.1
for step in 1 2 3 4 5; do
  x=$((grab_x - step * 400)); y=$((grab_y - step * 250))
  xdotool mousemove $((x < 0 ? 0 : x)) $((y < 0 ? 0 : y)); sleep 0.05
done
xdotool mouseup 1
sleep 0.3
# The shelf stops 30 pixels below the top: the first icon's round picture (radius 20) shows whole,
# its centre at (50 + 32, 30 − 30 + 32); held at the top instead, the centre would be at y 2.
read -r r g b <<<"$(pixel 82 32)"
check "the first icon shows at the top-left corner ($r $g $b)" test "$r" -gt 150 -a "$g" -lt 140
read -r r g b <<<"$(pixel 82 15)"
check "and its upper part too ($r $g $b)" test "$r" -gt 150 -a "$g" -lt 140

# A double click on the shelf puts the dock back at the bottom centre.
xdotool mousemove $((width - 15)) $((30 + 40))
sleep 0.1
xdotool click --repeat 2 --delay 80 1
sleep 0.5
read -r r g b <<<"$(pixel $((left + 150)) $((top + 3)))"
check "a double click on the shelf brings the dock home ($r $g $b)" test "$r" -gt 150 -a "$g" -lt 140
under=$(pointer_window 82 32)
check "nothing is left at the top-left corner (window $under)" not_ours "$under"
finish
