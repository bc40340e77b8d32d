#!/usr/bin/env bash
# The real mirufo.exe at 96 and at 144 DPI (the Wine prefix's LogPixels):
# the same settings file gives a palette half as large again, its list rows
# with it, and the file keeps the 96-DPI size when the palette closes. The
# lists hold names and faces of many scripts, to be looked at in the
# pictures: every character drawn where an installed font has it.
# usage: dpi_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=dpi
. "$(dirname "$0")/e2e-lib.sh"

mkdir -p "$kao/ʕ•ᴥ•ʔ" "$kao/顔"
sjis '(^_^)\r\n' >"$kao/顔/g.txt"
printf '\xEF\xBB\xBF%s\r\n' '(^_^)顔文字' 'ʕ•ᴥ•ʔ ٩(ˊᗜˋ*)و' 'ᕕ( ᐛ )ᕗ ಠ_ಠ' '(๑•̀ㅂ•́)و✧ ฅ^•ﻌ•^ฅ' \
  'Привет (ΦωΦ) ¯\_(ツ)_/¯' '🍣👍🏽🐻 𝓱𝓮𝓵𝓵𝓸 𓀀' '(ﾉ◕ヮ◕)ﾉ*:･ﾟ✧ ┻━┻' >"$kao/ʕ•ᴥ•ʔ/🍣.txt"
printf '[kao]\r\nleft=0\r\ntop=0\r\nwidth=250\r\nheight=400\r\n' >"$work/system.ini"

# The prefix is shared with the other scripts: back to 96 whatever happens.
trap 'set_dpi 96; finish' EXIT

# look DPI: starts the palette, checks its outer size, keeps a picture and
# the rows' height in row_DPI, and closes it again.
look() {
  set_dpi "$1"
  start_palette
  local want_w=$((250 * $1 / 96)) want_h=$((400 * $1 / 96)) size
  size=$(probe size ミルフォ)
  [ "$size" = "$want_w $want_h" ] || fail "at $1 DPI the palette is $size, expected $want_w $want_h"
  xvfb_screenshot "$build/e2e-dpi-$1.png" "$palette"
  printf -v "row_$1" '%s' "$(probe rows ミルフォ | head -n 1 | tr -d '\r')"
  close_palette
  grep -q $'^width=250\r$' "$work/system.ini" || fail "at $1 DPI the width was not written as 250"
  grep -q $'^height=400\r$' "$work/system.ini" || fail "at $1 DPI the height was not written as 400"
}

look 96
look 144
# Rows follow the list font: half as high again, give or take a pixel.
[ $((row_96 * 3)) -ge $((row_144 * 2 - 2)) ] && [ $((row_96 * 3)) -le $((row_144 * 2 + 2)) ] ||
  fail "rows of $row_96 pixels at 96 DPI but $row_144 at 144 DPI"
convert "$build/e2e-dpi-96.png" "$build/e2e-dpi-144.png" -background '#2a6a8e' -gravity north +append \
  "$build/e2e-dpi.png"

status=passed
echo "display scaling end to end: passed (rows $row_96 and $row_144 pixels; picture: $build/e2e-dpi.png)"
