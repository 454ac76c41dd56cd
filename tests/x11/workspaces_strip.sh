#!/usr/bin/env bash
# "独立侧边栏区域" takes 43 pixels off the right of the work area on every workspace, and gives them
# back on every workspace when turned off and when the program ends by SIGTERM.
source "$(dirname "$0")/lib.sh"

# The work area's width of each workspace, one a line.
workarea_widths() { xprop -root _NET_WORKAREA | sed 's/.*= //' | tr -d ',' | awk '{for (i = 3; i <= NF; i += 4) print $i}'; }
all_are() {  # all_are width: every workspace's work area has that width
  local w n=0
  for w in $(workarea_widths); do [ "$w" -eq "$1" ] || return 1; n=$((n + 1)); done
  [ "$n" -ge 1 ]
}
wait_all_are() { for _ in $(seq 60); do all_are "$1" && return 0; sleep 0.05; done; return 1; }

start_program
sleep 0.5
screen_w=$(xwininfo -root | sed -n 's/.*Width: //p')
desktops=$(xprop -root _NET_NUMBER_OF_DESKTOPS | sed 's/.*= //')
check "four workspaces to look at ($desktops)" test "$desktops" -ge 4
check "the full width at start" all_are "$screen_w"

choose_switch_menu_item 4   # "独立侧边栏区域" on
check "the strip is reserved on every workspace ($(workarea_widths | tr '\n' ' '))" wait_all_are $((screen_w - 43))
choose_switch_menu_item 4   # and off
check "turning it off gives it back on every workspace ($(workarea_widths | tr '\n' ' '))" wait_all_are "$screen_w"

choose_switch_menu_item 4
wait_all_are $((screen_w - 43)) || true
kill -TERM "$program_pid"; wait "$program_pid" || true; program_pid=""
check "SIGTERM gives it back on every workspace ($(workarea_widths | tr '\n' ' '))" wait_all_are "$screen_w"
finish
