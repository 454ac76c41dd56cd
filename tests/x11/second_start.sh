#!/usr/bin/env bash
# A second start is visible: the running program slides its desktop panel in (the middle of the
# screen, click-through before, becomes ours and is painted), the second start ends at once with
# code 1 and leaves the data alone. When the running program cannot answer, the second start says
# so in a message box captioned exactly "提示".
source "$(dirname "$0")/lib.sh"

start_program
sleep 0.5
width=$(xwininfo -id "$main_window" | sed -n 's/.*Width: //p')
height=$(xwininfo -id "$main_window" | sed -n 's/.*Height: //p')
x=$((width / 2)); y=$((height / 2))
shot() { import -window root -crop "1x1+$x+$y" -depth 8 txt:- | tail -1 | sed 's/^[^(]*//'; }
digest() { if [ -e "$1" ]; then md5sum <"$1"; else echo none; fi; }
under=$(pointer_window "$x" "$y")
check "before: the middle of the screen is not ours" not_ours "$under"
before=$(shot)
notes_before=$(digest "$install/Data/TakeNote.dat")

set +e; timeout 10 "$install/marovia" >"$install/second.out" 2>&1; code=$?; set -e
check "the second start ends with code 1 (got $code)" test "$code" -eq 1
sleep 1.2  # the panel's slide takes 0.6 s
under=$(pointer_window "$x" "$y")
check "after: the desktop panel lies in the middle of the screen" is_ours "$under"
after=$(shot)
check "and is painted there ($before -> $after)" test "$before" != "$after"
check "no request is left behind" test ! -e "$install/Data/marovia.show"
check "the notes file is untouched" test "$(digest "$install/Data/TakeNote.dat")" = "$notes_before"
check "the running program still runs" kill -0 "$program_pid"

# A program that cannot answer (stopped): the second start waits, then tells the user.
kill -STOP "$program_pid"
"$install/marovia" >"$install/third.out" 2>&1 &
third=$!
helper_pids+=("$third")
box=""
for _ in $(seq 200); do
  for id in $(xdotool search --pid "$third" 2>/dev/null); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG && box=$id
  done
  [ -n "$box" ] && break
  sleep 0.05
done
check "an unanswered second start shows a message box" test -n "$box"
if [ -n "$box" ]; then
  title=$(xprop -id "$box" _NET_WM_NAME | sed -n 's/.*= "\(.*\)"/\1/p')
  check "captioned exactly \"提示\" (got \"$title\")" test "$title" = "提示"
fi
check "and takes its request back" test ! -e "$install/Data/marovia.show"
kill "$third" 2>/dev/null || true
wait "$third" 2>/dev/null || true
kill -CONT "$program_pid"
sleep 0.5
check "the running program runs on" kill -0 "$program_pid"
finish
