#!/usr/bin/env bash
# The launch key from the keyboard of the display: Super+Space (or Ctrl+Alt+Space where Super+Space
# is held) slides the desktop panel in, pinyin initials typed on the keyboard find a Chinese name,
# Return starts it.
source "$(dirname "$0")/lib.sh"

plan="$install/Data/默认方案"
mkdir -p "$plan"
entries=""
for name in 文件管理 记事本 计算器; do
  printf '#!/bin/sh\ntouch "%s/launched-%s"\n' "$install" "$name" >"$install/run-$name.sh"
  chmod +x "$install/run-$name.sh"
  entries+="<MVButton Name=\"$name\" Place=\"2\" IsRunAsk=\"false\" FileName=\"$install/run-$name.sh\" CmdLine=\"\" Image=\"\"/>"
done
printf '<?xml version="1.0"?>\n<Desktop><MVButtons>%s</MVButtons></Desktop>' "$entries" >"$plan/Desktop.xml"

start_program
sleep 0.5

search() {  # search key-combination typed-text
  xdotool key "$1"
  sleep 1
  xdotool type --delay 60 "$2"
  sleep 0.3
  xdotool key Return
  for _ in $(seq 40); do ls "$install"/launched-* >/dev/null 2>&1 && return 0; sleep 0.05; done
  return 1
}
if ! search super+space jsq; then
  xdotool key Escape
  sleep 1
  search ctrl+alt+space jsq || true
fi
check "the initials jsq started 计算器" test -e "$install/launched-计算器"
check "and nothing else" test "$(ls "$install" | grep -c '^launched-')" -eq 1
finish
