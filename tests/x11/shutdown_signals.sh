#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP (what a closing session sends) all end the program through its normal
# shut-down: exit code 0, and the note store's final save leaves the notes file behind.
source "$(dirname "$0")/lib.sh"

for signal in TERM INT HUP; do
  rm -f "$install/Data/TakeNote.dat"
  start_program
  kill -s "$signal" "$program_pid"
  set +e; wait "$program_pid"; code=$?; set -e
  program_pid=""
  check "SIG$signal exits with 0 (got $code)" test "$code" -eq 0
  check "SIG$signal still saves the notes" test -f "$install/Data/TakeNote.dat"
done
check "the plan folder is left behind" test -d "$install/Data/默认方案"
finish
