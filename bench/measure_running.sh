#!/usr/bin/env bash
# Measures the running program under a private display: start-up time to the first presented frame
# (five starts), then resident memory and CPU time over IDLE_SECONDS (default 60) of idling.
# Usage: bench/measure_running.sh [build folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
export executable="$build/bin/marovia" idle_seconds=${IDLE_SECONDS:-60}
"$root/scripts/with-xvfb" bash -c '
  install=$(mktemp -d); trap "rm -rf $install" EXIT
  cp "$executable" "$install/"; cp -r "$(dirname "$executable")/Images" "$install/"
  for run in 1 2 3 4 5; do
    MAROVIA_REPORT_STARTUP=1 "$install/marovia" 2>"$install/err" & pid=$!
    for _ in $(seq 200); do grep -q "first frame" "$install/err" && break; sleep 0.05; done
    grep "first frame" "$install/err"
    kill -TERM $pid; wait $pid
  done
  "$install/marovia" 2>/dev/null & pid=$!
  sleep 5
  ticks=$(getconf CLK_TCK)
  cpu() { awk "{print \$14 + \$15}" /proc/$pid/stat; }
  before=$(cpu)
  sleep "$idle_seconds"
  after=$(cpu)
  rss=$(awk "/VmRSS/ {print \$2}" /proc/$pid/status)
  echo "idle RSS after ${idle_seconds} s: ${rss} kB"
  echo "idle CPU over ${idle_seconds} s: $(( (after - before) * 1000 / ticks )) ms ($(awk "BEGIN {printf \"%.3f\", ($after - $before) * 100 / $ticks / $idle_seconds}")% of one core)"
  kill -TERM $pid; wait $pid
'
