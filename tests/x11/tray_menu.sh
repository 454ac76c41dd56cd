#!/usr/bin/env bash
# With a notification area (trayer), the program's icon sits in it; its right-click menu opens and
# "退出程序" ends the program through its normal shut-down.
source "$(dirname "$0")/lib.sh"

trayer --edge top --align right --widthtype pixel --width 100 --height 24 >/dev/null 2>&1 & helper_pids+=($!)
for _ in $(seq 100); do xdotool search --class trayer >/dev/null 2>&1 && break; sleep 0.05; done
sleep 0.5
start_program
icon=""
for _ in $(seq 100); do
  icon=$(xwininfo -root -tree | grep -E '^ +0x[0-9a-f]+ "Marovia": \("marovia" "Marovia"\)  22x22' | awk '{print $1}' | head -1 || true)
  [ -n "$icon" ] && break; sleep 0.05
done
check "the icon is embedded in the notification area" test -n "$icon"

if [ -n "$icon" ]; then
  read -r x y < <(xwininfo -id "$icon" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x + 11, y + 11}')
  xdotool mousemove "$x" "$y" click 3
  menu=""
  for _ in $(seq 100); do
    menu=$(xwininfo -root -tree | grep -E 'marovia.*Marovia' | grep -v -E '1920x|22x22|1x1' | awk '{print $1}' | head -1 || true)
    [ -n "$menu" ] && break; sleep 0.05
  done
  check "a right click opens the menu" test -n "$menu"
  # Up from no selection wraps to the last item, "退出程序".
  xdotool key Up Return
  code=-1
  for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.05; done
  if ! kill -0 "$program_pid" 2>/dev/null; then set +e; wait "$program_pid"; code=$?; set -e; program_pid=""; fi
  check "\"退出程序\" ends the program with exit code 0 (got $code)" test "$code" -eq 0
  check "and the notes are saved on the way out" test -f "$install/Data/TakeNote.dat"
fi
finish
