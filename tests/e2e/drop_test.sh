#!/usr/bin/env bash
# Files and folders dragged onto the real mirufo.exe under Wine the way a
# file manager does it, by X drag and drop: two text files as groups and as
# dictionaries, a folder, an archive in both formats, an image, and with
# "dragdrop" on. Every file taken in is checked byte for byte; the unpack
# folder beside the program must be gone, and links inside it must not be
# followed out.
# usage: drop_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=drop
. "$(dirname "$0")/e2e-lib.sh"

cc -O -o "$work/xdnd_drop" "$(dirname "$0")/xdnd_drop.c" -lX11 || fail "cannot build the drag source"

mkdir -p "$kao/A" "$work/drop/fold/sub" "$work/pack" "$work/precious"
sjis '(^_^)\r\n' >"$kao/A/g.txt"
sjis 'ソ表\r\n(-_-)\r\n' >"$work/drop/ソ表.txt" # trail byte 0x5C in the name
sjis '!x\r\nface two\r\n' >"$work/drop/two.txt"
sjis '3\r\n' >"$work/drop/three.txt"
sjis 'よみ\t(-_-)\t顔文字\r\nよみ\t(^o^)\t顔文字\r\nあさ\tおはよう\t挨拶\r\n' >"$work/drop/dic1.txt"
sjis 'ねこ\t(=^.^=)\t猫\r\n' >"$work/drop/dic2.txt"
sjis 'f1\r\n' >"$work/drop/fold/f.txt"
sjis 'f2\r\n' >"$work/drop/fold/sub/s.txt"
convert -size 8x8 xc:red "$work/drop/picture.png"
sjis 'x\r\n' >"$work/pack/g1.txt"
sjis 'うた\t♪\t歌\r\n' >"$work/pack/dic.txt"
(cd "$work/pack" && jlha a "$work/drop/pack.lzh" g1.txt dic.txt >/dev/null 2>&1 && [ -s "$work/drop/pack.lzh" ]) ||
  fail "jlha cannot make the archive"
sjis 'keep\r\n' >"$work/precious/keep.txt"

start_palette
measure_rows
# In the middle of the screen, where the chooser comes up over it.
probe move ミルフォ 388 185 || fail "cannot move the palette"
sleep 0.5

chooser_title='^形式の選択$'
# drop PATH...: the paths dragged from the file manager onto the face list.
drop() {
  xvfb_geometry "$palette"
  local paths=() p
  for p in "$@"; do paths+=("$work/drop/$p"); done
  "$work/xdnd_drop" "$palette" $((WIN_X + client_x + 60)) $((WIN_Y + face_top + 10)) "${paths[@]}" \
    >"$work/xdnd.log" 2>&1 || fail "the drop was not finished: $(cat "$work/xdnd.log")"
}
# choose N [PICTURE]: the chooser comes up; its button N (1 or 2) is clicked.
choose() {
  local ids
  ids=$(xvfb_wait_window "$chooser_title" 15) || fail "no format chooser"
  sleep 0.5
  if [ -n "${2:-}" ]; then xvfb_screenshot "$2"; fi
  xvfb_click "$(head -n 1 <<<"$ids")" 75 $((12 + 24 * $1))
  wait_for 10 "the chooser closed" eval '! xdotool search --onlyvisible --name "$chooser_title" >/dev/null'
}
no_chooser() {
  if xdotool search --onlyvisible --name "$chooser_title" >/dev/null; then fail "the chooser came up: $1"; fi
}
tree() { (cd "$kao" && find . | LC_ALL=C sort && find . -type f -exec md5sum {} + | LC_ALL=C sort); }

# Two text files in the program's own format: two groups of the current
# class, with their content unchanged.
drop ソ表.txt two.txt
choose 1 "$build/e2e-drop-chooser.png"
wait_for 15 "both groups taken in" test -f "$kao/A/two.txt"
same "$kao/A/ソ表.txt" "$work/drop/ソ表.txt"
same "$kao/A/two.txt" "$work/drop/two.txt"

# The same drop a second time changes nothing; as dictionaries each file
# becomes a class named after it, one group per reading.
before=$(tree)
drop ソ表.txt two.txt
choose 1
sleep 1
[ "$(tree)" = "$before" ] || fail "a second drop of the same groups changed the library"
drop dic1.txt dic2.txt
choose 2
wait_for 15 "both dictionaries taken in" test -f "$kao/dic2/ねこ.txt"
sjis '(-_-)\r\n(^o^)\r\n' >"$work/want-よみ.txt"
sjis 'おはよう\r\n' >"$work/want-あさ.txt"
sjis '(=^.^=)\r\n' >"$work/want-ねこ.txt"
same "$kao/dic1/よみ.txt" "$work/want-よみ.txt"
same "$kao/dic1/あさ.txt" "$work/want-あさ.txt"
same "$kao/dic2/ねこ.txt" "$work/want-ねこ.txt"

# A folder is a class at once, without the question.
drop fold
wait_for 15 "the folder taken in" test -f "$kao/fold/sub/s.txt"
no_chooser "for a folder"
same "$kao/fold/f.txt" "$work/drop/fold/f.txt"
same "$kao/fold/sub/s.txt" "$work/drop/fold/sub/s.txt"

# An archive as a class, then as dictionaries through the unpack folder
# beside the program, which is gone afterwards.
drop pack.lzh
choose 1
wait_for 15 "the archive taken in as a class" test -f "$kao/pack/dic.txt"
same "$kao/pack/g1.txt" "$work/pack/g1.txt"
same "$kao/pack/dic.txt" "$work/pack/dic.txt"
drop pack.lzh
choose 2
wait_for 15 "the archive taken in as dictionaries" test -f "$kao/dic/うた.txt"
sjis '♪\r\n' >"$work/want-うた.txt"
same "$kao/dic/うた.txt" "$work/want-うた.txt"
# g1.txt holds no reading: it is named in a message and makes no class.
dismiss_message 'g1.txt'
[ ! -e "$kao/g1" ] || fail "the archive's g1.txt, with no reading, became a class"
# Under Wine the box can still be up after the Return, or show again (seen
# in some runs, not yet explained); only the same message may.
for _ in 1 2 3 4 5; do
  [ -e "$work/temporary" ] || break
  if [ "$(windows_titled ミルフォ)" -eq 2 ]; then dismiss_message 'g1.txt'; else sleep 1; fi
done
[ ! -e "$work/temporary" ] || fail "the unpack folder was left: $(ls -la "$work/temporary")"

# Links in the unpack folder, left by someone else, are never followed out.
# Wine shows a link to a file as a plain file and can remove neither kind
# as an entry: the folder is not used, and a message says so. Without the
# links the next drop goes through.
mkdir "$work/temporary"
ln -s "$work/precious" "$work/temporary/inner"
sjis 'かぎ\t(-_-)\t顔文字\r\n' >"$work/precious/linked.txt"
ln -s "$work/precious/linked.txt" "$work/temporary/linked.txt"
rm -rf "$kao/dic"
before=$(tree)
drop pack.lzh
choose 2
dismiss_message 'temporary を空にできません'
same "$work/precious/keep.txt" <(sjis 'keep\r\n')
same "$work/precious/linked.txt" <(sjis 'かぎ\t(-_-)\t顔文字\r\n')
[ "$(tree)" = "$before" ] || fail "the drop into a folder holding links changed the library"
left=$(ls -A "$work/temporary" | tr '\n' ' ')
[ "$left" = "inner linked.txt " ] || fail "the unpack folder holds '$left', expected only the links"
rm "$work/temporary/inner" "$work/temporary/linked.txt"
drop pack.lzh
choose 2
wait_for 15 "the archive taken in again" test -f "$kao/dic/うた.txt"
# Under Wine the box can still be up after the Return, or show again (seen
# in some runs, not yet explained); only the same message may.
for _ in 1 2 3 4 5; do
  [ -e "$work/temporary" ] || break
  if [ "$(windows_titled ミルフォ)" -eq 2 ]; then dismiss_message 'g1.txt'; else sleep 1; fi
done
[ ! -e "$work/temporary" ] || fail "the unpack folder was left: $(ls -la "$work/temporary")"

# Another kind of file: the question is asked, the file is ignored.
before=$(tree)
drop picture.png
choose 1
sleep 1
[ "$(tree)" = "$before" ] || fail "the image changed the library"

# The chooser closed from the keyboard, with Escape or Alt+F4, takes in no
# file of that drop.
for keys in Escape alt+F4; do
  drop three.txt
  ids=$(xvfb_wait_window "$chooser_title" 15) || fail "no format chooser"
  give_keys "$(head -n 1 <<<"$ids")"
  xdotool key "$keys"
  wait_for 10 "the chooser closed by $keys" eval '! xdotool search --onlyvisible --name "$chooser_title" >/dev/null'
  sleep 1
  [ "$(tree)" = "$before" ] || fail "the drop answered with $keys changed the library"
done
close_palette

# With "dragdrop" on the question is never asked: a group of the current class.
sed -i 's/^\[kao\]\r$/[kao]\r\ndragdrop=1\r/' "$work/system.ini"
grep -q '^dragdrop=1' "$work/system.ini" || fail "no [kao] section in system.ini"
start_palette
drop three.txt
wait_for 15 "the group taken in without the question" test -f "$kao/A/three.txt"
no_chooser "with dragdrop on"
same "$kao/A/three.txt" "$work/drop/three.txt"
close_palette

status=passed
echo "drop: passed"
