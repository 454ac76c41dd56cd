#!/usr/bin/env bash
# An installation made by `cmake --install` into a prefix nobody may write, run by a user with a
# fresh home folder: the program starts from bin/, reads its pictures from the installation and
# keeps its data in ~/.local/share/marovia.
source "$(dirname "$0")/lib.sh"

build=$(cd "$(dirname "$executable")/.." && pwd)
prefix=$(mktemp -d)
home=$(mktemp -d)
trap 'stop_program; chmod -R u+w "$prefix"; rm -rf "$prefix" "$home" "$install"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
chmod -R a-w "$prefix"
listing() { (cd "$prefix" && find . | sort); }
before=$(listing)

check "bin/marovia leads to the installed executable" test "$(readlink -f "$prefix/bin/marovia")" = "$prefix/lib/marovia/marovia"
check "the pictures lie beside it" test -f "$prefix/lib/marovia/Images/DockPanelLeft.png" -a -f "$prefix/lib/marovia/Images/TakeNotes/7.Png"
check "the desktop entry is valid" desktop-file-validate "$prefix/share/applications/marovia.desktop"
check "the menu icon is in the hicolor theme" test -f "$prefix/share/icons/hicolor/48x48/apps/marovia.png"

HOME=$home env -u XDG_DATA_HOME -u XDG_CONFIG_HOME "$prefix/bin/marovia" >"$home/stdout" 2>"$home/stderr" &
program_pid=$!
main_window=""
for _ in $(seq 200); do
  main_window=$(main_window_id || true)
  [ -n "$main_window" ] && map_state "$main_window" | grep -q IsViewable && break
  sleep 0.05
done
check "the installed program shows its window" test -n "$main_window"
data=$home/.local/share/marovia/Data
check "the plan folder is made in ~/.local/share/marovia" test -d "$data/默认方案"
stop_program
check "the notes are saved there on the way out" test -f "$data/TakeNote.dat"
check "nothing was written into the installation" test "$(listing)" = "$before"
[ "$failures" -eq 0 ] || cat "$home/stderr"
finish
