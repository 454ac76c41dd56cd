#!/usr/bin/env bash
# The installed Windows program under wine on the current (private) display: a fresh copy of the
# installation folder with a plan of dock and side-bar buttons and a note; its window covers the work
# area; screenshots of the switch, the dock and the note; a WM_CLOSE (taskkill, as Windows' own
# shut-down does) ends it through its normal shut-down, which rewrites TakeNote.dat.
# Usage: smoke.sh BUILD-WIN/bin   (screenshots are left in BUILD-WIN/smoke/)
set -euo pipefail
bin=$(cd "$1" && pwd)
build=$(dirname "$bin")
root=$(cd "$(dirname "$0")/../.." && pwd)
shots=$build/smoke
failures=0
passes=0
check() {  # check "what" command...
  local what=$1; shift
  if "$@"; then passes=$((passes + 1)); echo "ok: $what"; else failures=$((failures + 1)); echo "FAILED: $what"; fi
}
wine_run() { "$root/scripts/wine-run" --prefix "$build/wineprefix" -- "$@"; }

install=$(mktemp -d)
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill -9 "$program_pid" 2>/dev/null || true
  rm -rf "$install"
}
trap cleanup EXIT
(cd "$bin" && cp -a marovia.exe ./*.dll qt.conf platforms styles imageformats Images "$install/")
rm -rf "$shots" && mkdir -p "$shots"

plan="$install/Data/默认方案"
mkdir -p "$plan"
cat >"$plan/Desktop.xml" <<'XML'
<?xml version="1.0"?>
<Desktop><MVButtons>
<MVButton Name="记事本" Place="1" IsRunAsk="false" FileName="C:\windows\notepad.exe" CmdLine="" Image=""/>
<MVButton Name="计算器" Place="1" IsRunAsk="false" FileName="C:\windows\system32\calc.exe" CmdLine="" Image=""/>
<MVButton Name="命令行" Place="1" IsRunAsk="true" FileName="C:\windows\system32\cmd.exe" CmdLine="/k echo 你好" Image=""/>
<MVButton Name="资源管理器" Place="0" IsRunAsk="false" FileName="C:\windows\explorer.exe" CmdLine="" Image=""/>
<MVButton Name="网页" Place="2" IsRunAsk="false" FileName="https://example.org/" CmdLine="" Image=""/>
</MVButtons></Desktop>
XML
notes="$install/Data/TakeNote.dat"
cat >"$notes" <<'XML'
<?xml version="1.0"?>
<TakeNotes>
<TakeNote ID="1" BackImage="3.png" Content="明天上午十点开会&#10;记得带上报告" RemindTime="0" IsHide="false" PositonX="600" PositonY="300" FontName="宋体" FontSize="12" FontStyle="0" FontColor="0"/>
</TakeNotes>
XML
touch -d '2001-01-01' "$notes"

# The prefix is made (once per build tree) before the clock of the start-up starts.
wine_run cmd /c exit >/dev/null 2>&1 || true
unset QT_QPA_PLATFORM QT_PLUGIN_PATH
(cd "$install" && exec "$root/scripts/wine-run" --prefix "$build/wineprefix" -- "$install/marovia.exe") \
  >"$install/stdout" 2>"$install/stderr" &
program_pid=$!

# Wine's X window for the program's host window: the largest viewable one it maps.
window=""
for _ in $(seq 300); do
  kill -0 "$program_pid" 2>/dev/null || break
  for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    size=$(xwininfo -id "$id" 2>/dev/null | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w * h}')
    [ "${size:-0}" -ge 1000000 ] && window=$id && break
  done
  [ -n "$window" ] && break
  sleep 0.1
done
check "marovia.exe maps its window" test -n "$window"
if [ -z "$window" ]; then cat "$install/stderr"; echo "$passes passed, $failures failed"; exit 1; fi
sleep "${MAROVIA_SMOKE_SETTLE:-8}"  # the first frames and the dock's slide-in

read -r wx wy ww wh < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
  /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
read -r ax ay aw ah < <(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g' | awk '{print $1, $2, $3, $4}')
check "the window covers the work area (${ww}x${wh}+${wx}+${wy}, work area ${aw}x${ah}+${ax}+${ay})" \
  test "$wx $wy $ww $wh" = "$ax $ay $aw $ah"

import -window root "$shots/screen.png"
centre=$((wx + ww / 2))
convert "$shots/screen.png" -crop "240x40+$((centre - 120))+0" +repage "$shots/switch.png"
convert "$shots/screen.png" -crop "900x170+$((centre - 450))+$((wy + wh - 170))" +repage "$shots/dock.png"
convert "$shots/screen.png" -crop "320x320+$((wx + 580))+$((wy + 280))" +repage "$shots/note.png"
colours() { convert "$1" -format '%k' info:; }
check "the switch is drawn ($(colours "$shots/switch.png") colours)" test "$(colours "$shots/switch.png")" -gt 20
check "the dock is drawn ($(colours "$shots/dock.png") colours)" test "$(colours "$shots/dock.png")" -gt 20
check "the note is drawn ($(colours "$shots/note.png") colours)" test "$(colours "$shots/note.png")" -gt 20

# taskkill without /f posts WM_CLOSE to the program's top-level windows, as Windows does at log-off.
wine_run taskkill /im marovia.exe >/dev/null 2>&1 || true
code=""
for _ in $(seq 200); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program_pid" 2>/dev/null; then
  check "WM_CLOSE ends the program" false
else
  set +e; wait "$program_pid"; code=$?; set -e
  program_pid=""
  check "WM_CLOSE ends the program with 0 (got $code)" test "$code" -eq 0
fi
check "TakeNote.dat is rewritten on the way out" test "$notes" -nt "$plan/Desktop.xml"
check "and still holds the note" grep -q '明天上午十点开会' "$notes"
[ "$failures" -eq 0 ] || { echo "--- stderr"; cat "$install/stderr"; }
echo "$passes passed, $failures failed; screenshots in $shots"
[ "$failures" -eq 0 ]
