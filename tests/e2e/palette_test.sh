#!/usr/bin/env bash
# The real mirufo.exe under Wine on a private Xvfb, driven with the mouse and
# the keyboard as a user would, and judged by what it leaves on disk: leaving
# a group writes it back with CR LF line ends and its bytes otherwise intact,
# listing a class removes its empty group files, Escape ends the program.
# usage: palette_test.sh MIRUFO.EXE BUILD_DIR
set -euo pipefail
exe=$(cd "$(dirname "${1:?usage: palette_test.sh MIRUFO.EXE BUILD_DIR}")" && pwd)/$(basename "$1")
build=$(cd "${2:?usage: palette_test.sh MIRUFO.EXE BUILD_DIR}" && pwd)
tools=$(cd "$(dirname "$0")/../../tools" && pwd)
[ -f "$exe" ] || { echo "FAIL: $exe does not exist" >&2; exit 1; }

# --- a face library of our own beside a copy of the program ---------------
mkdir -p "$build/e2e"
work=$(mktemp -d "$build/e2e/palette.XXXXXX")
cp "$exe" "$work/mirufo.exe"
for dll in "$(dirname "$exe")"/*.[dD][lL][lL]; do
  if [ -f "$dll" ]; then cp "$dll" "$work/"; fi
done
kao=$work/kao
want=$work/want
mkdir -p "$kao/A" "$kao/B" "$kao/C" "$kao/顔文字" "$want"
sjis() { printf "$1" | iconv -f UTF-8 -t CP932; }

printf 'x\ny\n' >"$kao/A/g1.txt"              # LF only: rewritten with CR LF
printf 'x\r\ny\r\n' >"$want/g1.txt"
printf 'p\r\nq\r\n' >"$kao/A/g2.txt"          # already in form: kept as it is
cp "$kao/A/g2.txt" "$want/g2.txt"
# 0x5C as a trail byte (表, ソ) and an empty face must come back unchanged.
sjis '表示\r\n\r\n(´・ω・｀)ソ\r\n' >"$kao/B/h.txt"
cp "$kao/B/h.txt" "$want/h.txt"
: >"$kao/C/empty.txt"                          # 0 bytes: deleted on listing C
sjis 'ソフト' >"$kao/C/k.txt"                  # no final line break
sjis 'ソフト\r\n' >"$want/k.txt"
sjis '(^_^)\r\n' >"$kao/顔文字/笑顔.txt"         # a class and group named in Japanese
cp "$kao/顔文字/笑顔.txt" "$want/笑顔.txt"

# The program writes every group it leaves; an old time stamp shows which.
old=$work/old-stamp
touch -d '2001-01-01 00:00' "$old" "$kao"/*/*.txt
touch -d '2001-01-02 00:00' "$old"

# --- Wine, X and clean-up -------------------------------------------------
"$tools/wine-prefix" "$build"
. "$tools/wine-env" "$build"
. "$tools/xvfb-session"
pid=
status=failed
finish() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
  fi
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
  xvfb_screenshot "$build/e2e-palette-failed.png" 2>/dev/null &&
    echo "screen saved as $build/e2e-palette-failed.png" >&2
  exit 1
}

xvfb_start
# A Wine process of an earlier test may still hold the prefix, on that test's
# display; let it go first.
timeout 30 wineserver -w 2>/dev/null || true
# Run the program itself inside a virtual desktop, where Wine draws the
# frames and "wine" hands back the program's exit code (explorer /desktop
# would not). The setting is removed again on exit.
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v e2e /d 1024x768 /f >/dev/null 2>&1 </dev/null
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d e2e /f >/dev/null 2>&1 </dev/null

cd "$work"
wine "$work/mirufo.exe" >"$work/wine.log" 2>&1 </dev/null &
pid=$!

# --- helpers --------------------------------------------------------------
written() { [ "$1" -nt "$old" ]; }

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
# class list (81 high, 2-pixel sunken edge), a 3-pixel splitter and the group
# list. The height of a row is read off the screen (row_height).
client_x=4
client_y=42
class_top=$((client_y + 68 + 2))
group_top=$((client_y + 68 + 81 + 3 + 2))
item=

# row_height PICTURE: the selected first class is one band of the highlight
# colour at the top of the class list; its height is the row height.
row_height() {
  convert "$1" -crop "1x81+$((client_x + 180))+$class_top" +repage -depth 8 txt:- |
    awk -F'[ ]+' 'NR > 1 { c[NR - 2] = $3 }
      END { n = 0; while (n in c && c[n] == c[0]) n++; print n }'
}
click_row() { xvfb_click "$palette" $((client_x + 60)) $(($1 + $2 * item + item / 2)); }

# --- start: the palette alone, where a first start puts it -----------------
ids=$(xvfb_wait_window 'ミルフォ' 30 "$pid") || fail "the palette window did not appear"
palette=$(head -n 1 <<<"$ids")
sleep 1 # let it paint, and let a message box of a failed start come up
n=$(xdotool search --onlyvisible --name 'ミルフォ' | wc -l)
[ "$n" -eq 1 ] || fail "$n windows titled ミルフォ: a message box is open"
xvfb_geometry "$palette"
[ "$WIN_X,$WIN_Y,$WIN_W,$WIN_H" = "0,0,250,400" ] ||
  fail "palette at $WIN_X,$WIN_Y size ${WIN_W}x$WIN_H, expected 0,0 size 250x400"
xvfb_screenshot "$build/e2e-palette.png" "$palette"
item=$(row_height "$build/e2e-palette.png")
[ "$item" -ge 12 ] && [ "$item" -le 30 ] ||
  fail "no selected row of 12 to 30 pixels at the top of the class list (found $item)"

# Nothing is written merely by starting.
for f in "$kao"/*/*.txt; do
  ! written "$f" || fail "$f was written at start"
done

# --- class A is selected with its first group g1; choosing g2 leaves g1 -----
click_row "$group_top" 1
wait_for 10 "A\\g1.txt written on leaving it" written "$kao/A/g1.txt"
same "$kao/A/g1.txt" "$want/g1.txt"
! written "$kao/A/g2.txt" || fail "A\\g2.txt was written on entering it"

# --- the second class is B: choosing it leaves g2 ---------------------------
click_row "$class_top" 1
wait_for 10 "A\\g2.txt written on leaving class A" written "$kao/A/g2.txt"
same "$kao/A/g2.txt" "$want/g2.txt"

# --- the third class is C: choosing it leaves h and drops the empty group ----
click_row "$class_top" 2
wait_for 10 "B\\h.txt written on leaving class B" written "$kao/B/h.txt"
same "$kao/B/h.txt" "$want/h.txt"
wait_for 10 "C\\empty.txt deleted on listing class C" test ! -e "$kao/C/empty.txt"

# --- the fourth class is 顔文字: choosing it leaves k -------------------------
click_row "$class_top" 3
wait_for 10 "C\\k.txt written on leaving class C" written "$kao/C/k.txt"
same "$kao/C/k.txt" "$want/k.txt"
xvfb_screenshot "$build/e2e-palette-end.png" "$palette"

# --- Escape closes the program, which writes the group it shows -------------
xdotool key Escape
wait_for 20 "the program ending on Escape" eval '! kill -0 "$pid" 2>/dev/null'
rc=0
wait "$pid" || rc=$?
pid=
[ "$rc" -eq 0 ] || fail "mirufo.exe exited with $rc"
written "$kao/顔文字/笑顔.txt" || fail "顔文字\\笑顔.txt was not written at close"
same "$kao/顔文字/笑顔.txt" "$want/笑顔.txt"
# Nothing else is left in the library: no temporary file of a save.
left=$(cd "$kao" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
[ "$left" = "./A ./A/g1.txt ./A/g2.txt ./B ./B/h.txt ./C ./C/k.txt ./顔文字 ./顔文字/笑顔.txt " ] ||
  fail "the library holds: $left"

status=passed
echo "palette end to end: passed (pictures: $build/e2e-palette.png, $build/e2e-palette-end.png)"
