#!/usr/bin/env bash
# Faces in and out of plain files with the real mirufo.exe under Wine, all
# through the file menu and its file dialogs with typed paths: a class
# written as a text dictionary under the name the dialog proposes, deleted
# and read back byte for byte; a group saved to a file and opened into
# another class; the line import in its three cutting modes, read off
# the edit box; a face file of the earlier generation taken into a class; a
# UTF-16 dictionary read as a class.
# usage: exchange_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=exchange
. "$(dirname "$0")/e2e-lib.sh"

# Group names and faces chosen for what a byte-wise reader gets wrong: the
# trail byte 0x5C of ソ and 表 (a backslash), and faces that begin with "!"
# as the header lines of a dictionary do.
mkdir -p "$kao/cls" "$kao/other"
sjis '!a\r\n!b\r\n(^_^)\r\n' >"$kao/cls/g.txt"
sjis 'ソ表\r\n(-_-)\r\n' >"$kao/cls/ソ表.txt"
sjis 'o1\r\n' >"$kao/other/o.txt"
cp -r "$kao/cls" "$work/original"
cp "$kao/other/o.txt" "$work/o.txt"

dialog_titles='^(名前を付けて保存|ファイルを開く|開く|Save As|Open)$'
# dialog_up [PICTURE]: waits for a file dialog and gives it the keys;
# PICTURE keeps its look. Sets dialog_title.
dialog_up() {
  local ids
  ids=$(xvfb_wait_window "$dialog_titles" 15) || fail "no file dialog"
  dialog_title=$(xdotool getwindowname "$(head -n 1 <<<"$ids")")
  sleep 0.5
  if [ -n "${1:-}" ]; then xvfb_screenshot "$1"; fi
  give_keys "$(head -n 1 <<<"$ids")"
}
# dialog_done: Return accepts the name; the dialog must close.
dialog_done() {
  xdotool key Return
  wait_for 15 "the file dialog closed" eval '! xdotool search --onlyvisible --name "$dialog_titles" >/dev/null'
}
# in_dialog PATH [PICTURE]: PATH typed into the file dialog and accepted.
in_dialog() {
  dialog_up "${2:-}"
  xdotool key ctrl+a
  xdotool type --delay 30 "$(winpath "$1")"
  dialog_done
}

# choose_class NAME GROUP: a click on the class; waits for its groups.
choose_class() {
  local group=$2
  click_row "$class_top" "$(row_of 0 "$1")"
  wait_for 10 "class $1 shown" eval 'items 1 | grep -qxF -- "$group"'
}
# edit_text: the edit box's lines, without CRs; fails when it is hidden.
edit_text() {
  local text
  text=$(probe richtext ミルフォ) || return 1
  tr -d '\r' <<<"$text"
}
# expect_edit TEXT: edit mode shows TEXT (lines split by LF).
expect_edit() {
  local want=$1 deadline=$((SECONDS + 10))
  until [ "$(edit_text)" = "$want" ]; do
    [ "$SECONDS" -lt "$deadline" ] ||
      fail "the edit box shows '$(printf %s "$(edit_text)" | tr '\n\t' '|>')', expected '$(printf %s "$want" | tr '\n\t' '|>')'"
    sleep 0.2
  done
}
# cancel_edit: the edit mode's "leave without saving" button.
cancel_edit() {
  xvfb_click "$palette" $((client_x + 78)) $((client_y + 36))
  wait_for 10 "edit mode left" eval '! edit_text >/dev/null'
}
# cut_mode LINE [LINE1 LINE2]: the line import's settings in system.ini,
# the rest of the file as the program left it.
cut_mode() {
  local ini=$work/system.ini
  [ -f "$ini" ] || printf '[kao]\r\n' >"$ini"
  LC_ALL=C awk -v m="$1" -v a="${2:-}" -v b="${3:-}" '
    /^\[/ { in_kao = /^\[kao\]/ }
    in_kao && /^line[12]?=/ { next }
    { print }
    /^\[kao\]/ {
      printf "line=%s\r\n", m
      if (a != "") printf "line1=%s\r\nline2=%s\r\n", a, b
    }' "$ini" >"$ini.new"
  mv "$ini.new" "$ini"
}

start_palette
measure_rows

# --- 1. A class as a text dictionary, under the name the dialog proposes.
choose_class cls g
groups=$(items 1)
# Wine runs the first item of a shared letter at once, so the second &A
# is reached with the arrows: R S, A B, G and then ﾃｷｽﾄ辞書保存.
file_menu Down Down Down Down Down Return
dialog_up "$build/e2e-exchange-proposed.png"
proposed=$(probe text "$dialog_title") || fail "no name in the save dialog"
[ "$proposed" = cls.txt ] || fail "the save dialog proposes $proposed, not cls.txt"
dialog_done
wait_for 20 "kao/cls.txt written" test -s "$kao/cls.txt"
sleep 0.5
# An empty first line ends the header at once; then the groups in the
# list's order, each face in its file's order.
{
  printf '\r\n'
  while IFS= read -r group; do
    iconv -f CP932 -t UTF-8 "$work/original/$group.txt" | tr -d '\r' |
      while IFS= read -r face; do printf '%s\t%s\t顔文字\r\n' "$group" "$face"; done
  done <<<"$groups"
} | iconv -f UTF-8 -t CP932 >"$work/want-dictionary.txt"
same "$kao/cls.txt" "$work/want-dictionary.txt"

# Delete in the class list, then the dictionary read back as the class.
click_row "$class_top" "$(row_of 0 cls)"
give_keys "$palette"
xdotool key Delete
wait_for 10 "class cls deleted" test ! -e "$kao/cls"
file_menu g # ﾃｷｽﾄ辞書読込
in_dialog "$kao/cls.txt"
wait_for 20 "class cls read back" eval '[ "$(ls "$kao/cls" 2>/dev/null | wc -l)" -eq 2 ]'
sleep 0.5
for f in g.txt ソ表.txt; do same "$kao/cls/$f" "$work/original/$f"; done
same "$kao/cls.txt" "$work/want-dictionary.txt"
# The dictionary beside the classes is a file, not a class.
[ "$(items 0 | sort | tr '\n' ' ')" = "cls other " ] || fail "classes listed: $(items 0 | tr '\n' ' ')"

# --- 2. A group saved to a file, opened into another class.
choose_class cls g
click_row "$group_top" "$(row_of 1 g)"
wait_for 10 "group g shown" eval '[ "$(items 2 | tr "\n" " ")" = "!a !b (^_^) " ]'
file_menu s # ﾌｧｲﾙ保存
in_dialog "$work/saved" # the dialog adds .txt
wait_for 20 "saved.txt written" test -s "$work/saved.txt"
sleep 0.5
same "$work/saved.txt" "$work/original/g.txt"
choose_class other o
file_menu r # ﾌｧｲﾙ読込
in_dialog "$work/saved.txt"
wait_for 20 "group saved opened into other" test -s "$kao/other/saved.txt"
same "$kao/other/saved.txt" "$work/original/g.txt"
wait_for 10 "saved listed last" eval '[ "$(items 1 | tail -n 1)" = saved ]'

# --- 3. The line import, cut three ways as system.ini says.
sjis '12ソ表\t(^_^)\tx\r\nxyz\r\nあいうえお\tｱｲ\r\n' >"$work/lines.txt"
cut_mode 2 # the whole file
file_menu z # 特殊ﾌｧｲﾙ読込
in_dialog "$work/lines.txt"
expect_edit $'12ソ表\t(^_^)\tx\nxyz\nあいうえお\tｱｲ'
cancel_edit
cut_mode 1 # the field between the first two TABs, a line without one whole
file_menu z
in_dialog "$work/lines.txt"
expect_edit $'(^_^)\nxyz\nｱｲ'
cancel_edit
cut_mode 0 3 2 # two characters from the third, ソ and あ counting one
file_menu z
in_dialog "$work/lines.txt"
expect_edit $'ソ表\nz\nうえ'
xvfb_screenshot "$build/e2e-exchange-lines.png" "$palette"
cancel_edit
# Leaving without saving leaves the class as it was.
same "$kao/other/o.txt" "$work/o.txt"
same "$kao/other/saved.txt" "$work/original/g.txt"
[ "$(ls "$kao/other" | wc -l)" -eq 2 ] || fail "other holds $(ls "$kao/other" | tr '\n' ' ')"

# --- 4. A face file of the earlier generation into the class shown: new
# groups at the end in section order, faces in key order; groups that
# exist (letter case aside) stay as they are.
sjis '[zeta]\r\nk2=(^o^)\r\nk1=ソ表\r\n[O]\r\nk1=changed\r\n[alpha]\r\nk1=!x\r\n[SAVED]\r\nk1=changed\r\n' >"$work/faces.kao"
before=$(items 1)
file_menu c # ｵｰﾙﾄﾞｲﾝﾎﾟｰﾄ
in_dialog "$work/faces.kao" "$build/e2e-exchange-dialog.png"
wait_for 20 "group alpha written" test -s "$kao/other/alpha.txt"
sleep 0.5
sjis '(^o^)\r\nソ表\r\n' >"$work/want-zeta.txt"
sjis '!x\r\n' >"$work/want-alpha.txt"
same "$kao/other/zeta.txt" "$work/want-zeta.txt"
same "$kao/other/alpha.txt" "$work/want-alpha.txt"
same "$kao/other/o.txt" "$work/o.txt"
same "$kao/other/saved.txt" "$work/original/g.txt"
[ "$(ls "$kao/other" | wc -l)" -eq 4 ] || fail "other holds $(ls "$kao/other" | tr '\n' ' ')"
[ "$(items 1)" = "$before"$'\nzeta\nalpha' ] || fail "groups listed: $(items 1 | tr '\n' ' ')"

# --- 5. A dictionary as today's dictionary tools write it, in UTF-16 with
# its mark, read as a class.
{
  printf '\xff\xfe'
  printf '!Microsoft IME Dictionary Tool\r\n\r\nかお\t(^_^)ノ\t顔文字\r\nはな\t花\t名詞\r\n' | iconv -f UTF-8 -t UTF-16LE
} >"$work/u16.txt"
file_menu g # ﾃｷｽﾄ辞書読込
in_dialog "$work/u16.txt"
wait_for 20 "class u16 read" test -s "$kao/u16/はな.txt"
sleep 0.5
sjis '(^_^)ノ\r\n' >"$work/want-kao.txt"
sjis '花\r\n' >"$work/want-hana.txt"
same "$kao/u16/かお.txt" "$work/want-kao.txt"
same "$kao/u16/はな.txt" "$work/want-hana.txt"
close_palette

status=passed
echo "exchange end to end: passed (pictures: $build/e2e-exchange-dialog.png, $build/e2e-exchange-lines.png)"
