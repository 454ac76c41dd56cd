#!/usr/bin/env bash
# Measures the running program under a private display (Xvfb + openbox, no compositor unless asked)
# against a bare translucent Qt window of bench/ and, when it is installed, plank, in alternating
# rounds, and prints one row per figure with the median and the spread (min–max) of the rounds.
#
# The program runs with a generated plan: 4 side, 10 dock and 20 desktop buttons with 128 × 128 PNG
# icons, and 5 notes. Figures: CPU time of the process (utime + stime of /proc/<pid>/stat), wakeups
# (voluntary + involuntary context switches of the main thread, /proc/<pid>/status), presented frames
# (MAROVIA_REPORT_FRAMES: the host window's count, written at exit) and the time from exec to the
# first presented frame (MAROVIA_REPORT_STARTUP), with the plan and with an empty one, and for the
# bare window from its start to its first flushed paint.
#
# Usage: bench/measure_running.sh [build folder]
#   ROUNDS (default 3), IDLE_SECONDS (default 60), BUTTONS_1000=0 skips the 1,000-button start,
#   MAROVIA_COMPOSITOR=1 runs xcompmgr as with-xvfb does by default.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
export executable="$build/bin/marovia" bare="$build/bench/bare_window" root
export rounds=${ROUNDS:-3} idle_seconds=${IDLE_SECONDS:-60} buttons_1000=${BUTTONS_1000:-1}
[ -x "$executable" ] || { echo "no $executable: build first" >&2; exit 1; }
[ -x "$bare" ] || { echo "no $bare: build the target bare_window" >&2; exit 1; }
[ -n "${MAROVIA_COMPOSITOR:-}" ] || export MAROVIA_NO_COMPOSITOR=1

"$root/scripts/with-xvfb" bash -c '
set -euo pipefail
work=$(mktemp -d); trap "rm -rf $work" EXIT
ticks=$(getconf CLK_TCK)

# --- installations: the plan of the table, an empty one and one of 1,000 desktop buttons ---
make_install() {  # folder, desktop buttons, side, dock, notes
  local dir=$1
  mkdir -p "$dir"
  cp "$executable" "$dir/"; cp -r "$(dirname "$executable")/Images" "$dir/"
  python3 - "$dir" "$2" "$3" "$4" "$5" <<"EOF"
import os, struct, sys, zlib
dir, desktop, side, dock, notes = sys.argv[1], *map(int, sys.argv[2:])
plan = os.path.join(dir, "Data", "默认方案")
os.makedirs(plan, exist_ok=True)
def png(path, seed):
    rows = b"".join(b"\0" + bytes((x * 2 + seed * 37) % 256 if c < 3 else 255 if 8 < x < 120 and 8 < y < 120 else 0
                                  for x in range(128) for c in range(4)) for y in range(128))
    chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 128, 128, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
entries = []
for place, count in ((0, side), (1, dock), (2, desktop)):
    for i in range(count):
        image = "{0F8FAD5B-D9CB-469F-A165-%04d%08d}.Png" % (place, i)
        if i < 40: png(os.path.join(plan, image), place * 40 + i)
        else: image = "{0F8FAD5B-D9CB-469F-A165-%04d%08d}.Png" % (place, i % 40)
        entries.append(f"<MVButton Name=\"按钮{place}-{i}\" Place=\"{place}\" IsRunAsk=\"false\" "
                       f"FileName=\"/bin/true\" CmdLine=\"\" Image=\"{image}\" IsAdvert=\"false\"/>")
with open(os.path.join(plan, "Desktop.xml"), "w", encoding="utf-8") as f:
    f.write("<?xml version=\"1.0\"?>\n<Desktop><MVButtons>" + "".join(entries) + "</MVButtons></Desktop>\n")
items = "".join(f"<TakeNote ID=\"{i + 1}\" BackImage=\"{i % 7 + 1}.png\" Content=\"便签 {i + 1}\" RemindTime=\"0\" "
                f"IsHide=\"false\" PositonX=\"{300 + 230 * i}\" PositonY=\"200\" FontName=\"宋体\" FontSize=\"12\" "
                f"FontStyle=\"0\" FontColor=\"0\"/>" for i in range(notes))
with open(os.path.join(dir, "Data", "TakeNote.dat"), "w", encoding="utf-8") as f:
    f.write("<?xml version=\"1.0\"?>\n<TakeNotes>" + items + "</TakeNotes>\n")
EOF
}
make_install "$work/plan" 20 4 10 5
make_install "$work/empty" 0 0 0 0
[ "$buttons_1000" = 1 ] && make_install "$work/thousand" 1000 0 0 0

cpu_ms() { awk -v t="$ticks" "{printf \"%d\", (\$14 + \$15) * 1000 / t}" "/proc/$1/stat"; }
wakeups() {  # context switches of the main thread, where every timer of the program runs (a
  # sum over the threads would drop whenever a helper thread ends)
  awk "/^voluntary_ctxt_switches/ {v=\$2} /^nonvoluntary_ctxt_switches/ {i=\$2} END {print v + i}" "/proc/$1/status"
}
screen_w=$(xdpyinfo | awk "/dimensions:/ {split(\$2, d, \"x\"); print d[1]}")
screen_h=$(xdpyinfo | awk "/dimensions:/ {split(\$2, d, \"x\"); print d[2]}")
work_h=$(xprop -root _NET_WORKAREA | awk -F"[ ,=]+" "{print \$5}")
sweep() {  # 5 s of pointer movement back and forth over the dock (100 steps of 50 ms)
  local y=$((work_h - 20 - 40)) x step
  for step in $(seq 0 99); do
    x=$(( screen_w / 2 - 420 + (step % 50 < 25 ? step % 25 : 25 - step % 25) * 34 ))
    xdotool mousemove "$x" "$y"; sleep 0.05
  done
}
rest_pointer() { xdotool mousemove 5 $((screen_h / 2)); }

start_app() {  # program [env...]: starts it, waits for its first frame (or 3 s for the others)
  local what=$1; shift
  : >"$work/err"
  case $what in
    marovia-*) env MAROVIA_REPORT_STARTUP=1 MAROVIA_REPORT_FRAMES=1 "$@" "$work/${what#marovia-}/marovia" 2>"$work/err" & ;;
    bare) MAROVIA_REPORT_STARTUP=1 "$bare" 2>"$work/err" & ;;
    plank) plank 2>"$work/err" >/dev/null & ;;
  esac
  pid=$!
  if [[ $what == marovia-* ]]; then
    for _ in $(seq 600); do grep -q "first frame" "$work/err" && break; sleep 0.05; done
  else
    sleep 3
  fi
}
stop_app() { kill -TERM "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
first_frame_ms() { sed -n "s/.*first frame presented \([0-9]*\) ms.*/\1/p" "$work/err"; }
frames() { sed -n "s/.*presented \([0-9]*\) frames.*/\1/p" "$work/err"; }
record() { echo "$1 $2" >>"$work/results"; }  # key value

programs=(marovia-plan bare)
command -v plank >/dev/null && programs+=(plank)
: >"$work/results"
for round in $(seq "$rounds"); do
  for program in "${programs[@]}"; do
    rest_pointer
    start_app "$program"
    [[ $program == marovia-* || $program == bare ]] && record "$program.start" "$(first_frame_ms)"
    sleep 3  # let the start settle
    c0=$(cpu_ms $pid); w0=$(wakeups $pid); sleep "$idle_seconds"; c1=$(cpu_ms $pid); w1=$(wakeups $pid)
    record "$program.idle_cpu" $(( (c1 - c0) * 60 / idle_seconds ))
    record "$program.idle_wakeups" $(( (w1 - w0) * 60 / idle_seconds ))
    c0=$(cpu_ms $pid); sweep; c1=$(cpu_ms $pid)
    record "$program.hover_cpu" $((c1 - c0))
    rest_pointer; sleep 1
    stop_app
    if [[ $program == marovia-* ]]; then
      # The slide-in: a start without it gives the frames to subtract.
      start_app "$program"; sleep 2; stop_app; base=$(frames)
      start_app "$program"; sleep 2
      sx=$(( (screen_w - 203) / 2 + 145 )); sy=15  # the "Marovia" segment of the switch
      c0=$(cpu_ms $pid); xdotool mousemove "$sx" "$sy" click 1; sleep 1.2; c1=$(cpu_ms $pid)
      stop_app
      record "$program.slide_cpu" $((c1 - c0))
      record "$program.slide_frames" $(( $(frames) - base ))
      # Shown panel: the wallpaper poll runs.
      start_app "$program"; sleep 2; xdotool mousemove "$sx" "$sy" click 1; sleep 2; rest_pointer
      w0=$(wakeups $pid); c0=$(cpu_ms $pid); sleep 20; w1=$(wakeups $pid); c1=$(cpu_ms $pid)
      record "$program.shown_wakeups" $(( (w1 - w0) * 3 ))
      record "$program.shown_cpu" $(( (c1 - c0) * 3 ))
      stop_app
      start_app marovia-empty; record "marovia-empty.start" "$(first_frame_ms)"; stop_app
      if [ "$buttons_1000" = 1 ]; then start_app marovia-thousand; record "marovia-thousand.start" "$(first_frame_ms)"; stop_app; fi
    fi
  done
done

row() {  # label key [unit]
  local label=$1 key=$2 unit=${3:-}
  printf "| %-44s |" "$label"
  for program in marovia-plan plank bare; do
    local values
    values=$(awk -v k="$program.$key" "\$1 == k {print \$2}" "$work/results" | sort -n)
    if [ -z "$values" ]; then printf " %-22s |" ""; continue; fi
    printf " %-22s |" "$(echo "$values" | awk -v u="$unit" "{v[NR]=\$1} END {m = NR % 2 ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2; printf \"%g%s (%g–%g)\", m, u, v[1], v[NR]}")"
  done
  echo
}
echo "rounds: $rounds, idle: ${idle_seconds} s, compositor: $([ -n "${MAROVIA_NO_COMPOSITOR:-}" ] && echo no || echo xcompmgr)"
echo "| | Marovia | plank | bare Qt window |"
echo "|---|---|---|---|"
row "idle CPU per minute (panel hidden)" idle_cpu " ms"
row "idle wakeups per minute (panel hidden)" idle_wakeups
row "idle CPU per minute (panel shown)" shown_cpu " ms"
row "idle wakeups per minute (panel shown)" shown_wakeups
row "5 s hover sweep over the dock, CPU" hover_cpu " ms"
row "slide-in (0.6 s), CPU" slide_cpu " ms"
row "slide-in, presented frames" slide_frames
row "exec → first frame, the plan" start " ms"
printf "| %-44s | %s |\n" "exec → first frame, empty plan" "$(awk "\$1 == \"marovia-empty.start\" {print \$2}" "$work/results" | sort -n | tr "\n" " ")ms"
[ "$buttons_1000" = 1 ] && printf "| %-44s | %s |\n" "exec → first frame, 1,000 desktop buttons" "$(awk "\$1 == \"marovia-thousand.start\" {print \$2}" "$work/results" | sort -n | tr "\n" " ")ms"
true
'
