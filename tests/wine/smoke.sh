#!/usr/bin/env bash
# The installed Windows program under wine on the current (private) display: a fresh copy of the
# installation folder with a plan of dock and side-bar buttons and a note; its window covers the work
# area; screenshots of the switch, the dock and the note; a click on a dock button starts the test
# recorder (build-win/tests/win32_recorder.exe) with parameters a command interpreter would act on,
# and it must get exactly them, once; the note is edited through the keyboard; the launch key
# (Win+Alt+Space) and the pinyin of the button's name start the recorder the same way; a file and
# a shell link dropped from a file manager (XDND) become dock buttons; a WM_CLOSE (taskkill, as
# Windows' own shut-down does) ends the program through its normal shut-down, which rewrites
# TakeNote.dat with the typed text; a start with a Desktop.xml cut off part-way shows the program's
# message and keeps the damaged file beside it.
# Usage: smoke.sh BUILD-WIN/bin   (screenshots are left in BUILD-WIN/smoke/; the drop's source is
# the Linux build's tests/xdnd_drop, from $MAROVIA_BUILD or build/)
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
# Wine sees the whole Unix file system as drive Z:.
windows_path() { local p; p=$(realpath -m "$1"); printf 'Z:%s' "${p//\//\\}"; }
# A file manager's address of a file: file:// and the path's UTF-8 bytes, all but the plain ones
# escaped.
file_uri() {
  local LC_ALL=C s=$1 out="" c i
  for ((i = 0; i < ${#s}; i++)); do
    c=${s:i:1}
    case $c in [a-zA-Z0-9/._~-]) out+=$c ;; *) printf -v c '%%%02X' "'$c"; out+=$c ;; esac
  done
  printf 'file://%s' "$out"
}
# A shell link written byte by byte in the shell link layout: the 76-byte header (flags: link
# information, arguments, Unicode strings), a link information block with the target's local path
# (in ASCII here), the arguments in UTF-16 and the closing empty extra-data block.
le32() { local n=$1; printf "\\x$(printf %02x $((n & 255)))\\x$(printf %02x $((n >> 8 & 255)))\\x$(printf %02x $((n >> 16 & 255)))\\x$(printf %02x $((n >> 24 & 255)))"; }
le16() { local n=$1; printf "\\x$(printf %02x $((n & 255)))\\x$(printf %02x $((n >> 8 & 255)))"; }
write_shell_link() {  # write_shell_link FILE TARGET ARGUMENTS
  local target=$2 arguments=$3 path_at=$((0x1C + 17))
  {
    le32 0x4C
    printf '\x01\x14\x02\x00\x00\x00\x00\x00\xc0\x00\x00\x00\x00\x00\x00\x46'
    le32 0xA2
    le32 0x20
    head -c 24 /dev/zero
    le32 0; le32 0; le32 1
    head -c 12 /dev/zero
    le32 $((path_at + ${#target} + 2)); le32 0x1C; le32 1; le32 0x1C; le32 "$path_at"; le32 0
    le32 $((path_at + ${#target} + 1))
    le32 0x11; le32 3; le32 0x4D56; le32 0x10; head -c 1 /dev/zero
    printf '%s\0\0' "$target"
    le16 "$(printf '%s' "$arguments" | iconv -f UTF-8 -t UTF-16LE | wc -c | awk '{print $1 / 2}')"
    printf '%s' "$arguments" | iconv -f UTF-8 -t UTF-16LE
    le32 0
  } >"$1"
}
# (quoted replacements: an unquoted '&' there stands for the matched text)
xml_escape() { local s=$1; s=${s//&/"&amp;"}; s=${s//</"&lt;"}; s=${s//>/"&gt;"}; s=${s//\"/"&quot;"}; printf '%s' "$s"; }

install=$(mktemp -d)
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill -9 "$program_pid" 2>/dev/null || true
  rm -rf "$install"
}
trap cleanup EXIT
(cd "$bin" && cp -a marovia.exe ./*.dll qt.conf platforms styles imageformats Images "$install/")
rm -rf "$shots" && mkdir -p "$shots"

# The recorder in a folder whose names have blanks and Chinese, as users' folders do; it writes the
# command line it got to MAROVIA_RECORDER_OUT, which it inherits from the program.
recorder="$install/录制 程序/记录 器.exe"
recorded="$install/recorded.bin"
[ -f "$build/tests/win32_recorder.exe" ] ||
  { echo "smoke.sh: no $build/tests/win32_recorder.exe (the full scripts/build-windows makes it)"; exit 1; }
# The file manager's side of a drop is the Linux build's XDND source.
dropper=${MAROVIA_BUILD:-$root/build}/tests/xdnd_drop
[ -x "$dropper" ] || { echo "smoke.sh: no $dropper (scripts/build makes it)"; exit 1; }
mkdir -p "$(dirname "$recorder")"
cp "$build/tests/win32_recorder.exe" "$recorder"
export MAROVIA_RECORDER_OUT
MAROVIA_RECORDER_OUT=$(windows_path "$recorded")
params='"C:\Program Files\a b" 中文 参数 a"b "" ^& & second | more < in > out ^ %PATH% %% 100%'

plan="$install/Data/默认方案"
mkdir -p "$plan"
{
  printf '<?xml version="1.0"?>\n<Desktop><MVButtons>\n'
  printf '<MVButton Name="记录" Place="1" IsRunAsk="false" FileName="%s" CmdLine="%s" Image=""/>\n' \
    "$(xml_escape "$(windows_path "$recorder")")" "$(xml_escape "$params")"
} >"$plan/Desktop.xml"
cat >>"$plan/Desktop.xml" <<'XML'
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
start_program() {
  (cd "$install" && exec "$root/scripts/wine-run" --prefix "$build/wineprefix" -- "$install/marovia.exe") \
    >"$install/stdout" 2>"$install/stderr" &
  program_pid=$!
}
# The first of wine's viewable X windows of the program whose area is at least min-area and below
# max-area (and whose title is the one given), or nothing.
# (wine names its X windows' class after the program; the root window is no candidate)
program_window() {  # program_window min-area max-area [title]
  local id size
  for id in $(xdotool search --onlyvisible --classname '^marovia\.exe$' 2>/dev/null); do
    if [ -n "${3:-}" ]; then xprop -id "$id" WM_NAME 2>/dev/null | grep "= \"$3\"\$" >/dev/null || continue; fi
    size=$(xwininfo -id "$id" 2>/dev/null | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w * h}')
    if [ "${size:-0}" -ge "$1" ] && [ "${size:-0}" -lt "$2" ]; then echo "$id"; return 0; fi
  done
  return 0
}
# The program's host window: the largest viewable one it maps.
wait_for_host_window() {
  window=""
  for _ in $(seq 300); do
    kill -0 "$program_pid" 2>/dev/null || break
    window=$(program_window 1000000 100000000)
    [ -n "$window" ] && break
    sleep 0.1
  done
}
start_program
wait_for_host_window
check "marovia.exe maps its window" test -n "$window"
# (grep without -q reads the whole listing: stopping at the first match would cut xwininfo off
# with a closed pipe, which pipefail counts as no match)
if xwininfo -root -tree | grep '"xcompmgr"' >/dev/null; then echo "(under the xcompmgr compositor)"; else echo "(no compositor)"; fi
if [ -z "$window" ]; then cat "$install/stderr"; echo "$passes passed, $failures failed"; exit 1; fi
read -r wx wy ww wh < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
  /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
read -r ax ay aw ah < <(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g' | awk '{print $1, $2, $3, $4}')
check "the window covers the work area (${ww}x${wh}+${wx}+${wy}, work area ${aw}x${ah}+${ax}+${ay})" \
  test "$wx $wy $ww $wh" = "$ax $ay $aw $ah"

centre=$((wx + ww / 2))
shoot() {
  import -window root "$shots/screen.png"
  convert "$shots/screen.png" -crop "240x40+$((centre - 120))+0" +repage "$shots/switch.png"
  convert "$shots/screen.png" -crop "900x170+$((centre - 450))+$((wy + wh - 170))" +repage "$shots/dock.png"
  convert "$shots/screen.png" -crop "320x320+$((wx + 580))+$((wy + 280))" +repage "$shots/note.png"
}
colours() { convert "$1" -format '%k' info:; }
drawn() { [ "$(colours "$1")" -gt 20 ]; }
# Wine maps the window before the first frame is presented, and on a loaded machine that frame can
# take seconds (blank screenshots, with or without a compositor): wait for it, then for the dock's
# slide-in to end.
waiting=$SECONDS
while [ $((SECONDS - waiting)) -lt "${MAROVIA_SMOKE_WAIT:-60}" ]; do
  shoot
  drawn "$shots/switch.png" && drawn "$shots/dock.png" && drawn "$shots/note.png" && break
  sleep 0.5
done
echo "(drawn $((SECONDS - waiting)) s after the window mapped)"
sleep 1.5
shoot
check "the switch is drawn ($(colours "$shots/switch.png") colours)" test "$(colours "$shots/switch.png")" -gt 20
check "the dock is drawn ($(colours "$shots/dock.png") colours)" test "$(colours "$shots/dock.png")" -gt 20
check "the note is drawn ($(colours "$shots/note.png") colours)" test "$(colours "$shots/note.png")" -gt 20

# The recorder is the dock's first button: the dock is centred 20 pixels above the bottom (55 high,
# 80 wider than its row of 68-pixel steps), its row starts 50 in and rises 30; a button is 64x80.
dock_buttons=4
dock_x=$(((ww - (dock_buttons * 68 + 80)) / 2))
click_x=$((wx + dock_x + 50 + 32))
click_y=$((wy + wh - 75 - 30 + 40))
xdotool mousemove "$click_x" "$click_y" click 1
for _ in $(seq 150); do [ -f "$recorded" ] && break; sleep 0.1; done
check "a click on the dock button starts the recorder" test -f "$recorded"
line=$(iconv -f UTF-16LE -t UTF-8 "$recorded" 2>/dev/null || true)
# The line is the quoted program, one blank, then the parameters exactly as the button holds them.
program=${line#\"}
program=${program%%\"*}
rest=${line:$((${#program} + 3))}
check "it got the program quoted (${program:-nothing})" test "${line:0:$((${#program} + 3))}" = "\"$program\" "
check "it was the recorder" test "${program##*\\}" = "记录 器.exe"
check "it got exactly the button's parameters (got: $rest)" test "$rest" = "$params"
sleep 1
check "and it was started once" test ! -e "$recorded.part"

# The keyboard: a double click on the note opens its editor over the note's text, the typed text is
# appended, and a click on the empty desktop ends the edit; the shut-down below writes it out.
typed="typed-through-the-keyboard 42"
xdotool mousemove $((wx + 700)) $((wy + 420)) click --repeat 2 --delay 120 1
sleep 2
xdotool key ctrl+End
xdotool type --delay 40 " $typed"
sleep 1
import -window root "$shots/editing.png"
xdotool mousemove $((wx + 300)) $((wy + 700)) click 1
sleep 2
import -window root "$shots/edited.png"
convert "$shots/edited.png" -crop "320x320+$((wx + 580))+$((wy + 280))" +repage "$shots/note-edited.png"
changed=$(compare -metric AE "$shots/note.png" "$shots/note-edited.png" null: 2>&1 || true)
check "the note shows the edit ($changed pixels changed)" awk -v n="$changed" 'BEGIN { exit !(n + 0 > 50) }'

# The launch key: Win+Alt+Space slides the desktop panel in for a search over the buttons' names,
# the pinyin of 记录 (in full, then its initials) finds it and Return starts it. Wine turns a key
# into WM_HOTKEY only when the key reaches one of its windows, i.e. while a wine window has the X
# keyboard focus (on Windows the key works whatever window has it), and wine 8 moves the X focus
# to a window the window manager manages only when the window manager hands it over (a program's
# own SetForegroundWindow does not). Here the focus is elsewhere at each search: the click that
# ended the note's edit fell through the window's transparent pixels onto the bare desktop, and
# once a search has started a program the window manager has given it to another wine window (the
# system tray's). So each search first activates the program's own window through the window
# manager, as a click on its taskbar entry would.
search_by_key() {  # search_by_key typed-text
  rm -f "$recorded" "$recorded.part"
  xdotool windowactivate "$window" 2>/dev/null || true
  for _ in $(seq 20); do [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ] && break; sleep 0.1; done
  local focused
  focused=$(xdotool getwindowfocus 2>/dev/null || true)
  check "the program's window has the keyboard focus (focus $focused, window $window)" test "$focused" = "$window"
  import -window root "$shots/key-before.png"
  xdotool key super+alt+space
  sleep 1.2
  import -window root "$shots/key-$1-panel.png"
  xdotool type --delay 60 "$1"
  sleep 0.6
  import -window root "$shots/key-$1-typed.png"
  local panel typed
  panel=$(compare -metric AE "$shots/key-before.png" "$shots/key-$1-panel.png" null: 2>&1 || true)
  typed=$(compare -metric AE "$shots/key-$1-panel.png" "$shots/key-$1-typed.png" null: 2>&1 || true)
  check "the launch key slides the desktop panel in ($panel pixels changed)" \
    awk -v n="$panel" 'BEGIN { exit !(n + 0 > 100000) }'
  check "the search shows \"$1\" ($typed pixels changed)" awk -v n="$typed" 'BEGIN { exit !(n + 0 > 50) }'
  xdotool key Return
  for _ in $(seq 100); do [ -f "$recorded" ] && break; sleep 0.1; done
  check "Return after \"$1\" starts the recorder" test -f "$recorded"
  line=$(iconv -f UTF-16LE -t UTF-8 "$recorded" 2>/dev/null || true)
  check "it got exactly the button's parameters (got: ${line#*.exe\" })" test "$line" = "\"$(windows_path "$recorder")\" $params"
  sleep 0.8
  check "and it was started once" test ! -e "$recorded.part"
}
search_by_key jilu
search_by_key jl

# A drop from a file manager (the Linux build's XDND source) on the right half of the dock's first
# button: wine hands the XDND drop to the window's OLE drop target, and a plain file and a shell
# link to notepad become the dock's second and third buttons, each with its icon written into the
# plan's folder; the link's button starts its target with its arguments.
sleep 0.6
dropped="$install/使用 说明.txt"
echo "read me" >"$dropped"
link="$install/笔记 快捷方式.lnk"
link_arguments="-n 文件 名.txt"
write_shell_link "$link" 'C:\windows\notepad.exe' "$link_arguments"
drop_x=$((click_x + 10))
drop_y=$((wy + wh - 75 + 10))
check "the drop on the dock is taken" "$dropper" "$window" "$drop_x" "$drop_y" "$(file_uri "$dropped")" "$(file_uri "$link")"
for _ in $(seq 50); do grep -q 'Name="笔记 快捷方式"' "$plan/Desktop.xml" && break; sleep 0.1; done
order=$(grep -o ' Name="[^"]*"' "$plan/Desktop.xml" | sed 's/ Name="\(.*\)"/\1/' | tr '\n' '/')
check "they are the dock's second and third buttons ($order)" \
  test "$order" = "记录/使用 说明/笔记 快捷方式/记事本/计算器/命令行/资源管理器/网页/"
entry=$(grep -o '<MVButton Name="使用 说明"[^>]*>' "$plan/Desktop.xml" || true)
check "the file's button points at it ($entry)" \
  grep -qF "Place=\"1\" IsRunAsk=\"false\" FileName=\"$(windows_path "$dropped")\" CmdLine=\"\"" <<<"$entry"
link_entry=$(grep -o '<MVButton Name="笔记 快捷方式"[^>]*>' "$plan/Desktop.xml" || true)
check "the link's button starts its target with its arguments ($link_entry)" \
  grep -qF "Place=\"1\" IsRunAsk=\"false\" FileName=\"C:\\windows\\notepad.exe\" CmdLine=\"$link_arguments\"" <<<"$link_entry"
for e in "$entry" "$link_entry"; do
  icon=$(sed -n 's/.* Image="\([^"]*\)".*/\1/p' <<<"$e")
  check "an icon written under a GUID name ($icon)" grep -Eq '^\{[0-9A-F-]{36}\}\.Ico$' <<<"$icon"
  check "in the plan's folder" test -n "$icon" -a -s "$plan/$icon"
done

# taskkill without /f posts WM_CLOSE to the program's top-level windows, as Windows does at log-off.
close_program() {
  wine_run taskkill /im marovia.exe >/dev/null 2>&1 || true
  local code=""
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
}
close_program
check "TakeNote.dat is rewritten on the way out" test "$notes" -nt "$plan/Desktop.xml"
check "and still holds the note" grep -q '明天上午十点开会' "$notes"
check "with the text typed into it" grep -q "$typed" "$notes"

# A Desktop.xml cut off in the middle of an entry: the next start says so in a message box titled
# Marovia, keeps a copy of the damaged file beside it and leaves the file itself as it was; once
# the box is answered the program goes on with the buttons before the damage.
damage_started=$(date +%s%N)
cut_at=$(grep -m 1 -bo '<MVButton Name="记事本"' "$plan/Desktop.xml" | cut -d: -f1)
head -c "$((cut_at + 40))" "$plan/Desktop.xml" >"$install/cut.xml"
cp "$install/cut.xml" "$plan/Desktop.xml"
start_program
box=""
for _ in $(seq 300); do
  kill -0 "$program_pid" 2>/dev/null || break
  box=$(program_window 1 1000000 Marovia)
  [ -n "$box" ] && break
  sleep 0.1
done
check "a start with a damaged Desktop.xml shows a message box" test -n "$box"
if [ -n "$box" ]; then
  # Mapped before it is painted: the message's text draws many colours into it.
  for _ in $(seq 50); do
    import -window root -crop "$(xwininfo -id "$box" | awk '/Absolute upper-left X/ {x=$4}
      /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}')" \
      +repage "$shots/damaged-file.png"
    drawn "$shots/damaged-file.png" && break
    sleep 0.2
  done
  check "with its message drawn ($(colours "$shots/damaged-file.png") colours)" drawn "$shots/damaged-file.png"
fi
copies=("$plan"/Desktop.xml.unreadable-*)
check "the damaged file is kept beside it (${copies[*]##*/})" test "${#copies[@]}" -eq 1 -a -f "${copies[0]}"
check "the copy holds every byte of it" cmp -s "${copies[0]}" "$install/cut.xml"
check "and the file itself is left as it was" cmp -s "$plan/Desktop.xml" "$install/cut.xml"
if [ -n "$box" ]; then
  # Its default button (确定) takes Return once the window manager has given the box the focus.
  xdotool windowactivate "$box" 2>/dev/null || true
  for _ in $(seq 20); do [ "$(xdotool getwindowfocus 2>/dev/null)" = "$box" ] && break; sleep 0.1; done
  xdotool key Return
fi
wait_for_host_window
check "once the box is answered the program goes on and maps its window" test -n "$window"
close_program
check "the damaged file is still as it was after the program ended" cmp -s "$plan/Desktop.xml" "$install/cut.xml"
echo "(the start with a damaged file took $((($(date +%s%N) - damage_started) / 1000000)) ms)"
[ "$failures" -eq 0 ] || { echo "--- stderr"; cat "$install/stderr"; }
echo "$passes passed, $failures failed; screenshots in $shots"
[ "$failures" -eq 0 ]
