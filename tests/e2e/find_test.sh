#!/usr/bin/env bash
# The hotkey and finding faces by typing, with the real mirufo.exe under
# Wine and real X input: Ctrl+Alt+K in notepad calls the palette beside
# notepad's caret with the keyboard in the search field; three letters, Down
# and Return put the second face found into notepad; called again, Escape
# twice hides it and notepad has the keyboard back; the hotkey pressed while
# the palette is in front puts it away. A hotkey another program holds is
# named at the start and the palette works on. Pictures of the palette
# beside the caret and of a search with results, at 96 and at 144 DPI, go to
# the build folder.
# Tab goes through the palette's controls in the order of the window.
# usage: find_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=find
. "$(dirname "$0")/e2e-lib.sh"

note=$work/note.txt
: >"$note"
mkdir -p "$kao/dobutsu"
sjis 'wanwan U・ｪ・U\r\nnyan (=^・^=)\r\nnyaa (=ФωФ=)\r\n' >"$kao/dobutsu/animals.txt"
sjis 'ohayo (´・ω・`)\r\n' >"$kao/dobutsu/aisatsu.txt"
notepad_is() { [ "$(probe text note.txt)" = "$1" ]; }
in_front() { [ "$(probe foreground | tr -d '\r')" = "$1" ]; }
palette_shown() { xdotool search --onlyvisible --name '^ミルフォ$' | grep -qx "$palette"; }
palette_hidden() { ! palette_shown; }
# The search results: the fourth list box the palette made.
results() { items 3; }

trap 'set_dpi 96; finish' EXIT

# call_beside_caret DPI: notepad's caret at the end of its text, Ctrl+Alt+K:
# the palette in front just below the caret (its left edge at the caret's)
# or just above it; "nya" typed finds two faces. Pictures at that DPI.
call_beside_caret() {
  local gap=$((4 * $1 / 96)) cl ct cr cb pl pt pr pb
  xvfb_geometry "$notepad"
  xvfb_click "$notepad" $((WIN_W / 2)) $((WIN_H / 2))
  give_keys "$notepad"
  xdotool key ctrl+End
  wait_for 10 "notepad in front" in_front 'note.txt - メモ帳'
  read -r cl ct cr cb <<<"$(probe caret note.txt)"
  xdotool key ctrl+alt+k
  wait_for 10 "the palette in front" in_front ミルフォ
  read -r pl pt pr pb <<<"$(probe frame ミルフォ)"
  [ "$pl" -eq "$cl" ] || fail "at $1 DPI the palette's left edge is $pl, the caret's $cl"
  [ "$pt" -eq $((cb + gap)) ] || [ "$pb" -eq $((ct - gap)) ] ||
    fail "at $1 DPI the palette ($pl $pt $pr $pb) is not beside the caret ($cl $ct $cr $cb)"
  xvfb_screenshot "$build/e2e-find-caret-$1.png"
  xdotool type --delay 80 nya
  wait_for 10 "two faces found" eval '[ "$(results | wc -l)" -eq 2 ]'
  [ "$(results)" = "$(printf 'nyan (=^・^=)　［dobutsu／animals］\nnyaa (=ФωФ=)　［dobutsu／animals］')" ] ||
    fail "found: $(results | tr '\n' '|')"
  xvfb_screenshot "$build/e2e-find-results-$1.png"
}
# close_from_menu: the file menu's last item ends the program (Escape only
# puts a called palette away).
close_from_menu() {
  file_menu x
  wait_for 20 "the program ending from its file menu" eval '! kill -0 "$pid" 2>/dev/null'
  wait "$pid" || fail "mirufo.exe exited with $?"
}

open_notepad "$note" 300 200
start_palette

# --- keyboard only: Tab goes through the window in its order -------------------
# From the entry box right to its two buttons, the two rows of buttons, the
# two history panels beside them, down the lists, then round again; in the
# search the field comes before the lists.
xvfb_click "$palette" 120 10
give_keys "$palette"
xdotool key Tab
stops=()
for i in $(seq 1 14); do
  stops+=("$(probe focus ミルフォ | tr -d '\r')")
  xdotool key Tab
  sleep 0.2
done
[ "${stops[13]}" = "${stops[0]}" ] || fail "Tab does not come round after 13 stops: ${stops[*]}"
order=$(printf '%s\n' "${stops[@]:0:13}" | cut -d' ' -f1 | tr '\n' ' ')
[ "$order" = "Edit Button Button Button Button Button Button Button MirufoPanel MirufoPanel ListBox ListBox ListBox " ] ||
  fail "Tab goes: ${stops[*]}"
# Along the top row, then down each group.
printf '%s\n' "${stops[@]:0:3}" | sort -k2,2n -c || fail "Tab along the top row: ${stops[*]:0:3}"
printf '%s\n' "${stops[@]:3:5}" | sort -k3,3n -k2,2n -s -c || fail "Tab through the buttons: ${stops[*]:3:5}"
printf '%s\n' "${stops[@]:8:5}" | sort -k3,3n -s -c || fail "Tab down the panels and lists: ${stops[*]:8:5}"
xdotool key ctrl+f
wait_for 10 "the search field from Ctrl+F" eval '[ "$(probe focus ミルフォ | cut -d" " -f1,3)" = "Edit 110" ]'
xdotool key Tab
[ "$(probe focus ミルフォ | cut -d' ' -f1)" = ListBox ] || fail "Tab from the search field: $(probe focus ミルフォ)"
xdotool key shift+Tab Escape
wait_for 10 "the search field put away" eval '[ "$(probe focus ミルフォ | cut -d" " -f1)" != Edit ]'

# --- called beside the caret, three letters, Down, Return ---------------------
xvfb_geometry "$notepad"
xvfb_click "$notepad" $((WIN_W / 2)) $((WIN_H / 2))
give_keys "$notepad"
xdotool type --delay 60 'abc'
wait_for 10 "notepad holding the typed text" notepad_is abc
call_beside_caret 96
xdotool key Down Return
wait_for 10 "the second face in notepad" notepad_is 'abcnyaa (=ФωФ=)'

# --- Escape twice: the keyboard back in notepad ------------------------------
give_keys "$notepad"
xdotool key ctrl+alt+k
wait_for 10 "the palette called again" in_front ミルフォ
xdotool type --delay 80 ohay
wait_for 10 "one face found" eval '[ "$(results | wc -l)" -eq 1 ]'
xdotool key Escape
wait_for 10 "the search emptied" eval '[ -z "$(results)" ]'
palette_shown || fail "the first Escape hid the palette"
xdotool key Escape
wait_for 10 "the palette hidden" palette_hidden
wait_for 10 "notepad given the keyboard back" in_front 'note.txt - メモ帳'
xdotool type --delay 60 'x'
wait_for 10 "typing reaching notepad" notepad_is 'abcnyaa (=ФωФ=)x'

# --- the hotkey while the palette is in front puts it away --------------------
xdotool key ctrl+alt+k
wait_for 10 "the palette called" in_front ミルフォ
xdotool key ctrl+alt+k
wait_for 10 "the palette put away" palette_hidden
wait_for 10 "notepad in front again" in_front 'note.txt - メモ帳'
xdotool key ctrl+alt+k
wait_for 10 "the palette called once more" in_front ミルフォ
close_from_menu

# --- at 144 DPI: beside the caret, sized for the display --------------------
set_dpi 144
wait_for 10 "notepad moved up, clear of the palette" probe move note.txt 380 0
start_palette
call_beside_caret 144
[ "$(probe size ミルフォ)" = "375 600" ] || fail "at 144 DPI the palette is $(probe size ミルフォ)"
xdotool key Escape Escape
wait_for 10 "the palette hidden" palette_hidden
xdotool key ctrl+alt+k
wait_for 10 "the palette called again" in_front ミルフォ
close_from_menu
set_dpi 96

# --- a hotkey another program holds ------------------------------------------
held=$work/held.txt
wine "$probe_exe" holdhotkey 3 75 60 >"$held" 2>/dev/null </dev/null &
pids+=("$!")
wait_for 20 "another program holding Ctrl+Alt+K" grep -q held "$held"
start_message='Ctrl+Alt+K はほかのプログラムが使っているため登録できません' start_palette
[ "$(items 2)" = 'ohayo (´・ω・`)' ] || fail "the palette shows no faces without its hotkey"
close_palette
