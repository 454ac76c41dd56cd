#!/usr/bin/env bash
# "Show desktop" shows the overlay: while _NET_SHOWING_DESKTOP is on the window stays mapped, drawn
# and clickable; ordinary windows shown again still cover it and it never comes above them.
source "$(dirname "$0")/lib.sh"

start_program
sleep 0.5
check "a desktop-type window" grep -q _NET_WM_WINDOW_TYPE_DESKTOP < <(xprop -id "$main_window" _NET_WM_WINDOW_TYPE)
other=$(open_ordinary_window 300x100+100+100)
width=$(xwininfo -id "$main_window" | sed -n 's/.*Width: //p')
right_segment_x=$((width / 2 - 101 + 145))

wmctrl -k on
for _ in $(seq 50); do xprop -root _NET_SHOWING_DESKTOP | grep -q '= 1' && break; sleep 0.05; done
sleep 0.3
check "showing the desktop" grep -q '= 1' < <(xprop -root _NET_SHOWING_DESKTOP)
check "the ordinary window is hidden" grep -vq IsViewable < <(map_state "$other")
check "our window stays mapped" grep -q IsViewable < <(map_state "$main_window")
read -r r g b <<<"$(pixel "$right_segment_x" 8)"
check "the switch is still drawn ($r $g $b)" test "$b" -gt "$r"
under=$(pointer_window "$right_segment_x" 15)
check "the pointer over the switch is over our window" is_ours "$under"
before=$(brightness "$right_segment_x" 20)
xdotool click 1
sleep 0.6
after=$(brightness "$right_segment_x" 20)
check "a click on \"Marovia\" is taken ($before -> $after)" test "$after" -ne "$before"

wmctrl -k off
sleep 0.5
check "the ordinary window is shown again" grep -q IsViewable < <(map_state "$other")
xdotool windowraise "$main_window" 2>/dev/null || true
sleep 0.3
ours_at=$(stack_position "$main_window")
other_at=$(stack_position "$other")
check "and covers ours (stack positions: ours $ours_at, other $other_at)" test "$ours_at" -ge 0 -a "$ours_at" -lt "$other_at"
under=$(pointer_window 150 130)
check "the pointer over the ordinary window is not ours" not_ours "$under"
finish
