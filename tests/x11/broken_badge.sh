#!/usr/bin/env bash
# A desktop button whose program has been removed shows its red badge on the desktop panel; one
# whose program is there shows none.
source "$(dirname "$0")/lib.sh"

plan="$install/Data/默认方案"
mkdir -p "$plan"
touch "$install/present.sh" "$install/removed.sh"
chmod +x "$install/present.sh" "$install/removed.sh"
entries="<MVButton Name=\"Gone\" Place=\"2\" IsRunAsk=\"false\" FileName=\"$install/removed.sh\" CmdLine=\"\" Image=\"\"/>"
entries+="<MVButton Name=\"Here\" Place=\"2\" IsRunAsk=\"false\" FileName=\"$install/present.sh\" CmdLine=\"\" Image=\"\"/>"
printf '<?xml version="1.0"?>\n<Desktop><MVButtons>%s</MVButtons></Desktop>' "$entries" >"$plan/Desktop.xml"

start_program
sleep 0.5
rm "$install/removed.sh"
width=$(xwininfo -id "$main_window" | sed -n 's/.*Width: //p')
# "Marovia" on the switch slides the panel in; the panel looks at the files as it comes.
xdotool mousemove $((width / 2 - 101 + 145)) 15 click 1
sleep 1.2
# Cells are 84 x 94 from (4, 4): "Win桌面文件", then Gone, then Here. The 14-pixel badge sits one
# pixel inside the top-right corner of the 80-wide button.
read -r r g b <<<"$(pixel 72 106)"
check "the button of the removed program has a red badge ($r $g $b)" test "$r" -gt 150 -a "$g" -lt 110 -a "$b" -lt 110
read -r r2 g2 b2 <<<"$(pixel 72 200)"
check "the button of the present one has none ($r2 $g2 $b2)" test ! \( "$r2" -gt 150 -a "$g2" -lt 110 -a "$b2" -lt 110 \)
finish
