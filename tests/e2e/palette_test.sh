#!/usr/bin/env bash
# The real mirufo.exe under Wine on a private Xvfb, driven with the mouse and
# the keyboard as a user would, and judged by what it leaves on disk: leaving
# a group writes it back with CR LF line ends and its bytes otherwise intact
# (a file already so is left alone),
# listing a class removes its empty group files, Enter in the entry box adds
# a face, Delete in the face list removes one, Escape ends the program.
# usage: palette_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=palette
. "$(dirname "$0")/e2e-lib.sh"

# --- a face library of our own ----------------------------------------------
want=$work/want
mkdir -p "$kao/A" "$kao/B" "$kao/C" "$kao/顔文字" "$want"

printf 'x\ny\n' >"$kao/A/g1.txt"              # LF only: rewritten with CR LF
printf 'x\r\ny\r\n' >"$want/g1.txt"
printf 'p\r\nq\r\n' >"$kao/A/g2.txt"          # already in form: kept as it is
cp "$kao/A/g2.txt" "$want/g2.txt"
# 0x5C as a trail byte (表, ソ) and an empty face must come back unchanged.
sjis '表示\r\n\r\n(´・ω・｀)ソ\r\n' >"$kao/B/h.txt"
cp "$kao/B/h.txt" "$want/h.txt"
: >"$kao/C/empty.txt"                          # 0 bytes: deleted on listing C
sjis 'ソフト' >"$kao/C/k.txt"                  # no final line break
sjis 'ソフト\r\n' >"$want/k.txt"
sjis '(^_^)\r\n' >"$kao/顔文字/笑顔.txt"         # a class and group named in Japanese
printf 'abc\r\n' >"$want/笑顔.txt"             # a face typed in, the old one deleted

# The program writes every group it leaves whose file would change; an old
# time stamp shows which.
old=$work/old-stamp
touch -d '2001-01-01 00:00' "$old" "$kao"/*/*.txt
touch -d '2001-01-02 00:00' "$old"

written() { [ "$1" -nt "$old" ]; }

# --- start: the palette alone, where a first start puts it -----------------
start_palette
xvfb_geometry "$palette"
[ "$WIN_X,$WIN_Y,$WIN_W,$WIN_H" = "0,0,250,400" ] ||
  fail "palette at $WIN_X,$WIN_Y size ${WIN_W}x$WIN_H, expected 0,0 size 250x400"
measure_rows

# Nothing is written merely by starting.
for f in "$kao"/*/*.txt; do
  ! written "$f" || fail "$f was written at start"
done

# --- class A is selected with its first group g1; choosing g2 leaves g1 -----
click_row "$group_top" 1
wait_for 10 "A\\g1.txt written on leaving it" written "$kao/A/g1.txt"
same "$kao/A/g1.txt" "$want/g1.txt"
! written "$kao/A/g2.txt" || fail "A\\g2.txt was written on entering it"

# --- the second class is B, the third C: choosing them leaves g2, then h ---
# Both files already hold what a write would give: they are not rewritten.
click_row "$class_top" 1
click_row "$class_top" 2
wait_for 10 "C\\empty.txt deleted on listing class C" test ! -e "$kao/C/empty.txt"
for f in A/g2.txt B/h.txt; do
  ! written "$kao/$f" || fail "$f was rewritten though it holds its faces as written"
  same "$kao/$f" "$want/${f#*/}"
done

# --- the fourth class is 顔文字: choosing it leaves k -------------------------
click_row "$class_top" 3
wait_for 10 "C\\k.txt written on leaving class C" written "$kao/C/k.txt"
same "$kao/C/k.txt" "$want/k.txt"
xvfb_screenshot "$build/e2e-palette-end.png" "$palette"

# --- a face typed into the entry box and Enter, the first face deleted ------
xvfb_click "$palette" $((client_x + 60)) $((client_y + 12))
give_keys "$palette"
xdotool key --delay 60 a b c Return
click_row "$face_top" 0
give_keys "$palette"
xdotool key Delete
sleep 0.5
xvfb_screenshot "$build/e2e-palette-edited.png" "$palette"

# --- Escape closes the program, which writes the group it shows -------------
close_palette
written "$kao/顔文字/笑顔.txt" || fail "顔文字\\笑顔.txt was not written at close"
same "$kao/顔文字/笑顔.txt" "$want/笑顔.txt"
# Nothing else is left in the library: no temporary file of a save.
left=$(cd "$kao" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
[ "$left" = "./A ./A/g1.txt ./A/g2.txt ./B ./B/h.txt ./C ./C/k.txt ./顔文字 ./顔文字/笑顔.txt " ] ||
  fail "the library holds: $left"

status=passed
echo "palette end to end: passed (pictures: $build/e2e-palette-rows.png, $build/e2e-palette-end.png)"
