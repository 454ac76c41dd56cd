#!/usr/bin/env bash
# With two device pixels per logical one (QT_SCALE_FACTOR=2) the form still covers the screen, the
# scene is drawn at the device's resolution (the switch twice as large, its text with device-pixel
# detail rather than enlarged), and the window's input shape lies on the drawn pixels.
source "$(dirname "$0")/lib.sh"
export QT_SCALE_FACTOR=2

start_program
sleep 1
width=$(xwininfo -id "$main_window" | sed -n 's/.*Width: //p')
height=$(xwininfo -id "$main_window" | sed -n 's/.*Height: //p')
screen_w=$(xwininfo -root | sed -n 's/.*Width: //p')
check "the form covers the screen's width in device pixels ($width of $screen_w)" test "$width" -eq "$screen_w"
centre=$((width / 2))
# In logical pixels "Marovia" spans x 100..190 of the 203-wide switch, y 4..26: twice that here.
right_segment_x=$((centre + 2 * (145 - 101)))
under=$(pointer_window "$right_segment_x" 30)
check "the pointer over the switch's \"Marovia\" is over our window" is_ours "$under"
under=$(pointer_window $((centre + 2 * 110)) 30)
check "right of the switch, twice its logical width away, it is not" not_ours "$under"
under=$(pointer_window "$centre" $((height / 2)))
check "the pointer over the empty middle is not" not_ours "$under"

# The switch: 406 x 60 device pixels at the top centre. Its text drawn at the device's resolution
# differs from itself halved and enlarged again; a frame drawn at logical size and enlarged would not.
xdotool mousemove 5 $((height / 2))
sleep 0.5
import -window root -crop "406x60+$((centre - 203))+0" +repage "$install/switch.png"
convert "$install/switch.png" -sample 50% -sample 200% "$install/switch-enlarged.png"
n=$(compare -metric AE "$install/switch.png" "$install/switch-enlarged.png" null: 2>&1 || true)
[[ "$n" =~ ^[0-9]+$ ]] || n=0
check "the switch is drawn with device-pixel detail ($n pixels differ from an enlarged copy)" test "$n" -gt 2000
# Its ink reaches out to twice the logical size: the blue segment is drawn near its far end.
read -r r g b <<<"$(pixel $((centre + 2 * 85)) 16)"
check "the enabled segment is drawn at twice its logical size ($r $g $b)" test "$b" -gt "$r"
finish
