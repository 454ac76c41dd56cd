#!/usr/bin/env bash
# Exec → first presented frame with an empty plan, for one or more builds of the program and the
# bare translucent Qt window of bench/, in alternating rounds under a private display without a
# compositor (MAROVIA_REPORT_STARTUP); prints the median, the spread and every round per program.
#
# Usage: bench/measure_start.sh [rounds] name=executable...
#   e.g. bench/measure_start.sh 15 bare=build/bench/bare_window old=../main/build/bin/marovia \
#        new=build/bin/marovia        (an entry named "bare" is run as the bare window)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-15}
shift || true
[ $# -gt 0 ] || set -- "bare=$root/build/bench/bare_window" "marovia=$root/build/bin/marovia"
entries=()
for program_arg in "$@"; do entries+=("${program_arg%%=*}=$(cd "$(dirname "${program_arg#*=}")" && pwd)/$(basename "${program_arg#*=}")"); done
export rounds programs="${entries[*]}" images="$root/build/bin/Images" MAROVIA_NO_COMPOSITOR=1
"$root/scripts/with-xvfb" bash -c '
set -euo pipefail
work=$(mktemp -d); trap "rm -rf $work" EXIT
for program_arg in $programs; do
  name=${program_arg%%=*}
  mkdir -p "$work/$name"
  cp "${program_arg#*=}" "$work/$name/program"
  [ "$name" = bare ] && continue
  cp -r "$images" "$work/$name/"
  mkdir -p "$work/$name/Data/默认方案"
  printf "<?xml version=\"1.0\"?>\n<Desktop><MVButtons></MVButtons></Desktop>\n" >"$work/$name/Data/默认方案/Desktop.xml"
  printf "<?xml version=\"1.0\"?>\n<TakeNotes></TakeNotes>\n" >"$work/$name/Data/TakeNote.dat"
done
: >"$work/results"
for round in $(seq "$rounds"); do
  for program_arg in $programs; do
    name=${program_arg%%=*}
    : >"$work/err"
    MAROVIA_REPORT_STARTUP=1 "$work/$name/program" 2>"$work/err" & pid=$!
    for _ in $(seq 600); do grep -q "first frame" "$work/err" && break; sleep 0.02; done
    echo "$name $(sed -n "s/.*first frame presented \([0-9]*\) ms.*/\1/p" "$work/err")" >>"$work/results"
    sleep 0.3
    kill -TERM "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true
    sleep 0.2
  done
done
for program_arg in $programs; do
  name=${program_arg%%=*}
  awk -v k="$name" "\$1 == k && \$2 != \"\" {print \$2}" "$work/results" | sort -n |
    awk -v k="$name" "{v[NR] = \$1} END {m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2;
      printf \"%-10s median %g ms (%g–%g, %d rounds):\", k, m, v[1], v[NR], NR; for (i = 1; i <= NR; i++) printf \" %s\", v[i]; print \"\"}"
done
'
