#!/usr/bin/env bash
# Measures how long the real program takes to start and to end on a huge notes file: one 50 MB note
# ("big") or 20,000 notes ("many"). Run it on a display, e.g.
#   scripts/with-xvfb tools/measure-huge-inputs.sh build/bin/marovia many
# It prints the time to the first presented frame, the resident memory, and the time from SIGTERM
# to the end of the process (the normal shut-down, which saves the notes). SETTLE_SECONDS (default 1)
# is how long the program runs before the signal, so that a paint still in progress can be told
# apart from the shut-down itself. SIGNAL_AT_SECONDS sends the signal that long after the start
# instead, whether or not a frame has been presented (a signal during the first, full paint).
set -euo pipefail
executable=$1
kind=${2:-many}
count=${3:-20000}
install=$(mktemp -d)
trap 'rm -rf "$install"' EXIT
cp "$executable" "$install/marovia"
cp -r "$(dirname "$executable")/Images" "$install/Images"
mkdir -p "$install/Data"
python3 - "$kind" "$count" "$install/Data/TakeNote.dat" <<'PY'
import sys
kind, count, path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
with open(path, 'w', encoding='utf-8') as f:
    f.write('<?xml version="1.0"?>\n<TakeNotes>\n')
    def note(i, content, x, y):
        f.write(f'<TakeNote ID="{i}" BackImage="{i % 7 + 1}.png" Content="{content}" RemindTime="0" '
                f'IsHide="false" PositonX="{x}" PositonY="{y}" FontName="宋体" FontSize="12" '
                f'FontStyle="0" FontColor="0"/>\n')
    if kind == 'big':
        line = '这是一条很长的便签内容 0123456789 abcdefghij ' * 4 + '&#10;'
        note(1, line * (50 * 1024 * 1024 // len(line.encode())), 200, 200)
    else:
        for i in range(1, count + 1):
            note(i, f'便签 {i} 的内容&#10;第二行', (i * 37) % 1800, (i * 53) % 1000)
    f.write('</TakeNotes>\n')
PY
echo "notes file: $(stat -c %s "$install/Data/TakeNote.dat") bytes"
MAROVIA_REPORT_STARTUP=1 "$install/marovia" >"$install/out" 2>&1 &
pid=$!
if [ -n "${SIGNAL_AT_SECONDS:-}" ]; then
  sleep "$SIGNAL_AT_SECONDS"
  grep -o 'first frame.*' "$install/out" || echo "no frame presented yet"
else
  until grep -q "first frame" "$install/out" 2>/dev/null; do kill -0 "$pid" || exit 1; sleep 0.05; done
  grep -o 'first frame.*' "$install/out"
  sleep "${SETTLE_SECONDS:-1}"
fi
echo "resident memory: $(ps -o rss= -p "$pid") kB"
started=$(date +%s%N)
kill -TERM "$pid"
set +e; wait "$pid"; code=$?; set -e
echo "SIGTERM to exit: $(( ($(date +%s%N) - started) / 1000000 )) ms, exit code $code"
