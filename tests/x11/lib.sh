# Shared steps of the X11 tests: a fresh installation folder, starting and finding the program.
set -euo pipefail
executable=$1
failures=0
passes=0

install=$(mktemp -d)
helper_pids=()
cleanup() {
  stop_program
  for pid in "${helper_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$install"
}
trap cleanup EXIT
cp "$executable" "$install/marovia"
cp -r "$(dirname "$executable")/Images" "$install/Images"

check() {  # check "what" command...
  local what=$1; shift
  if "$@"; then passes=$((passes + 1)); echo "ok: $what"; else failures=$((failures + 1)); echo "FAILED: $what"; fi
}

program_pid=""
start_program() {
  "$install/marovia" >"$install/stdout" 2>"$install/stderr" &
  program_pid=$!
  main_window=""
  for _ in $(seq 200); do
    main_window=$(main_window_id || true)
    [ -n "$main_window" ] && map_state "$main_window" | grep -q IsViewable && return 0
    sleep 0.05
  done
  echo "the program's window did not appear"; cat "$install/stderr"; return 1
}

stop_program() {
  [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null && kill -TERM "$program_pid" && wait "$program_pid" || true
  program_pid=""
}

main_window_id() {  # the program's main window: the one with its WM_CLASS and the desktop-level state
  local id
  for id in $(xdotool search --pid "$program_pid" 2>/dev/null); do
    if xprop -id "$id" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_BELOW; then echo "$id"; return 0; fi
  done
  return 1
}

map_state() { xwininfo -id "$1" | sed -n 's/.*Map State: //p'; }

pointer_window() {  # the top-level client window under the pointer (0 for the root)
  xdotool mousemove "$1" "$2"; sleep 0.1
  xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p'
}

finish() {
  echo "$passes passed, $failures failed"
  [ "$failures" -eq 0 ]
}

# Whether a window id is our main window or the window manager's frame around it.
is_ours() {
  local frame root
  frame=$(xwininfo -tree -id "$main_window" | sed -n 's/.*Parent window id: \(0x[0-9a-fA-F]*\).*/\1/p')
  root=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-fA-F]*\).*/\1/p')
  [ "$(($1))" -eq "$((main_window))" ] && return 0
  [ -n "$frame" ] && [ "$((frame))" -ne "$((root))" ] && [ "$(($1))" -eq "$((frame))" ]
}

# The managed client windows from the bottom of the stack up, one id a line.
stacking_order() {
  xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | grep -o '0x[0-9a-fA-F]*' || true
}
not_ours() { ! is_ours "$1"; }

pixel() {  # the colour of one screen pixel as "r g b" (from the hex form, which every colour has:
  # a named one such as black lacks the srgb() form)
  local hex
  hex=$(import -window root -crop "1x1+$1+$2" -depth 8 txt:- | tail -1 | grep -o '#[0-9A-Fa-f]\{6\}' | head -1)
  echo "$((16#${hex:1:2})) $((16#${hex:3:2})) $((16#${hex:5:2}))"
}
brightness() { local r g b; read -r r g b <<<"$(pixel "$1" "$2")"; echo $(( (r + g + b) / 3 )); }

# Prints the client id of the managed window with the given title once the window manager has it.
managed_window() {
  local id
  for _ in $(seq 100); do
    for id in $(stacking_order); do
      xprop -id "$id" WM_NAME 2>/dev/null | grep -q "\"$1\"" && { echo "$id"; return 0; }
    done
    sleep 0.05
  done
  return 1
}

# Starts an xmessage window with the given geometry and prints its client id once it is managed.
open_ordinary_window() {
  local title="ordinary-$RANDOM"
  xmessage -title "$title" -geometry "$1" "an ordinary window" >/dev/null 2>&1 & helper_pids+=($!)
  managed_window "$title"
}

# Another program that takes typing: xev, which logs every key that reaches it to the given file.
open_typing_window() {  # geometry log
  local title="typing-$RANDOM"
  stdbuf -oL xev -geometry "$1" -name "$title" -event keyboard >"$2" 2>&1 & helper_pids+=($!)
  managed_window "$title"
}

# Waits up to the given seconds for a command to succeed.
wait_until() {  # seconds command...
  local tries=$(($1 * 10)); shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  "$@"
}

# The position of a client in the stacking order, from the bottom (-1 when absent).
stack_position() {
  local i=0 id
  for id in $(stacking_order); do
    [ "$((id))" = "$(($1))" ] && { echo "$i"; return 0; }
    i=$((i + 1))
  done
  echo -1
}

# Opens the tray menu from the switch (no notification area runs) and chooses an item by its
# place among the shown items, from the top.
choose_switch_menu_item() {
  local width
  width=$(xwininfo -id "$main_window" | sed -n 's/.*Width: //p')
  xdotool mousemove $((width / 2 - 101 + 145)) 15 click 3
  sleep 0.5
  for _ in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
  sleep 0.5
}

# A plan of a few side and dock buttons with a translucent round icon, written before the start.
write_plan() {
  local plan="$install/Data/默认方案" i entries=""
  mkdir -p "$plan"
  convert -size 48x48 xc:none -fill 'rgba(230,80,40,0.9)' -draw 'circle 24,24 24,4' "$plan/icon.Png"
  for i in 1 2 3; do
    entries+="<MVButton Name=\"Side$i\" Place=\"0\" IsRunAsk=\"false\" FileName=\"/bin/true\" CmdLine=\"\" Image=\"icon.Png\" IsAdvert=\"false\"/>"
    entries+="<MVButton Name=\"Dock$i\" Place=\"1\" IsRunAsk=\"false\" FileName=\"/bin/true\" CmdLine=\"\" Image=\"icon.Png\" IsAdvert=\"false\"/>"
  done
  printf '<?xml version="1.0"?>\n<Desktop><MVButtons>%s</MVButtons></Desktop>' "$entries" >"$plan/Desktop.xml"
}

# Sets a root picture as desktops do (feh writes _XROOTPMAP_ID and ESETROOT_PMAP_ID): a gradient
# with a checker, so that blending against the wrong pixels shows.
set_wallpaper() {  # set_wallpaper file [colour-from colour-to]
  convert -size 1920x1080 "gradient:${2:-#3060a0}-${3:-#a0c060}" \
    \( -size 1920x1080 pattern:checkerboard -alpha set -channel A -evaluate set 15% \) -composite "$1"
  feh --no-fehbg --bg-scale "$1"
}
