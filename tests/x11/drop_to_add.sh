#!/usr/bin/env bash
# Drag and drop from another program, made with a small XDND source: a .desktop entry dropped on
# the right half of the first dock button becomes the second dock button, named as the entry names
# itself; a plain file dropped on an empty part of the desktop panel becomes its last button.
source "$(dirname "$0")/lib.sh"
dropper="$(dirname "$executable")/../tests/xdnd_drop"

write_plan
start_program
sleep 0.5
width=$(xwininfo -id "$main_window" | sed -n 's/.*Width: //p')
height=$(xwininfo -id "$main_window" | sed -n 's/.*Height: //p')
printf '[Desktop Entry]\nType=Application\nName=文件管理\nExec=/bin/true\nIcon=folder\n' >"$install/files.desktop"
echo "some notes" >"$install/notes.txt"

names() { grep -o ' Name="[^"]*"' "$install/Data/默认方案/Desktop.xml" | sed 's/ Name="\(.*\)"/\1/' | tr '\n' ' '; }

# Three dock buttons: the dock is 3 × 68 + 80 wide, centred, 20 above the bottom; its row begins
# 50 in and its 64 × 80 buttons stand 30 above its strip.
dock_x=$(((width - 284) / 2))
dock_y=$((height - 55 - 20))
check "the drop on the dock is taken" "$dropper" "$main_window" $((dock_x + 50 + 32 + 10)) $((dock_y + 10)) "file://$install/files.desktop"
sleep 0.5
order=$(names)
# In the file it goes before the next dock entry, so the dock shows it second.
check "the entry is the second dock button ($order)" test "$order" = "Side1 Dock1 Side2 文件管理 Dock2 Side3 Dock3 "
check "its icon was written under a GUID name" grep -Eq 'Name="文件管理"[^>]*Image="\{[0-9A-F-]{36}\}\.Ico"' "$install/Data/默认方案/Desktop.xml"

xdotool mousemove $((width / 2 - 101 + 145)) 15 click 1
sleep 1.2
check "the drop on the desktop panel is taken" "$dropper" "$main_window" $((width / 2)) $((height / 2)) "file://$install/notes.txt"
sleep 0.5
order=$(names)
check "the file is the last button ($order)" test "$order" = "Side1 Dock1 Side2 文件管理 Dock2 Side3 Dock3 notes "
check "a desktop button pointing at it" grep -q "Name=\"notes\" Place=\"2\" IsRunAsk=\"false\" FileName=\"$install/notes.txt\"" "$install/Data/默认方案/Desktop.xml"
finish
