#!/usr/bin/env bash
# The palette's folder page in the real mirufo.exe under Wine, used with the
# mouse and the keyboard: opened from its button, a folder typed into the
# path box with Enter, that folder made the face folder (the lists show its
# classes), the default folder restored and written as "kaopath2" at exit;
# the drive selector offers C: and Z:.
# usage: folder_page_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=folder_page
. "$(dirname "$0")/e2e-lib.sh"

mkdir -p "$kao/A" "$work/other/B"
sjis '(^_^)\r\n' >"$kao/A/g.txt"
sjis 'b1\r\n' >"$work/other/B/h.txt"
ini=$work/system.ini
ini_value() { iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r' | sed -n "s/^$1=//p"; }

items() { probe items ミルフォ "$1" | tr -d '\r'; }
path_box() { probe vtext ミルフォ Edit 0; }
# The folder page's places (96 DPI, from the frame): the top bar's
# buttons, the path box and the drive selector.
open_page() {
  xvfb_click "$palette" $((client_x + 226)) $((client_y + 12))
  wait_for 10 "the folder page" eval '[ -n "$(path_box)" ]'
}
type_path() {
  xvfb_click "$palette" $((client_x + 60)) $((client_y + 12))
  give_keys "$palette"
  xdotool key ctrl+a
  xdotool type --delay 30 "$1"
  xdotool key Return
}

start_palette
measure_rows
open_page
[ "$(path_box)" = "$(winpath "$kao/A")\\" ] || fail "the path box shows $(path_box), expected the class folder"
xvfb_screenshot "$build/e2e-folder-page.png" "$palette"

type_path "$(winpath "$work/other")"
wait_for 10 "the path box at the typed folder" eval '[ "$(path_box)" = "$(winpath "$work/other")\\" ]'
type_path 'Z:\no\such\folder'
wait_for 10 "the path box emptied" eval '[ -z "$(path_box)" ]'
type_path "$(winpath "$work/other")\\"
wait_for 10 "the path box back at the folder" eval '[ "$(path_box)" = "$(winpath "$work/other")\\" ]'

# The drive selector lists the prefix's drives. Wine has no drive that is
# there but not ready (a drive whose folder is missing leaves the list), so
# the refusal of an empty drive is shown by the headless tests.
drives=$(probe combo ミルフォ 0 | tr -d '\r' | tr '\n' ' ')
[[ "$drives" == *"C: "* && "$drives" == *"Z: "* ]] || fail "the drives are: $drives"

# That folder becomes the face folder: back on the main page with its class.
xvfb_click "$palette" $((client_x + 52)) $((client_y + 36))
wait_for 10 "the classes of the new face folder" eval '[ "$(items 0)" = B ]'
[ "$(items 2)" = b1 ] || fail "the faces are $(items 2)"

# The default folder comes back, and is written at exit.
open_page
xvfb_click "$palette" $((client_x + 86)) $((client_y + 36))
wait_for 10 "the classes of the default face folder" eval '[ "$(items 0)" = A ]'
close_palette
want="\"$(winpath "$kao")\""
[ "$(ini_value kaopath2)" = "$want" ] || fail "kaopath2 is $(ini_value kaopath2), expected $want"

status=passed
echo "folder page end to end: passed (picture: $build/e2e-folder-page.png)"
