#!/usr/bin/env bash
# The settings dialog of the real mirufo.exe under Wine, opened from the file
# menu and used with the mouse and the keyboard: a stamp format from the
# sample list, an edge checked, letters in "Left" refused with the error box,
# then Apply; system.ini, the palette's place and a stamp typed into notepad
# follow. A chord pressed into the hotkey field is written as it reads, and
# calls the palette at once.
# Cancel changes nothing. Each of the seven pages is pictured at 96
# and at 144 DPI.
# usage: settings_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=settings
. "$(dirname "$0")/e2e-lib.sh"

mkdir -p "$kao/A"
sjis '(^_^)\r\n' >"$kao/A/g.txt"
ini=$work/system.ini
note=$work/note.txt
: >"$note"

# The prefix is shared with the other scripts: back to 96 whatever happens.
trap 'set_dpi 96; finish' EXIT

ini_value() { iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r' | sed -n "s/^$1=//p"; }
notepad_is() { [ "$(probe text note.txt)" = "$1" ]; }

# open_dialog: プロパティ from the file menu; sets dialog (its X window).
open_dialog() {
  open_from_file_menu p プロパティ
  dialog=$opened
}
dialog_gone() { ! xdotool search --onlyvisible --name '^プロパティ$' >/dev/null; }
# click_xy "X Y": a click at that place of the dialog.
click_xy() { xvfb_click "$dialog" "${1% *}" "${1#* }"; }
# click_at CLASS N: on the N-th visible control of that class.
click_at() { click_xy "$(probe at プロパティ "$1" "$2")" || fail "no visible $1 $2 in the dialog"; }
# press CAPTION: the button with that caption.
press() { click_xy "$(probe named プロパティ "$1")" || fail "no button $1 in the dialog"; }
# page N: a tab clicked, the left arrow to the first, then the right arrow
# N times.
page() {
  local r
  read -r -a r <<<"$(probe rect プロパティ SysTabControl32 0)"
  [ "${#r[@]}" -eq 4 ] || fail "no tabs in the dialog"
  xvfb_click "$dialog" $((r[0] + 12)) $((r[1] + 10))
  give_keys "$dialog"
  local i
  for ((i = 0; i < 6; i++)); do xdotool key Left; done
  for ((i = 0; i < $1; i++)); do xdotool key Right; done
  sleep 0.4
}
# type_in CLASS N TEXT: the field's text replaced by typing.
type_in() {
  click_at "$1" "$2"
  give_keys "$dialog"
  xdotool key ctrl+a
  xdotool type --delay 40 "$3"
}
# pictures NAME: each page of the open dialog, then all of them in a row.
pictures() {
  local i shots=()
  for i in 0 1 2 3 4 5 6; do
    page "$i"
    xvfb_screenshot "$build/e2e-settings-$1-$i.png" "$dialog"
    shots+=("$build/e2e-settings-$1-$i.png")
  done
  convert "${shots[@]}" -background '#2a6a8e' +append "$build/e2e-settings-$1.png"
}

open_notepad "$note" 420 60
start_palette
measure_rows
before_stamp=$(ini_value time1)

open_dialog
pictures 96

# The sample list's 年月日 format, and the right screen edge.
page 1
click_at ComboBox 0
xdotool key --delay 100 Down Down Down Down Down Return
page 0
click_xy "$(probe item プロパティ ListBox 0 3)"
xdotool key space
# Letters in "Left": the error box names them, nothing is written.
type_in Edit 1 abc
sum=$(md5sum <"$ini")
press 適用
wait_for 10 "the error box" eval 'probe children ミルフォ | grep -qF "'"'abc'"' は整数ではありません"'
[ "$(md5sum <"$ini")" = "$sum" ] || fail "system.ini changed with letters in the field"
box=$(xdotool search --onlyvisible --name '^ミルフォ$' | grep -vx "$palette" | head -n 1)
[ -n "$box" ] || fail "no error box window"
xvfb_screenshot "$build/e2e-settings-error.png"
give_keys "$box"
xdotool key Return
wait_for 10 "the error box closed" eval '[ "$(xdotool search --onlyvisible --name "^ミルフォ\$" | wc -l)" -eq 1 ]'
type_in Edit 1 120
press 適用
wait_for 10 "left written" eval '[ "$(ini_value left)" = 120 ]'
dialog_gone && fail "Apply closed the dialog"
[ "$(ini_value vwidth)" = 1 ] || fail "vwidth is $(ini_value vwidth)"
[ "$(ini_value time1)" = '"yyyy"年"mm"月"dd"日""' ] || fail "time1 is $(ini_value time1)"
xvfb_geometry "$palette"
[ "$WIN_X" = 120 ] || fail "the palette stands at x $WIN_X, expected 120"
# The hotkey field: letters type nothing, a chord from the keyboard shows
# as it reads, and Apply writes it so.
page 6
press Ctrl+Alt+K
give_keys "$dialog"
xdotool type --delay 40 abc
sleep 0.3
probe named プロパティ Ctrl+Alt+K >/dev/null || fail "letters reached the hotkey field"
xdotool key ctrl+shift+F12
sleep 0.3
xvfb_screenshot "$build/e2e-settings-hotkey.png" "$dialog"
press 適用
wait_for 10 "the hotkey written" eval '[ "$(ini_value hotkey)" = "\"Ctrl+Shift+F12\"" ]'
press OK
wait_for 10 "the dialog closed by OK" dialog_gone

# The stamp button types the date in the new format into notepad.
stamp=$(date +%Y年%m月%d日)
xvfb_click "$palette" $((client_x + 52)) $((client_y + 36))
wait_for 10 "the stamp $stamp in notepad" notepad_is "$stamp"

# Cancel leaves the file and the palette as they were.
sum=$(md5sum <"$ini")
open_dialog
type_in Edit 0 300
page 6
click_xy "$(probe item プロパティ ListBox 0 3)"
xdotool key space
press ｷｬﾝｾﾙ
wait_for 10 "the dialog closed by Cancel" dialog_gone
[ "$(md5sum <"$ini")" = "$sum" ] || fail "Cancel changed system.ini"
xvfb_geometry "$palette"
[ "$WIN_X,$WIN_Y" = "120,0" ] || fail "Cancel moved the palette to $WIN_X,$WIN_Y"
[ "$before_stamp" != "$(ini_value time1)" ] || fail "the stamp format was never changed"
# The palette holds the new hotkey since Apply: pressed in notepad, it
# calls the palette; its file menu then ends it.
xvfb_click "$(xdotool search --onlyvisible --name 'note.txt' | head -n 1)" 200 200
wait_for 10 "notepad in front" eval '[ "$(probe foreground | tr -d "\r")" = "note.txt - メモ帳" ]'
xdotool key ctrl+shift+F12
wait_for 10 "the palette called by the new hotkey" eval '[ "$(probe foreground | tr -d "\r")" = ミルフォ ]'
file_menu x
wait_for 20 "the program ending from its file menu" eval '! kill -0 "$pid" 2>/dev/null'
wait "$pid" || fail "mirufo.exe exited with $?"

set_dpi 144
start_palette
open_dialog
pictures 144
give_keys "$dialog"
xdotool key Escape
wait_for 10 "the dialog closed by Escape" dialog_gone
close_palette

status=passed
echo "settings dialog end to end: passed (pages: $build/e2e-settings-96.png, $build/e2e-settings-144.png)"
