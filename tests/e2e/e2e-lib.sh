# Sourced by the end-to-end scripts: a copy of the program in a fresh folder,
# Wine on a private Xvfb inside one virtual desktop, and the few helpers the
# scripts share. The scripts are called as
#   NAME_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
# and set E2E_NAME before sourcing this file. MIRUFO.EXE "-" makes no copy:
# BUILD_DIR is then a new, empty folder of the caller's that gets a Wine
# prefix of its own and goes after a passing run, and the caller puts the
# program where it likes and starts it there (start_palette DIR).
set -euo pipefail
usage="usage: $0 MIRUFO.EXE BUILD_DIR PROBE.EXE"
build=$(cd "${2:?$usage}" && pwd)
probe_exe=${3:?$usage}
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)
[ -f "$probe_exe" ] || { echo "FAIL: $probe_exe does not exist" >&2; exit 1; }
probe_exe=$(cd "$(dirname "$probe_exe")" && pwd)/$(basename "$probe_exe")
sjis() { printf "$1" | iconv -f UTF-8 -t CP932; }

if [ "${1:?$usage}" = - ]; then
  [ -z "$(ls -A "$build")" ] || { echo "FAIL: $build is not empty" >&2; exit 1; }
  work=$build
else
  # --- the program beside its own face folder -----------------------------
  exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  [ -f "$exe" ] || { echo "FAIL: $exe does not exist" >&2; exit 1; }
  mkdir -p "$build/e2e"
  work=$(mktemp -d "$build/e2e/$E2E_NAME.XXXXXX")
  cp "$exe" "$work/mirufo.exe"
  for dll in "$(dirname "$exe")"/*.[dD][lL][lL]; do
    if [ -f "$dll" ]; then cp "$dll" "$work/"; fi
  done
  kao=$work/kao
  mkdir -p "$kao"
fi

# --- Wine, X and clean-up -------------------------------------------------
"$tools/wine-prefix" "$build"
. "$tools/wine-env" "$build"
. "$tools/xvfb-session"
pids=()
status=failed
finish() {
  local p
  for p in "${pids[@]}"; do
    if kill -0 "$p" 2>/dev/null; then kill "$p" 2>/dev/null || true; fi
  done
  if [ -n "$XVFB_PID" ]; then
    wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 </dev/null || true
  fi
  [ "$status" = passed ] || wineserver -k 2>/dev/null || true
  timeout 30 wineserver -w 2>/dev/null || true
  xvfb_stop
  if [ "$status" = passed ]; then
    rm -rf "$work"
  else
    echo "the test's files (and Wine's output, wine.log) are kept in $work" >&2
  fi
}
trap finish EXIT

fail() {
  echo "FAIL: $*" >&2
  xvfb_screenshot "$build/e2e-$E2E_NAME-failed.png" 2>/dev/null &&
    echo "screen saved as $build/e2e-$E2E_NAME-failed.png" >&2
  exit 1
}

xvfb_start
# A Wine process of an earlier test may still hold the prefix, on that test's
# display; let it go first.
timeout 30 wineserver -w 2>/dev/null || true
# Every program runs inside one virtual desktop, where Wine draws the frames
# and "wine" hands back the program's exit code (explorer /desktop would
# not). The setting is removed again on exit.
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v e2e /d 1024x768 /f >/dev/null 2>&1 </dev/null
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d e2e /f >/dev/null 2>&1 </dev/null
cd "$work"

# start_palette [DIR]: runs DIR's mirufo.exe (the copy's by default) from
# its folder; sets pid and palette (its X window). With start_message set
# to a grep pattern, the start first shows a message box saying it, which
# is closed with Return.
start_palette() {
  local dir=${1:-$work}
  (cd "$dir" && exec wine "$dir/mirufo.exe" >>"$work/wine.log" 2>&1 </dev/null) &
  pid=$!
  pids+=("$pid")
  local ids
  if [ -n "${start_message:-}" ]; then
    local box
    box=$(xvfb_wait_window '^ミルフォ$' 60 "$pid" | head -n 1) || fail "no message at the start of $dir"
    read_message "$start_message"
    give_keys "$box"
    xdotool key Return
    wait_for 10 "the start message closed" eval '! xdotool search --onlyvisible --name "^ミルフォ\$" | grep -qx "$box"'
  fi
  ids=$(xvfb_wait_window '^ミルフォ$' 60 "$pid") || fail "the palette of $dir did not appear"
  palette=$(head -n 1 <<<"$ids")
  sleep 1 # let it paint, and let a message box of a failed start come up
  local n
  n=$(xdotool search --onlyvisible --name 'ミルフォ' | wc -l)
  [ "$n" -eq 1 ] || fail "$n windows titled ミルフォ: a message box is open"
}

# close_palette: Escape in the palette; the program must end with 0.
close_palette() {
  xvfb_click "$palette" 120 10 # the caption: the palette becomes active
  give_keys "$palette"
  xdotool key Escape
  wait_for 20 "the program ending on Escape" eval '! kill -0 "$pid" 2>/dev/null'
  local rc=0
  wait "$pid" || rc=$?
  [ "$rc" -eq 0 ] || fail "mirufo.exe exited with $rc"
}

# give_keys X_WINDOW: keys typed from now on go to that window. Without a
# window manager Wine's virtual desktop leaves the X input focus where it
# was when another program's window comes to the front, so a script must
# move it as a window manager would.
give_keys() {
  sleep 0.3
  xdotool windowfocus "$1"
}

# open_notepad FILE X Y: Wine's notepad on FILE (a host path), its frame
# moved to X,Y; sets notepad (its X window).
open_notepad() {
  wine notepad "$(winepath "$1")" >>"$work/wine.log" 2>&1 </dev/null &
  pids+=("$!")
  xvfb_wait_window "$(basename "$1")" 60 >/dev/null || fail "notepad did not appear"
  wait_for 10 "notepad moved" probe move "$(basename "$1")" "$2" "$3"
  notepad=$(xdotool search --onlyvisible --name "$(basename "$1")" | head -n 1)
}

# set_dpi DPI: the Wine prefix's LogPixels, for programs started from now
# on. A script that changes it sets it back to 96 on exit: the prefix is
# shared with the other scripts.
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null
}

# windows_titled NAME: how many visible windows have exactly that title.
windows_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
# dismiss_message TEXT: a message box, titled ミルフォ as the palette is,
# comes up saying TEXT (a grep pattern) and is closed with Return.
dismiss_message() {
  wait_for 15 "a message over the palette" eval '[ "$(windows_titled ミルフォ)" -eq 2 ]'
  read_message "$1"
  local id box=
  for id in $(xdotool search --onlyvisible --name '^ミルフォ$'); do [ "$id" = "$palette" ] || box=$id; done
  [ -n "$box" ] || fail "no message box over the palette"
  give_keys "$box"
  xdotool key Return
  wait_for 10 "the message closed" eval '[ "$(windows_titled ミルフォ)" -eq 1 ]'
}
# read_message TEXT: the message box in front says TEXT (a grep pattern). It
# is the first window titled ミルフォ once it has come to the front, which
# may take a moment under Wine.
read_message() {
  local deadline=$((SECONDS + 10))
  until probe children ミルフォ | grep -q "$1"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the message says: $(probe children ミルフォ | tr '\n' '|')"
    sleep 0.3
  done
}
# probe ARGS...: asks the Windows side (see probe.cpp); prints UTF-8.
# file_menu KEYS...: the file menu opened from the keyboard, then KEYS.
# Under Wine a letter shared by two items runs the first of them at once.
file_menu() {
  xvfb_click "$palette" 120 10
  give_keys "$palette"
  xdotool key alt+f
  wait_for 10 "the file menu open" eval 'probe popup >/dev/null'
  sleep 0.3
  if [ $# -gt 0 ]; then xdotool key --delay 150 "$@"; fi
}
probe() { wine "$probe_exe" "$@" 2>/dev/null </dev/null; }
# open_from_file_menu KEY TITLE: the file menu's item KEY opens the window
# titled TITLE; sets opened to its X window.
open_from_file_menu() {
  file_menu "$1"
  local ids
  ids=$(xvfb_wait_window "^$2\$" 15) || fail "$2 did not open"
  opened=$(head -n 1 <<<"$ids")
  sleep 0.5
}

dialog_titles='^(名前を付けて保存|ファイルを開く|開く|Save As|Open)$'
# choose_file WINDOWS_PATH [PICTURE]: types the path into the file dialog
# that opens and accepts it; the dialog's picture first goes to PICTURE.
choose_file() {
  local ids dialog
  ids=$(xvfb_wait_window "$dialog_titles" 15) || fail "no file dialog"
  dialog=$(head -n 1 <<<"$ids")
  sleep 0.5
  if [ -n "${2:-}" ]; then xvfb_screenshot "$2"; fi
  give_keys "$dialog"
  xdotool key ctrl+a
  xdotool type --delay 30 "$1"
  xdotool key Return
  wait_for 15 "the file dialog closed" eval '! xdotool search --onlyvisible --name "$dialog_titles" >/dev/null'
}

# wait_for SECS DESCRIPTION COMMAND...: polls until COMMAND succeeds.
wait_for() {
  local secs=$1 what=$2 deadline
  shift 2
  deadline=$((SECONDS + secs))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$what: not within $secs s"
    sleep 0.2
  done
}

hex() { od -An -tx1 "$1" | tr -d ' \n'; }
same() { cmp -s "$1" "$2" || fail "$1 holds $(hex "$1"), expected $(hex "$2")"; }

# Wine 8's default metrics at 96 DPI (measured): 4-pixel frame, 19-pixel
# caption, 19-pixel menu bar. Below the menu the 68-pixel top bar, then the
# class list (81 high, 2-pixel sunken edge), a 3-pixel splitter, the group
# list (84 high) and another splitter. The height of a row is read off the
# screen (row_height). All are relative to the palette's frame.
client_x=4
client_y=42
class_top=$((client_y + 68 + 2))
group_top=$((client_y + 68 + 81 + 3 + 2))
face_top=$((client_y + 68 + 81 + 3 + 84 + 3 + 2))
history1_y=$((client_y + 26 + 10))
history2_y=$((client_y + 47 + 10))
history_x=$((client_x + 106 + 40))
item=

# row_height PICTURE: the selected first class is one band of the highlight
# colour at the top of the class list; its height is the row height.
row_height() {
  convert "$1" -crop "1x81+$((client_x + 180))+$class_top" +repage -depth 8 txt:- |
    awk -F'[ ]+' 'NR > 1 { c[NR - 2] = $3 }
      END { n = 0; while (n in c && c[n] == c[0]) n++; print n }'
}
measure_rows() {
  xvfb_screenshot "$build/e2e-$E2E_NAME-rows.png" "$palette"
  item=$(row_height "$build/e2e-$E2E_NAME-rows.png")
  [ "$item" -ge 12 ] && [ "$item" -le 30 ] ||
    fail "no selected row of 12 to 30 pixels at the top of the class list (found $item)"
}
# click_row LIST_TOP ROW [COUNT]: clicks (COUNT times) on a row of a list.
click_row() { xvfb_click "$palette" $((client_x + 60)) $(($1 + $2 * item + item / 2)) "${3:-1}"; }

# winpath PATH: the Windows name of a host path, through the drive Z:.
winpath() { printf 'Z:%s' "$(tr / '\\' <<<"$1")"; }
# The palette's lists by creation order: 0 classes, 1 groups, 2 faces.
items() { probe items ミルフォ "$1" | tr -d '\r'; }
# row_of LIST NAME: the row of NAME in that list.
row_of() {
  local row
  row=$(items "$1" | grep -nxF -- "$2" | cut -d: -f1)
  [ -n "$row" ] || fail "no row $2 in list $1: $(items "$1" | tr '\n' ' ')"
  echo $((row - 1))
}
# menu_item LIST_TOP ROW: right click on the list, then the item at ROW of
# its context menu (0 paste, 1 edit, 2 add, 3 change, 4 delete).
menu_item() {
  local y=$(($1 + 20))
  xdotool mousemove --window "$palette" 60 "$y" click 3
  sleep 0.7
  xdotool mousemove --window "$palette" 95 $((y + 11 + $2 * 26)) click 1
}
# answer TITLE KEYS...: the name entry dialog titled TITLE takes the keys
# (with "--text TEXT" instead, TEXT typed as an input method would, then
# Return); its picture goes to e2e-NAME-dialog.png.
answer() {
  local title=$1 ids
  shift
  ids=$(xvfb_wait_window "^$title\$" 10) || fail "no dialog titled $title"
  dialog=$(head -n 1 <<<"$ids")
  xvfb_screenshot "$build/e2e-$E2E_NAME-dialog.png"
  give_keys "$dialog"
  if [ "$1" = --text ]; then
    probe type "$2"
    sleep 0.5
    xdotool key Return
  else
    xdotool key --delay 60 "$@"
  fi
  wait_for 10 "the dialog $title closed" eval '! xdotool search --onlyvisible --name "^$title\$" >/dev/null'
}
