#!/usr/bin/env bash
# The about box and the clipboard editor of the real mirufo.exe under Wine.
# ヘルプ greyed in the file menu without help\index.html beside the program
# and enabled once the file is there; the about box from the file menu,
# its picture and labels on the screen, a label that does nothing, a click
# on the picture and Alt+F4 that close it. The clipboard editor from the
# edit menu starts with the clipboard's text, takes typed text, writes it
# back, empties the clipboard, saves to a file typed into the save dialog
# and opens it again; text that Shift-JIS cannot hold is refused.
# usage: dialogs_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=dialogs
. "$(dirname "$0")/e2e-lib.sh"

mkdir -p "$kao/A"
sjis '(^_^)\r\n' >"$kao/A/g.txt"

# count_colour PICTURE GEOMETRY COLOUR: pixels near that colour in the area.
count_colour() {
  convert "$1" -crop "$2" +repage -fuzz 20% -fill black +opaque "$3" -fill white -opaque "$3" \
    -format '%[fx:round(mean*w*h)]' info:
}
# count_dark PICTURE GEOMETRY: pixels darker than 25% grey in the area.
count_dark() {
  convert "$1" -crop "$2" +repage -colorspace gray -threshold 25% -negate -format '%[fx:round(mean*w*h)]' info:
}
start_palette

# --- 1. ヘルプ(&H) greyed without the help file, enabled with it. The open
# menu is pictured both times; only the help item's row may differ, and its
# text is grey the first time and black the second.
menu_picture() {
  file_menu
  wait_for 10 "the file menu open" probe popup
  sleep 0.5
  read -r -a popup <<<"$(probe popup)"
  xvfb_screenshot "$1"
  xdotool key Escape
  sleep 0.3
}
menu_picture "$build/e2e-dialogs-menu-without-help.png"
mkdir -p "$work/help"
printf '<html><body>help</body></html>\r\n' >"$work/help/index.html"
menu_picture "$build/e2e-dialogs-menu-with-help.png"
menu_area="$((popup[2] - popup[0]))x$((popup[3] - popup[1]))+${popup[0]}+${popup[1]}"
convert "$build/e2e-dialogs-menu-without-help.png" "$build/e2e-dialogs-menu-with-help.png" -crop "$menu_area" +repage \
  -compose difference -composite -threshold 10% -trim -format '%w %h %X %Y\n' info: >"$work/diff.txt" 2>/dev/null ||
  fail "the file menu looks the same with and without the help file"
read -r dw dh dx dy <"$work/diff.txt"
dx=${dx#+} dy=${dy#+}
[ "$dh" -ge 6 ] && [ "$dh" -le 24 ] ||
  fail "the file menu changed over ${dw}x$dh pixels, not one item's row"
row="${dw}x$dh+$((popup[0] + dx))+$((popup[1] + dy))"
without=$(count_dark "$build/e2e-dialogs-menu-without-help.png" "$row")
with=$(count_dark "$build/e2e-dialogs-menu-with-help.png" "$row")
[ "$without" -eq 0 ] || fail "ヘルプ has $without black pixels without the help file: not greyed"
[ "$with" -gt 20 ] || fail "ヘルプ has $with black pixels with the help file: not enabled"
rm -rf "$work/help"

# --- 2. The about box: borderless, on top, centred, its picture and labels
# drawn; a click on a plain label leaves it open, a click on the picture
# closes it, and so does Alt+F4.
open_about() {
  open_from_file_menu v バージョン情報
  about=$opened
  sleep 0.3
}
about_gone() { [ "$(windows_titled バージョン情報)" -eq 0 ]; }
open_about
read -r w h <<<"$(probe size バージョン情報)"
[ "$w" = 221 ] && [ "$h" = 291 ] || fail "the about box is ${w}x$h, not 221x291"
probe windows | grep -qx 'T バージョン情報' || fail "the about box is not on top: $(probe windows | tr '\n' '|')"
xvfb_geometry "$about"
[ $((WIN_X - (1024 - 221) / 2)) -ge -1 ] && [ $((WIN_X - (1024 - 221) / 2)) -le 1 ] ||
  fail "the about box stands at x=$WIN_X, not centred"
xvfb_screenshot "$build/e2e-dialogs-about.png" "$about"
shot=$build/e2e-dialogs-about.png
# The maroon border, the picture's own colours, black type on the picture
# where the name stands and blue links where the address does.
[ "$(count_colour "$shot" 221x5+0+0 '#800000')" -ge 200 ] || fail "no maroon border around the about box"
[ "$(count_dark "$shot" 70x18+27+21)" -ge 20 ] || fail "no black name on the about card"
[ "$(count_colour "$shot" 150x14+14+69 '#0000ff')" -ge 30 ] || fail "no blue address on the about card"
[ "$(count_colour "$shot" 40x40+85+125 '#ffd75a')" -ge 100 ] || fail "no artwork in the middle of the about card"
# Each link shows its whole text on one line: blue also at its far end.
for area in 50x14+104+69 40x14+137+85 35x14+169+248; do
  [ "$(count_colour "$shot" "$area" '#0000ff')" -ge 10 ] || fail "a link of the about card is cut short at $area"
done
# A plain label does nothing; the picture closes the box.
xvfb_click "$about" 40 30
sleep 0.8
about_gone && fail "a click on the product name closed the about box"
xvfb_click "$about" 105 140
wait_for 10 "the about box closed by a click on the picture" about_gone
open_about
give_keys "$about"
xdotool key Escape Return
sleep 0.5
about_gone && fail "a key closed the about box, which has no keyboard handling"
xdotool key alt+F4
wait_for 10 "the about box closed by Alt+F4" about_gone
kill -0 "$pid" 2>/dev/null || fail "the program ended with the about box"

# --- 3. The clipboard editor.
# The editor's text and the clipboard's, LF for each line end; a trailing
# line end counts.
editor_is() { [ "$(probe richtext ClipBord | tr -d '\r' && printf .)" = "$1." ]; }
clipboard_is() { [ "$(probe clipboard | tr -d '\r' && printf .)" = "$1." ]; }
open_editor() {
  xvfb_click "$palette" 120 10
  give_keys "$palette"
  xdotool key alt+e
  sleep 0.5
  xdotool key x
  local ids
  ids=$(xvfb_wait_window '^ClipBord$' 15) || fail "the clipboard editor did not open"
  editor=$(head -n 1 <<<"$ids")
  sleep 0.5
  give_keys "$editor"
}
# editor_menu KEYS...: the editor's file menu from the keyboard, then KEYS.
editor_menu() {
  give_keys "$editor"
  xdotool key alt+f
  sleep 0.5
  xdotool key --delay 150 "$@"
}
editor_gone() { [ "$(windows_titled ClipBord)" -eq 0 ]; }

probe setclip 'クリップ(^_^)顔' || fail "the clipboard could not be set"
open_editor
read -r w h <<<"$(probe size ClipBord)"
[ "$w" = 767 ] && [ "$h" = 536 ] || fail "the clipboard editor is ${w}x$h, not 767x536"
wait_for 10 "the editor showing the clipboard's text" editor_is 'クリップ(^_^)顔'
xdotool key ctrl+End
xdotool type --delay 40 ' edited'
xdotool key Tab Return
xdotool type --delay 40 'line 2'
wait_for 10 "the typed text in the editor" editor_is $'クリップ(^_^)顔 edited\t\nline 2'
clipboard_is 'クリップ(^_^)顔' || fail "typing changed the clipboard"
xvfb_screenshot "$build/e2e-dialogs-editor.png" "$editor"
editor_menu s # ｸﾘｯﾌﾟﾎﾞｰﾄﾞ上書き保存(&S)
wait_for 10 "the edited text on the clipboard" clipboard_is $'クリップ(^_^)顔 edited\t\nline 2'

# ｸﾘｯﾌﾟﾎﾞｰﾄﾞ消去 has no letter: the fifth item, past one separator.
editor_menu Down Down Down Down Return
wait_for 10 "the clipboard emptied" eval '! probe clipboard >/dev/null'
# With no text there, writing back does nothing.
editor_menu s
sleep 0.5
probe clipboard >/dev/null && fail "writing back put text on an empty clipboard"

# Saved under a name without extension: the dialog adds .txt, and the
# lines end in CR LF, the last one too.
editor_menu a # ﾌｧｲﾙに保存(&A)
ids=$(xvfb_wait_window '^(名前を付けて保存|Save As)$' 15) || fail "no save dialog"
sleep 0.5
give_keys "$(head -n 1 <<<"$ids")"
xdotool key ctrl+a
xdotool type --delay 30 "$(winpath "$work/saved")"
xdotool key Return
wait_for 15 "saved.txt written" test -s "$work/saved.txt"
sleep 0.5
sjis 'クリップ(^_^)顔 edited\t\r\nline 2\r\n' >"$work/want.txt"
same "$work/saved.txt" "$work/want.txt"
# Emptied by hand, then opened again from the file.
give_keys "$editor"
xdotool key ctrl+a Delete
wait_for 10 "the editor emptied" editor_is ''
editor_menu o # ﾌｧｲﾙを開く(&O)
ids=$(xvfb_wait_window '^(ファイルを開く|開く|Open)$' 15) || fail "no open dialog"
sleep 0.5
give_keys "$(head -n 1 <<<"$ids")"
xdotool key ctrl+a
xdotool type --delay 30 "$(winpath "$work/saved.txt")"
xdotool key Return
wait_for 15 "the file in the editor" editor_is $'クリップ(^_^)顔 edited\t\nline 2\n'
editor_menu x # 閉じる(&X)
wait_for 10 "the editor closed" editor_gone

# Text Shift-JIS cannot hold comes in from the clipboard when the editor
# opens, takes more pasted with Ctrl+V, and goes back out exactly.
faces='café ʕ•ᴥ•ʔ 🍣'
probe setclip "$faces" || fail "the clipboard could not be set"
xvfb_click "$palette" 120 10
give_keys "$palette"
xdotool key alt+e
sleep 0.5
xdotool key x
ids=$(xvfb_wait_window '^ClipBord$' 15) || fail "the clipboard editor did not open"
editor=$(head -n 1 <<<"$ids")
wait_for 10 "the clipboard's faces in the editor" editor_is "$faces"
[ "$(windows_titled ミルフォ)" -eq 1 ] || fail "a message came up over the palette"
give_keys "$editor"
xdotool key ctrl+End
probe setclip ' ᕕ( ᐛ )ᕗ' || fail "the clipboard could not be set"
xdotool key ctrl+v
wait_for 10 "the pasted faces in the editor" editor_is "$faces ᕕ( ᐛ )ᕗ"
editor_menu s
wait_for 10 "the faces written back" clipboard_is "$faces ᕕ( ᐛ )ᕗ"
editor_menu x
wait_for 10 "the editor closed" editor_gone

close_palette
status=passed
echo "PASS: dialogs"
