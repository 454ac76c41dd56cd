#!/usr/bin/env bash
# The main window lies over the work area at the bottom of the z-order, off the taskbar, on every
# workspace, and lets clicks through where it draws nothing; SIGTERM ends it normally.
source "$(dirname "$0")/lib.sh"

start_program
geometry=$(xwininfo -id "$main_window")
for _ in $(seq 100); do xprop -root _NET_WORKAREA | grep -q CARDINAL && break; sleep 0.05; done
workarea=$(xprop -root _NET_WORKAREA | sed 's/.*= //' | awk -F', ' '{print $3, $4}')
workarea_w=${workarea% *}
workarea_h=${workarea#* }
check "window at (0,0)" grep -q "Absolute upper-left X:  0" <<<"$geometry"
check "window top 0" grep -q "Absolute upper-left Y:  0" <<<"$geometry"
check "window has the work area's width $workarea_w" grep -q "Width: $workarea_w\$" <<<"$geometry"
check "window has the work area's height $workarea_h" grep -q "Height: $workarea_h\$" <<<"$geometry"
check "32-bit visual for per-pixel alpha" grep -q "Depth: 32" <<<"$geometry"
states=$(xprop -id "$main_window" _NET_WM_STATE)
check "below every window" grep -q _NET_WM_STATE_BELOW <<<"$states"
check "not in the taskbar" grep -q _NET_WM_STATE_SKIP_TASKBAR <<<"$states"
check "not in the pager" grep -q _NET_WM_STATE_SKIP_PAGER <<<"$states"
check "on every workspace" grep -q 4294967295 < <(xprop -id "$main_window" _NET_WM_DESKTOP)

# A transparent spot passes the pointer to what lies below: the root here.
under=$(pointer_window 700 600)
check "a transparent pixel is not ours (pointer over window $under)" not_ours "$under"

# Raised and activated on purpose, it stays below an ordinary window.
xmessage -geometry 300x100+100+100 "an ordinary window" >/dev/null 2>&1 & helper_pids+=($!)
other=""
for _ in $(seq 100); do
  for id in $(stacking_order); do
    xprop -id "$id" WM_CLASS 2>/dev/null | grep -q xmessage && other=$id
  done
  [ -n "$other" ] && break; sleep 0.05
done
xdotool windowraise "$main_window" 2>/dev/null || true
xdotool windowactivate "$main_window" 2>/dev/null || true
sleep 0.3
ours_at=-1; other_at=-1; i=0
for id in $(stacking_order); do  # listed from the bottom up
  [ "$((id))" = "$((main_window))" ] && ours_at=$i
  [ -n "$other" ] && [ "$((id))" = "$((other))" ] && other_at=$i
  i=$((i + 1))
done
check "below an ordinary window after a raise (stack positions: ours $ours_at, other $other_at)" \
  test "$ours_at" -ge 0 -a "$ours_at" -lt "$other_at"

# A second start ends at once and leaves the first running.
started=$(date +%s%N)
set +e; "$install/marovia" 2>"$install/second.err"; second_exit=$?; set -e
elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
check "second start exits non-zero" test "$second_exit" -ne 0
check "second start exits within a second (${elapsed_ms} ms)" test "$elapsed_ms" -lt 1000
check "second start says why" grep -q "already running" "$install/second.err"
check "first instance still runs" kill -0 "$program_pid"

started=$(date +%s%N)
kill -TERM "$program_pid"
set +e; wait "$program_pid"; exit_code=$?; set -e
elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
program_pid=""
check "SIGTERM exit code 0" test "$exit_code" -eq 0
check "SIGTERM ends it within 2 s (${elapsed_ms} ms)" test "$elapsed_ms" -lt 2000
check "data folder left behind" test -d "$install/Data"
finish
