#!/usr/bin/env bash
# Measures the running program under a private display (Xvfb + openbox, no compositor unless asked)
# against a bare translucent Qt window of bench/ and, when it is installed, plank, in alternating
# rounds, adds the two Google Benchmark figures of the table, and prints one row per figure with
# its goal, the median and the spread (min–max) of the rounds.
#
# The program runs with a generated plan: 4 side, 10 dock and 20 desktop buttons with 128 × 128 PNG
# icons, and 5 notes; plank gets 10 launchers with the same icons. Figures: CPU time of the process
# (the run time of its threads in /proc/<pid>/task/*/schedstat), wakeups (voluntary + involuntary
# context switches of the main thread, /proc/<pid>/status), presented frames (MAROVIA_REPORT_FRAMES: the host window's
# count, written at exit) and the time from exec to the first presented frame (MAROVIA_REPORT_STARTUP
# with MAROVIA_EXEC_AT, the realtime clock's microseconds taken just before the exec), with the
# plan, with an empty one, with 1,000 desktop buttons sharing 40 icon files and with 1,000 that have
# an icon file each, and for the bare window from its exec to its first flushed paint. The starts
# alternate bare / empty / 1,000 / 1,000 own icons, STARTS times a round, and the
# differences are taken start by start. The benchmarks report CPU time per iteration next to the
# 8 MiB memcpy floor measured in the same run.
#
# Usage: bench/measure_running.sh [build folder]
#   ROUNDS (default 3), IDLE_SECONDS (default 60), STARTS (default 5), BUTTONS_1000=0 skips the
#   1,000-button starts, BENCH=0 skips the benchmarks, MAROVIA_COMPOSITOR=1 runs xcompmgr as
#   with-xvfb does by default, SHOTS=folder keeps screenshots of the first round (the idle screen,
#   the middle of the sweep, the shown panel of each program) to check what was measured.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${MEASURE_ON_DISPLAY:-}" ]; then
  build=$(cd "${1:-$root/build}" && pwd)
  [ -x "$build/bin/marovia" ] || { echo "no $build/bin/marovia: build first" >&2; exit 1; }
  [ -x "$build/bench/bare_window" ] || { echo "no $build/bench/bare_window: build the target bare_window" >&2; exit 1; }
  [ -n "${MAROVIA_COMPOSITOR:-}" ] || export MAROVIA_NO_COMPOSITOR=1
  MEASURE_ON_DISPLAY=1 exec "$root/scripts/with-xvfb" bash "$0" "$build"
fi

# --- from here on the private display is up ---
build=$1
executable="$build/bin/marovia"
bare="$build/bench/bare_window"
rounds=${ROUNDS:-3} idle_seconds=${IDLE_SECONDS:-60} starts=${STARTS:-5}
buttons_1000=${BUTTONS_1000:-1} benches=${BENCH:-1}
work=$(mktemp -d)
bus_pid=""
cleanup() {
  if [ -n "$bus_pid" ]; then kill "$bus_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# The slide's clock: its length and the animation clock's interval, as the sources say.
slide_ms=$(sed -n 's/.*SlideDuration = \([0-9.]*\)f.*/\1/p' "$root/src/elements/TVGDesktopPanel.h" | awk '{print $1 * 1000}')
interval_ms=$(sed -n 's/.*int Interval = \([0-9]*\);.*/\1/p' "$root/src/scene/vgAniThread.h")
slide_ticks=$(( (slide_ms + interval_ms - 1) / interval_ms ))

# --- installations: the plan of the table, an empty one and two of 1,000 desktop buttons ---
make_install() {  # folder, desktop buttons, side, dock, notes[, icon files (40)]
  local dir=$1
  mkdir -p "$dir"
  cp "$executable" "$dir/"
  cp -r "$(dirname "$executable")/Images" "$dir/"
  python3 - "$dir" "$2" "$3" "$4" "$5" "${6:-40}" <<"EOF"
import os, struct, sys, zlib
dir, desktop, side, dock, notes, files = sys.argv[1], *map(int, sys.argv[2:])
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
        if i < files: png(os.path.join(plan, image), place * 40 + i)
        else: image = "{0F8FAD5B-D9CB-469F-A165-%04d%08d}.Png" % (place, i % files)
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
if [ "$buttons_1000" = 1 ]; then
  make_install "$work/thousand" 1000 0 0 0
  make_install "$work/own" 1000 0 0 0 1000  # every button with an icon file of its own
fi

# --- plank: its own settings and launchers (10, with the plan's dock icons) in a private home, a
# session bus of its own (it asks bamf over D-Bus for the running programs) and no accessibility bus ---
has_plank=0
if command -v plank >/dev/null && command -v dbus-daemon >/dev/null; then
  has_plank=1
  plank_home="$work/plank-home"
  mkdir -p "$plank_home/.config/plank/dock1/launchers" "$plank_home/.local/share/applications" "$plank_home/icons"
  for i in $(seq 0 9); do
    icon="$plank_home/icons/dock$i.png"
    cp "$work/plan/Data/默认方案/{0F8FAD5B-D9CB-469F-A165-0001$(printf %08d "$i")}.Png" "$icon"
    printf '[Desktop Entry]\nType=Application\nName=按钮1-%d\nExec=/bin/true\nIcon=%s\n' "$i" "$icon" \
      >"$plank_home/.local/share/applications/dock$i.desktop"
    printf '[PlankDockItemPreferences]\nLauncher=file://%s\n' "$plank_home/.local/share/applications/dock$i.desktop" \
      >"$plank_home/.config/plank/dock1/launchers/dock$i.dockitem"
  done
  bus=$(dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1 2>/dev/null) || has_plank=0
  bus_address=$(echo "$bus" | sed -n 1p)
  bus_pid=$(echo "$bus" | sed -n 2p)
fi

# CPU time in nanoseconds of every thread ("tid ns" lines, /proc/<pid>/task/*/schedstat): the
# clock ticks of /proc/<pid>/stat count 10 ms, twice the idle goal of a minute. A thread that ends
# between two samples adds nothing rather than taking its earlier time away.
cpu_sample() {
  local f
  for f in /proc/"$1"/task/*/schedstat; do
    f=${f%/schedstat}
    echo "${f##*/} $(cut -d" " -f1 "$f/schedstat" 2>/dev/null)"
  done
}
cpu_ms_between() {  # first-sample second-sample: the CPU milliseconds in between
  awk 'NR == FNR {before[$1] = $2; next} NF == 2 {d += $2 - ($1 in before ? before[$1] : 0)} END {printf "%.3f", d / 1e6}' \
    <(echo "$1") <(echo "$2")
}
per_minute() { awk -v v="$1" -v s="$2" 'BEGIN {printf "%.1f", v * 60 / s}'; }  # value seconds
wakeups() {  # context switches of the main thread, where every timer of the program runs (a
  # sum over the threads would drop whenever a helper thread ends)
  awk '/^voluntary_ctxt_switches/ {v=$2} /^nonvoluntary_ctxt_switches/ {i=$2} END {print v + i}' "/proc/$1/status"
}
screen_w=$(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[1]}')
screen_h=$(xdpyinfo | awk '/dimensions:/ {split($2, d, "x"); print d[2]}')
shot() {  # name: a screenshot of the first round, when asked for
  if [ -n "${SHOTS:-}" ] && [ "$round" = 1 ]; then mkdir -p "$SHOTS" && import -window root "$SHOTS/$1.png"; fi
}
# Where the pointer waits: over nothing of the program, panel in or out (below the notes, above the
# dock, away from the desktop buttons on the left).
rest_pointer() { xdotool mousemove $((screen_w / 2)) $((screen_h * 2 / 3)); }

# 5 s of pointer movement back and forth over a row of buttons (100 steps of 50 ms).
sweep() {  # left right y
  local step at
  for step in $(seq 0 99); do
    at=$((step % 50 < 25 ? step % 25 : 25 - step % 25))
    xdotool mousemove $(($1 + at * ($2 - $1) / 25)) "$3"
    [ "$step" = 12 ] && shot "$program-sweep"
    sleep 0.05
  done
}
# Where each program's dock row is, as "left right y".
dock_row() {
  local id
  case $1 in
    marovia-*)
      # The dock's home: centred, 55 high, its buttons in the middle of it, above the bottom gap.
      local work_h
      work_h=$(xprop -root _NET_WORKAREA | awk -F'[ ,=]+' '{print $5}')
      echo "$((screen_w / 2 - 420)) $((screen_w / 2 + 430)) $((work_h - 60))" ;;
    plank)
      # Its largest window is the dock; the icons sit in its lower part.
      for id in $(xdotool search --pid "$pid" 2>/dev/null); do
        xwininfo -id "$id" 2>/dev/null | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
          /Width:/ {w=$2} /Height:/ {h=$2} /Map State: IsViewable/ {print w * h, x + 8, x + w - 8, y + h - 30}'
      done | sort -n | tail -1 | cut -d" " -f2- ;;
    *) echo "$((screen_w / 2 - 420)) $((screen_w / 2 + 430)) $((screen_h - 60))" ;;
  esac
}

pid=""
start_app() {  # program: starts it and waits for its first frame (plank: for its dock window)
  local what=$1 ready=0
  : >"$work/err"
  case $what in
    marovia-*)
      (export MAROVIA_REPORT_STARTUP=1 MAROVIA_REPORT_FRAMES=1 MAROVIA_EXEC_AT=${EPOCHREALTIME/./}
       exec "$work/${what#marovia-}/marovia" 2>"$work/err") & ;;
    bare)
      (export MAROVIA_REPORT_STARTUP=1 MAROVIA_EXEC_AT=${EPOCHREALTIME/./}
       exec "$bare" 2>"$work/err") & ;;
    plank)
      env HOME="$plank_home" XDG_CONFIG_HOME="$plank_home/.config" XDG_DATA_HOME="$plank_home/.local/share" \
        XDG_CACHE_HOME="$plank_home/.cache" DBUS_SESSION_BUS_ADDRESS="$bus_address" NO_AT_BRIDGE=1 \
        GSETTINGS_BACKEND=memory plank >/dev/null 2>"$work/err" & ;;
  esac
  pid=$!
  for _ in $(seq 600); do
    case $what in
      plank) [ -n "$(dock_row plank)" ] && ready=1 ;;
      *) grep -q "first frame" "$work/err" && ready=1 ;;
    esac
    [ "$ready" = 1 ] && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  echo "$what did not come up:" >&2
  cat "$work/err" >&2
  return 1
}
stop_app() { kill -TERM "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
# A pause between two starts, so that the window manager's handling of the last window's exit does
# not fall into the next start.
settle() { sleep 0.5; }
first_frame_ms() { sed -n 's/.*first frame presented \([0-9]*\) ms.*/\1/p' "$work/err"; }
frames() { sed -n 's/.*presented \([0-9]*\) frames.*/\1/p' "$work/err"; }
record() { if [ -n "$2" ]; then echo "$1 $2" >>"$work/results"; fi; }  # key value

# Runs one benchmark program and records, per benchmark, the CPU time per iteration in ms.
run_bench() {  # program filter key-of-the-figure
  local out="$work/bench.json"
  "$build/bench/$1" --benchmark_filter="$2|BM_Memcpy8MiB" --benchmark_format=json >"$out" 2>/dev/null || return 0
  python3 - "$out" "$3" >>"$work/results" <<"EOF"
import json, sys
scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    key = "bench." + (sys.argv[2] + "_floor" if b["name"].startswith("BM_Memcpy8MiB") else sys.argv[2])
    print(key, round(b["cpu_time"] * scale[b["time_unit"]], 3))
EOF
}

programs=(marovia-plan bare)
[ "$has_plank" = 1 ] && programs+=(plank)
sx=$(( (screen_w - 203) / 2 + 145 )); sy=15  # the "Marovia" segment of the switch
: >"$work/results"
for round in $(seq "$rounds"); do
  echo "round $round of $rounds" >&2
  for program in "${programs[@]}"; do
    rest_pointer
    start_app "$program"
    [[ $program == marovia-* ]] && record "$program.start" "$(first_frame_ms)"
    sleep 3  # let the start settle
    shot "$program-idle"
    c0=$(cpu_sample "$pid"); w0=$(wakeups "$pid"); sleep "$idle_seconds"; c1=$(cpu_sample "$pid"); w1=$(wakeups "$pid")
    record "$program.idle_cpu" "$(per_minute "$(cpu_ms_between "$c0" "$c1")" "$idle_seconds")"
    record "$program.idle_wakeups" "$(per_minute $((w1 - w0)) "$idle_seconds")"
    read -r left right y <<<"$(dock_row "$program")"
    c0=$(cpu_sample "$pid"); sweep "$left" "$right" "$y"; c1=$(cpu_sample "$pid")
    record "$program.hover_cpu" "$(cpu_ms_between "$c0" "$c1")"
    rest_pointer; sleep 1
    stop_app
    if [[ $program == marovia-* ]]; then
      # The slide-in. A run that only moves the pointer onto the switch gives the frames to subtract.
      start_app "$program"; sleep 2; xdotool mousemove "$sx" "$sy"; sleep 1.2; stop_app; base=$(frames)
      start_app "$program"; sleep 2; xdotool mousemove "$sx" "$sy"; sleep 0.3
      c0=$(cpu_sample "$pid"); xdotool click 1; sleep 0.9; c1=$(cpu_sample "$pid")
      stop_app
      record "$program.slide_cpu" "$(cpu_ms_between "$c0" "$c1")"
      record "$program.slide_frames" $(( $(frames) - base ))
      # Shown panel: the wallpaper poll runs.
      start_app "$program"; sleep 2; xdotool mousemove "$sx" "$sy" click 1; rest_pointer; sleep 2
      shot "$program-shown"
      w0=$(wakeups "$pid"); c0=$(cpu_sample "$pid"); sleep 20; w1=$(wakeups "$pid"); c1=$(cpu_sample "$pid")
      record "$program.shown_wakeups" "$(per_minute $((w1 - w0)) 20)"
      record "$program.shown_cpu" "$(per_minute "$(cpu_ms_between "$c0" "$c1")" 20)"
      stop_app
    fi
  done
  # The starts, alternating, so that a slow moment of the machine falls on all three alike.
  for _ in $(seq "$starts"); do
    settle; start_app bare; record bare.start "$(first_frame_ms)"; stop_app
    settle; start_app marovia-empty; record marovia-empty.start "$(first_frame_ms)"; stop_app
    if [ "$buttons_1000" = 1 ]; then
      settle; start_app marovia-thousand; record marovia-thousand.start "$(first_frame_ms)"; stop_app
      settle; start_app marovia-own; record marovia-own.start "$(first_frame_ms)"; stop_app
    fi
  done
  if [ "$benches" = 1 ]; then
    [ -x "$build/bench/desktop_panel" ] && run_bench desktop_panel "BM_SlideFrame/$screen_w/" slide_frame
    [ -x "$build/bench/manage_load" ] && run_bench manage_load "BM_LoadFromFile1000/1000\$" load
  fi
done

# --- the table: rows of tab-separated cells, laid out at the end ---
values() { awk -v k="$1" '$1 == k {print $2}' "$work/results"; }  # in the order taken
number() {
  awk -v x="$1" 'BEGIN {a = x < 0 ? -x : x
    if (x == int(x) || a >= 100) printf "%.0f", x; else if (a >= 10) printf "%.1f", x; else printf "%.2g", x}'
}
median() { sort -g | awk '{v[NR]=$1} END {if (NR) print NR % 2 ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2}'; }
stats() {  # reads numbers, prints "median unit (min–max)"
  local sorted
  sorted=$(sort -g)
  [ -n "$sorted" ] || return 0
  printf "%s%s (%s–%s)" "$(number "$(echo "$sorted" | median)")" "$1" "$(number "$(echo "$sorted" | head -1)")" \
    "$(number "$(echo "$sorted" | tail -1)")"
}
met() {  # median goal: ✓ when the median is at most the goal, ✗ above it, nothing without either
  if [ -n "$1" ] && [ -n "$2" ]; then awk -v m="$1" -v g="$2" 'BEGIN {print (m <= g ? " ✓" : " ✗")}'; fi
}
differences() { paste -d" " <(values "$1") <(values "$2") | awk 'NF == 2 {print $1 - $2}'; }
line() { local IFS=$'\t'; echo "$*" >>"$work/table"; }  # cells
row() {  # label goal-text key unit [goal-number]
  local m
  m=$(values "marovia-plan.$3" | median)
  line "$1" "$2" "$(values "marovia-plan.$3" | stats "$4")$(met "$m" "${5:-}")" \
    "$(values "plank.$3" | stats "$4")" "$(values "bare.$3" | stats "$4")"
}
bench_row() {  # label goal-text key goal-number
  local m floor text=""
  m=$(values "bench.$3" | median)
  floor=$(values "bench.$3_floor" | median)
  if [ -n "$m" ]; then
    text="$(values "bench.$3" | stats " ms")$(met "$m" "$4")"
    [ -z "$floor" ] || text+="; floor $(number "$floor") ms, $(awk -v a="$m" -v b="$floor" 'BEGIN {printf "%.0f", a / b}')×"
  fi
  line "$1" "$2" "${text:-not measured (BENCH=0, or the benchmark is not built)}" "" ""
}
difference_row() {  # label goal-text key minus-key goal-number: start by start
  local m
  m=$(differences "$3" "$4" | median)
  line "$1" "$2" "$(differences "$3" "$4" | stats " ms")$(met "$m" "$5")" "" ""
}

: >"$work/table"
line "" "goal" "Marovia" "plank" "bare Qt window"
row "idle CPU per minute (panel hidden)" "≤ 5 ms" idle_cpu " ms" 5
row "idle wakeups per minute (panel hidden)" "≤ 40" idle_wakeups "" 40
row "idle CPU per minute (panel shown)" "" shown_cpu " ms"
row "idle wakeups per minute (panel shown)" "≤ 160" shown_wakeups "" 160
row "5 s hover sweep over the dock, CPU" "≤ 90 ms" hover_cpu " ms" 90
row "slide-in ($slide_ms ms), CPU" "≤ 60 ms" slide_cpu " ms" 60
line "slide-in, presented frames" "$slide_ticks (ticks)" \
  "$(values marovia-plan.slide_frames | stats "") for $slide_ticks ticks of $interval_ms ms" "" ""
bench_row "drawing per slide frame (BM_SlideFrame/$screen_w)" "≤ 1.5 ms" slide_frame 1.5
bench_row "LoadFromFile of 1,000 entries (manage_load)" "≤ 50 ms" load 50
line "exec → first frame, the plan" "" "$(values marovia-plan.start | stats " ms")" "" ""
line "exec → first frame, empty plan" "" "$(values marovia-empty.start | stats " ms")" "" \
  "$(values bare.start | stats " ms")"
difference_row "  empty plan above the bare window" "≤ 30 ms" marovia-empty.start bare.start 30
if [ "$buttons_1000" = 1 ]; then
  line "exec → first frame, 1,000 desktop buttons" "" "$(values marovia-thousand.start | stats " ms")" "" ""
  difference_row "  1,000 buttons above the empty plan" "≤ 150 ms" marovia-thousand.start marovia-empty.start 150
  line "exec → first frame, 1,000 buttons, 1,000 icon files" "" "$(values marovia-own.start | stats " ms")" "" ""
  difference_row "  1,000 icon files above the empty plan" "≤ 150 ms" marovia-own.start marovia-empty.start 150
fi

compositor=$([ -n "${MAROVIA_NO_COMPOSITOR:-}" ] && echo no || echo xcompmgr)
echo "rounds: $rounds, idle: ${idle_seconds} s, starts a round: $starts, screen: ${screen_w}x$screen_h, compositor: $compositor"
[ "$has_plank" = 1 ] || echo "plank: not measured (not installed, or no dbus-daemon for its session bus)"
echo "median (min–max) over the rounds; CPU from /proc/<pid>/task/*/schedstat; benchmarks: CPU time per"
echo "iteration against the floor, a memcpy of 8 MiB in the same run; starts: differences start by start"
PYTHONIOENCODING=utf-8 python3 - "$work/table" <<"EOF"
import sys
rows = [line.rstrip("\n").split("\t") for line in open(sys.argv[1], encoding="utf-8")]
widths = [max(len(r[i]) if i < len(r) else 0 for r in rows) for i in range(max(map(len, rows)))]
def show(cells):
    cells = cells + [""] * (len(widths) - len(cells))
    print("| " + " | ".join(c.ljust(w) for c, w in zip(cells, widths)) + " |")
show(rows[0])
print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
for r in rows[1:]:
    show(r)
EOF
