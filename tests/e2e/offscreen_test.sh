#!/usr/bin/env bash
# The real mirufo.exe under Wine started with a system.ini that puts the
# palette on no display (far to the top left with a negative size, then at
# the largest left there is): it opens on the 1024x768 desktop, at least as
# large as its smallest layout, closing writes that place, and the next
# start opens there again.
# usage: offscreen_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=offscreen
. "$(dirname "$0")/e2e-lib.sh"

mkdir -p "$kao/A"
sjis '(^_^)\r\n' >"$kao/A/g.txt"
ini=$work/system.ini

ini_value() { tr -d '\r' <"$ini" | sed -n "s/^$1=//p"; }

# The smallest palette: 234 x 278 client pixels (the top bar, the class and
# group lists at 81 and 84, a face list of 20, splitters and status bar) in
# Wine's frame of 4-pixel borders, a 19-pixel caption and a 19-pixel menu
# bar.
least_w=$((234 + 2 * 4))
least_h=$((278 + 2 * 4 + 19 + 19))

# on_screen WHEN: the palette's frame lies wholly on the desktop.
on_screen() {
  xvfb_geometry "$palette"
  [ "$WIN_X" -ge 0 ] && [ "$WIN_Y" -ge 0 ] && [ $((WIN_X + WIN_W)) -le 1024 ] && [ $((WIN_Y + WIN_H)) -le 768 ] ||
    fail "$1: the palette stands at $WIN_X,$WIN_Y size ${WIN_W}x$WIN_H, not on the 1024x768 desktop"
  [ "$WIN_W" -ge "$least_w" ] && [ "$WIN_H" -ge "$least_h" ] ||
    fail "$1: the palette is ${WIN_W}x$WIN_H, smaller than ${least_w}x$least_h"
}

shots=()
for place in 'left=-100000\r\ntop=-100000\r\nwidth=-5\r\nheight=-5' 'left=2147483647'; do
  printf "[kao]\r\n$place\r\n" >"$ini"
  start_palette
  on_screen "$place"
  shown="$WIN_X,$WIN_Y,$WIN_W,$WIN_H"
  shots+=("$build/e2e-offscreen-${#shots[@]}.png")
  xvfb_screenshot "${shots[-1]}" "$palette"
  close_palette
  left=$(ini_value left) top=$(ini_value top)
  [ "$left" -ge 0 ] && [ "$left" -lt 1024 ] && [ "$top" -ge 0 ] && [ "$top" -lt 768 ] ||
    fail "$place: closing wrote left=$left top=$top, off the desktop"
  start_palette
  on_screen "$place, started again"
  [ "$WIN_X,$WIN_Y,$WIN_W,$WIN_H" = "$shown" ] ||
    fail "$place: started again at $WIN_X,$WIN_Y,$WIN_W,$WIN_H, not where it was ($shown)"
  close_palette
done

status=passed
echo "PASS: a palette placed on no display opens on the desktop and is written there (pictures: ${shots[*]})"
