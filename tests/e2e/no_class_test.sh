#!/usr/bin/env bash
# A text file dropped on the real mirufo.exe when the library has no class
# and the default class cannot be made (a plain file in its place, or a face
# folder on a drive that is gone): a message names the class folder, and
# nothing is written anywhere, the root of the current drive included. The
# gone drive is named at the start as well.
# usage: no_class_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=no_class
. "$(dirname "$0")/e2e-lib.sh"

cc -O -o "$work/xdnd_drop" "$(dirname "$0")/xdnd_drop.c" -lX11 || fail "cannot build the drag source"
mkdir -p "$kao" "$work/drop"
sjis '(^_^)\r\n' >"$work/drop/dropped.txt"
printf 'not a folder' >"$kao/デフォルト"

# drop_and_expect PATTERN NAME [START]: after the message START at the
# start, if given, the text file dragged onto the palette brings up a
# message matching PATTERN, and no dropped.txt appears anywhere.
drop_and_expect() {
  start_message=${3:-} start_palette
  xvfb_geometry "$palette"
  # The lists are empty: the middle of the palette is as good as any row.
  "$work/xdnd_drop" "$palette" $((WIN_X + 100)) $((WIN_Y + 250)) "$work/drop/dropped.txt" \
    >"$work/xdnd.log" 2>&1 || fail "the drop was not finished: $(cat "$work/xdnd.log")"
  wait_for 15 "a message over the palette" eval '[ "$(windows_titled ミルフォ)" -eq 2 ]'
  sleep 0.5
  xvfb_screenshot "$build/e2e-$E2E_NAME-$2.png"
  dismiss_message "$1"
  close_palette
  for root in / "$WINEPREFIX/drive_c" "$work" "$kao"; do
    [ ! -e "$root/dropped.txt" ] || fail "the group was written to $root"
  done
  [ -z "$(find "$kao" -mindepth 1 ! -name デフォルト)" ] || fail "the face folder took: $(find "$kao" -mindepth 1)"
  [ "$(cat "$kao/デフォルト")" = "not a folder" ] || fail "the file in the class's place changed"
}

sjis '[kao]\r\ndragdrop=1\r\n' >"$work/system.ini"
drop_and_expect 'デフォルト.*作成できません' file-in-place

sjis '[kao]\r\ndragdrop=1\r\nkaopath2="Q:\\kao"\r\n' >"$work/system.ini"
drop_and_expect 'Q:\\kao\\デフォルト' missing-drive '顔フォルダ "Q:\\kao" が見つかりません'

status=passed
echo "no class end to end: passed (pictures: $build/e2e-$E2E_NAME-*.png)"
