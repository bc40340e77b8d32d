#!/usr/bin/env bash
# Building a library from the real mirufo.exe under Wine: a class and a group
# created through the lists' context menu and the name entry dialog (answered
# with real key input), three faces typed into the entry box, a group
# renamed, a class deleted, the group rewritten in edit mode (typed lines,
# a tab, copied and pasted with the buttons and Ctrl+V, saved), then the files on disk checked byte for
# byte.
# usage: editing_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=editing
. "$(dirname "$0")/e2e-lib.sh"

mkdir -p "$kao/A"
sjis 'a\r\n' >"$kao/A/g.txt"

# type_face KEYS...: a face typed into the entry box and Enter.
type_face() {
  xvfb_click "$palette" $((client_x + 60)) $((client_y + 12))
  give_keys "$palette"
  xdotool key --delay 60 "$@" Return
}

start_palette
measure_rows

menu_item "$class_top" 2
answer クラス追加 c l s Return
[ -d "$kao/cls" ] || fail "the class cls was not created"
menu_item "$group_top" 2
answer グループ追加 g r p Return
[ -f "$kao/cls/grp.txt" ] || fail "the group grp was not created"
type_face x
type_face y y
type_face z z z
xvfb_screenshot "$build/e2e-editing.png" "$palette"
# Renaming asks with the old name selected: typing replaces it.
menu_item "$group_top" 3
answer グループ名変更 n e w Return
# The first class is deleted from its context menu, without a question.
click_row "$class_top" 0
menu_item "$class_top" 4
wait_for 10 "class A deleted" test ! -e "$kao/A"

# Edit mode from the edit button: the box has the keyboard, Enter and Tab
# go into it; the save button turns the lines into faces.
xvfb_click "$palette" $((client_x + 86)) $((client_y + 36))
give_keys "$palette"
xdotool key --delay 60 ctrl+End q Return r Tab s
xvfb_screenshot "$build/e2e-editing-mode.png" "$palette"
# The copy and paste buttons: the whole text copied, then pasted after it;
# the text keeps the keyboard.
xdotool key ctrl+a
xvfb_click "$palette" $((client_x + 18)) $((client_y + 56))
lines=$'x\nyy\nzzz\nq\nr\ts'
wait_for 10 "the edit box's text on the clipboard" eval '[ "$(probe clipboard | tr -d "\r")" = "$lines" ]'
xdotool key ctrl+End Return
xvfb_click "$palette" $((client_x + 86)) $((client_y + 56))
# Ctrl+V pastes once more, at the caret.
xdotool key ctrl+End Return ctrl+v
xvfb_click "$palette" $((client_x + 26)) $((client_y + 36))
sleep 0.5
close_palette

[ ! -e "$kao/cls/grp.txt" ] || fail "grp.txt is still there after the rename"
for _ in 1 2 3; do printf 'x\r\nyy\r\nzzz\r\nq\r\nr\ts\r\n'; done >"$work/want.txt"
same "$kao/cls/new.txt" "$work/want.txt"

status=passed
echo "editing end to end: passed (pictures: $build/e2e-editing-dialog.png, $build/e2e-editing.png, $build/e2e-editing-mode.png)"
