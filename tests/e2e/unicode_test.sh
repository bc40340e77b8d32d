#!/usr/bin/env bash
# Faces of every script with the real mirufo.exe under Wine: a class and a
# group named with characters Shift-JIS lacks, created and renamed through
# the name entry dialog; 330 faces from across Unicode (data/
# unicode_faces.txt) typed into the entry box as an input method delivers
# them; after a restart each face listed and, double-clicked, pasted into
# notepad code point for code point; the class written as a text dictionary
# and read back, and packed into an archive and unpacked: the same names
# and the same bytes.
# usage: unicode_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=unicode
. "$(dirname "$0")/e2e-lib.sh"

faces_file=$(cd "$(dirname "$0")" && pwd)/data/unicode_faces.txt
count=$(wc -l <"$faces_file")
[ "$count" -ge 300 ] || fail "only $count faces in $faces_file"
mkdir -p "$kao/A"
sjis 'a\r\n' >"$kao/A/g.txt"
cls='ʕ•ᴥ•ʔ' group='🍣'
# The group as this version writes it: UTF-8 with the mark, CR LF after
# every face.
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$faces_file"; } >"$work/want-group.txt"
note=$work/note.txt
: >"$note"
notepad_is() { [ "$(probe text note.txt)" = "$1" ]; }
# in_dialog_text PATH: PATH typed into the file dialog as an input method
# would, and accepted.
in_dialog_text() {
  local ids dialog
  ids=$(xvfb_wait_window "$dialog_titles" 15) || fail "no file dialog"
  dialog=$(head -n 1 <<<"$ids")
  sleep 0.5
  give_keys "$dialog"
  xdotool key ctrl+a BackSpace
  probe type "$(winpath "$1")"
  sleep 0.5
  xdotool key Return
  wait_for 15 "the file dialog closed" eval '! xdotool search --onlyvisible --name "$dialog_titles" >/dev/null'
}
delete_class() {
  click_row "$class_top" "$(row_of 0 "$cls")"
  give_keys "$palette"
  xdotool key Delete
  wait_for 10 "class $cls deleted" test ! -e "$kao/$cls"
}

start_palette
measure_rows

# --- a class and a group: created, then renamed --------------------------
menu_item "$class_top" 2
answer クラス追加 --text 'ʕ•ᴥ•'
wait_for 10 "the class ʕ•ᴥ• created" test -d "$kao/ʕ•ᴥ•"
menu_item "$class_top" 3
answer クラス名変更 --text "$cls"
wait_for 10 "the class renamed" test -d "$kao/$cls"
menu_item "$group_top" 2
answer グループ追加 --text '🍙'
wait_for 10 "the group 🍙 created" test -f "$kao/$cls/🍙.txt"
menu_item "$group_top" 3
answer グループ名変更 --text "$group"
wait_for 10 "the group renamed" test -f "$kao/$cls/$group.txt"

# --- every face typed into the entry box and added with Return -------------
xvfb_click "$palette" $((client_x + 60)) $((client_y + 12))
give_keys "$palette"
probe typelines "$faces_file" || fail "the faces could not be typed"
wait_for 30 "every face listed" eval '[ "$(items 2 | wc -l)" -eq "$count" ]'
xvfb_screenshot "$build/e2e-unicode.png" "$palette"
close_palette
same "$kao/$cls/$group.txt" "$work/want-group.txt"

# --- after a restart: listed, and each pasted into notepad exactly --------
open_notepad "$note" 320 60
start_palette
[ "$(items 0 | tr '\n' ' ')" = "A $cls " ] || fail "the classes after the restart: $(items 0 | tr '\n' ' ')"
[ "$(items 1)" = "$group" ] || fail "the groups after the restart: $(items 1 | tr '\n' ' ')"
items 2 >"$work/listed.txt"
cmp -s "$work/listed.txt" "$faces_file" || fail "the faces listed differ: $(diff "$work/listed.txt" "$faces_file" | head -5)"
probe pasteall ミルフォ 2 note.txt || fail "a double click pasted nothing: notepad holds $(probe text note.txt | wc -c) bytes"
probe text note.txt >"$work/pasted.txt"
tr -d '\n' <"$faces_file" >"$work/want-pasted.txt"
cmp -s "$work/pasted.txt" "$work/want-pasted.txt" ||
  fail "notepad holds other text than the faces: $(cmp "$work/pasted.txt" "$work/want-pasted.txt")"

# --- the class as a text dictionary (UTF-16, which Shift-JIS cannot be),
# deleted and read back ------------------------------------------------------
file_menu Down Down Down Down Down Return # ﾃｷｽﾄ辞書保存
in_dialog_text "$work/$cls.txt"
wait_for 20 "the dictionary written" test -s "$work/$cls.txt"
sleep 0.5
{ printf '\r\n'; sed "s/^/$group\t/; s/\$/\t顔文字\r/" "$faces_file"; } | iconv -f UTF-8 -t UTF-16LE |
  { printf '\xFF\xFE'; cat; } >"$work/want-dictionary.txt"
same "$work/$cls.txt" "$work/want-dictionary.txt"
delete_class
file_menu g # ﾃｷｽﾄ辞書読込
in_dialog_text "$work/$cls.txt"
wait_for 20 "the class read back" test -f "$kao/$cls/$group.txt"
sleep 0.5
same "$kao/$cls/$group.txt" "$work/want-group.txt"

# --- packed into an archive and unpacked as the class ---------------------
click_row "$class_top" "$(row_of 0 "$cls")"
file_menu b # 配布用保存
in_dialog_text "$work/$cls.lzh"
wait_for 20 "the archive written" test -s "$work/$cls.lzh"
sleep 1
# Readers without the Unicode name header take the Shift-JIS fallback.
lha l "$work/$cls.lzh" >"$work/lha-list.txt" 2>&1 || fail "lhasa rejects the archive: $(cat "$work/lha-list.txt")"
grep -q '_\.txt' "$work/lha-list.txt" || fail "no fallback name in the archive: $(cat "$work/lha-list.txt")"
delete_class
file_menu a # 配布用取込 (the first of two &A items runs at once)
in_dialog_text "$work/$cls.lzh"
wait_for 20 "the class unpacked" test -f "$kao/$cls/$group.txt"
sleep 1
same "$kao/$cls/$group.txt" "$work/want-group.txt"
[ "$(items 0 | tr '\n' ' ')" = "A $cls " ] || fail "the classes after the unpack: $(items 0 | tr '\n' ' ')"
close_palette

status=passed
echo "unicode end to end: passed ($count faces; pictures: $build/e2e-unicode.png, $build/e2e-unicode-dialog.png)"
