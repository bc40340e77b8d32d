#!/usr/bin/env bash
# Distribution archives with the real mirufo.exe and our UNLHA32.DLL under
# Wine: a class packed into an archive through the file menu and the save
# dialog (real key input), checked with lhasa, deleted, unpacked again
# through the open dialog and compared byte for byte. Then the program
# without the DLL: the archive commands are greyed and do nothing.
# usage: archive_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=archive
. "$(dirname "$0")/e2e-lib.sh"

[ -f "$work/UNLHA32.DLL" ] || fail "UNLHA32.DLL is not beside mirufo.exe"
mkdir -p "$kao/cls"
sjis 'a\r\nb\r\n' >"$kao/cls/g.txt"
sjis '(^_^)\r\nソ表\r\n' >"$kao/cls/顔文字.txt"
{ head -c 30000 /dev/zero | tr '\0' 'x'; printf '\r\n'; } >"$kao/cls/big.txt"
cp -r "$kao/cls" "$work/original"
archive_win="Z:$(tr / '\\\\' <<<"$work")\\cls.lzh"

in_dialog() { choose_file "$archive_win" "$build/e2e-archive-dialog.png"; }

start_palette
measure_rows
file_menu b # 配布用保存(&B)
in_dialog
wait_for 20 "cls.lzh written" test -s "$work/cls.lzh"
sleep 1
lha t "$work/cls.lzh" >"$work/lha-test.txt" 2>&1 || fail "lhasa rejects the archive: $(cat "$work/lha-test.txt")"

# The class goes (Delete in the class list, no question) and comes back.
click_row "$class_top" 0
give_keys "$palette"
xdotool key Delete
wait_for 10 "class cls deleted" test ! -e "$kao/cls"
file_menu a Return # the first of two &A items: 配布用取込
in_dialog
wait_for 20 "class cls unpacked" test -f "$kao/cls/big.txt"
sleep 1
xvfb_screenshot "$build/e2e-archive.png" "$palette"
for f in g.txt 顔文字.txt big.txt; do same "$kao/cls/$f" "$work/original/$f"; done
[ "$(ls "$kao/cls" | wc -l)" -eq 3 ] || fail "cls holds $(ls "$kao/cls")"
close_palette

# Without the archiver the two commands are greyed: choosing one opens nothing.
rm "$work/UNLHA32.DLL"
start_palette
file_menu
sleep 0.5
xvfb_screenshot "$build/e2e-archive-no-dll.png"
xdotool key b
sleep 3
if xdotool search --onlyvisible --name "$dialog_titles" >/dev/null 2>&1; then fail "a file dialog opened without the archiver"; fi
# The menu may still be open: Escape closes it, then the palette.
for _ in 1 2; do
  if kill -0 "$pid" 2>/dev/null; then
    xdotool key Escape
    sleep 1
  fi
done
wait_for 20 "the program ending on Escape" eval '! kill -0 "$pid" 2>/dev/null'

status=passed
echo "archives end to end: passed (pictures: $build/e2e-archive-dialog.png, $build/e2e-archive.png, $build/e2e-archive-no-dll.png)"
