#!/usr/bin/env bash
# Pasting into another application with the real mirufo.exe under Wine, with
# real mouse and key input: a double click on a face puts it into Wine's
# notepad, twice with typing in between; a restart brings back the history
# panels and the window position from system.ini; clipboard-only mode fills
# the clipboard and leaves notepad alone; link mode opens a face that names
# a text file; the date stamp button types the date in the user's format;
# faces reach windows whose titles Shift-JIS cannot hold or are too long.
# usage: paste_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=paste
. "$(dirname "$0")/e2e-lib.sh"

note=$work/note.txt
: >"$note"
printf 'linked\r\n' >"$work/link.txt"
link=$(winepath -w "$work/link.txt" 2>/dev/null)
face0='(Φ ω Φ)'
face1='ミルフォ(＾▽＾)'
mkdir -p "$kao/A"
{
  sjis "$face0\r\n$face1\r\n"
  printf '%s\r\n' "$link" | iconv -f UTF-8 -t CP932
} >"$kao/A/g.txt"
ini=$work/system.ini

notepad_is() { [ "$(probe text note.txt)" = "$1" ]; }
clipboard_is() { [ "$(probe clipboard)" = "$1" ]; }
# ini_value KEY: the value as it stands in system.ini, in UTF-8.
ini_value() { iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r' | sed -n "s/^$1=//p"; }
# set_ini KEY VALUE: changes a key the way the settings dialog would.
set_ini() {
  local value
  value=$(printf '%s' "$2" | iconv -f UTF-8 -t CP932)
  if grep -q "^$1=" "$ini"; then
    LC_ALL=C sed -i "s/^$1=.*\r\$/$1=$value\r/" "$ini"
  else
    printf '%s=%s\r\n' "$1" "$value" >>"$ini"
  fi
}

# --- notepad, moved clear of the palette, and the palette in front ---------
open_notepad "$note" 320 60
start_palette
measure_rows

# --- a double click pastes the face into notepad ---------------------------
click_row "$face_top" 0 2
wait_for 10 "notepad holding the first face" notepad_is "$face0"

# --- type in notepad, then paste again: the face goes after the typing ------
xvfb_geometry "$notepad"
xvfb_click "$notepad" $((WIN_W / 2)) $((WIN_H / 2))
give_keys "$notepad"
xdotool key --delay 60 a b c
wait_for 10 "notepad holding the typed text" notepad_is "${face0}abc"
click_row "$face_top" 1 2
wait_for 10 "notepad holding both faces" notepad_is "${face0}abc$face1"
xvfb_screenshot "$build/e2e-paste.png"

# --- a restart brings back the history and the window position -------------
wait_for 10 "the palette moved" probe move 'ミルフォ' 40 30
close_palette
[ "$(ini_value text1)" = "\"$face1\"" ] || fail "text1 is $(ini_value text1)"
[ "$(ini_value text2)" = "\"$face0\"" ] || fail "text2 is $(ini_value text2)"
[ "$(ini_value left),$(ini_value top)" = "40,30" ] || fail "left,top are $(ini_value left),$(ini_value top)"
[ "$(ini_value time1)" = '"yyyy/mm/dd hh:nn:ss"' ] || fail "time1 is $(ini_value time1)"
set_ini clip1 1
start_palette
xvfb_geometry "$palette"
[ "$WIN_X,$WIN_Y,$WIN_W,$WIN_H" = "40,30,250,400" ] ||
  fail "palette at $WIN_X,$WIN_Y size ${WIN_W}x$WIN_H after the restart, expected 40,30 size 250x400"
probe children 'ミルフォ' | grep -Fx -A1 "$face1" | tail -n 1 | grep -Fxq "$face0" ||
  fail "the history panels do not show $face1 over $face0: $(probe children 'ミルフォ' | tr '\n' '|')"
xvfb_screenshot "$build/e2e-paste-restart.png" "$palette"

# --- clipboard only: the clipboard takes the face, notepad stays as it was ---
click_row "$face_top" 0 2
wait_for 10 "the clipboard holding the first face" clipboard_is "$face0"
sleep 1
notepad_is "${face0}abc$face1" || fail "notepad changed in clipboard-only mode: $(probe text note.txt)"

# --- link mode: a face that names a file opens it ----------------------------
close_palette
set_ini clip1 0
set_ini linl1 1
set_ini time1 '"yyyy"年"m"月"d"日""'
start_palette
click_row "$face_top" 2 2
xvfb_wait_window 'link.txt' 30 >/dev/null || fail "link mode did not open $link"
# The palette stays on top of the window that just opened.
order=$(probe windows | tr '\n' '|')
[[ "$order" == "T ミルフォ|- link.txt"* ]] || fail "the palette is not in front of the new window: $(probe windows | tr '\n' '|')"
notepad_is "${face0}abc$face1" || fail "notepad changed in link mode: $(probe text note.txt)"
# Wine's virtual desktop draws a new window over a topmost one of another
# program (the order above is right); move it off the palette to click it.
wait_for 10 "the opened file moved" probe move link.txt 300 380

# --- the date stamp goes to the window in front, link mode or not -----------
stamp=$(date +%Y年%-m月%-d日)
xvfb_click "$palette" $((client_x + 52)) $((client_y + 36))
wait_for 10 "the stamp $stamp in the opened file" eval '[[ "$(probe text link.txt)" == "$stamp"* ]]'
xvfb_screenshot "$build/e2e-paste-link.png"
close_palette

# --- titles that Shift-JIS cannot hold or that are over 254 bytes long ------
# The paste goes to the window found, not to a second lookup of its title.
# The long title needs a long file name in a short folder: notepad opens no
# path of 260 characters or more. "NAME - メモ帳" is 255 bytes in Shift-JIS.
set_ini linl1 0
short=$(mktemp -d /tmp/XXXXX)
trap 'rm -rf "$short"; finish' EXIT
long_name=$(printf 'l%.0s' $(seq 242)).txt
start_palette
for name in café.txt "$long_name"; do
  : >"$short/$name"
  wine notepad "$(winepath -w "$short/$name" 2>/dev/null)" >>"$work/wine.log" 2>&1 </dev/null &
  pids+=("$!")
  window=$(xvfb_wait_window "^${name:0:20}" 30 | head -n 1) || fail "notepad with $name did not appear"
  wait_for 10 "notepad with $name moved" probe move "$name" 320 60
  xvfb_click "$window" 200 100 # the user was typing there
  click_row "$face_top" 1 2
  wait_for 10 "notepad with ${name:0:20}… holding the face" eval '[ "$(probe text "$name")" = "$face1" ]'
done
xvfb_screenshot "$build/e2e-paste-titles.png"
close_palette

# The notepads would keep Wine running: end them.
wineserver -k 2>/dev/null || true
status=passed
echo "paste end to end: passed (pictures: $build/e2e-paste.png, $build/e2e-paste-restart.png, $build/e2e-paste-link.png, $build/e2e-paste-titles.png)"
