#!/usr/bin/env bash
# A SIGTERM that arrives while a start-up message box is open (here the one about a damaged notes
# file) is not lost: the program ends through its normal shut-down, at once and with exit code 0.
source "$(dirname "$0")/lib.sh"

mkdir -p "$install/Data"
printf '<?xml version="1.0"?><TakeNotes><broken' >"$install/Data/TakeNote.dat"
"$install/marovia" >"$install/stdout" 2>"$install/stderr" &
program_pid=$!
box=""
for _ in $(seq 200); do
  for id in $(xdotool search --pid "$program_pid" 2>/dev/null); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q _NET_WM_WINDOW_TYPE_DIALOG && box=$id
  done
  [ -n "$box" ] && break
  sleep 0.05
done
check "the start-up message box is open" test -n "$box"
kill -TERM "$program_pid"
ended=no
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || { ended=yes; break; }; sleep 0.1; done
check "SIGTERM ends the program within 10 s" test "$ended" = yes
if [ "$ended" = no ]; then kill -KILL "$program_pid"; wait "$program_pid" 2>/dev/null || true; program_pid=""; fi
if [ "$ended" = yes ]; then
  set +e; wait "$program_pid"; code=$?; set -e
  program_pid=""
  check "with exit code 0 (got $code)" test "$code" -eq 0
  check "the notes file is written by the normal shut-down" test -s "$install/Data/TakeNote.dat"
  check "the lock is given back" test ! -e "$install/Data/marovia.lock"
fi
finish
