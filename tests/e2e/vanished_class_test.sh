#!/usr/bin/env bash
# A class folder removed behind the real mirufo.exe while the face folder
# refuses new folders (a read-only drive, as the user meets it): clicking the
# class shows no groups and no message, another class still loads and saves,
# and Escape still ends the program.
# usage: vanished_class_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=vanished_class
. "$(dirname "$0")/e2e-lib.sh"

mkdir -p "$kao/A" "$kao/B" "$kao/C"
printf 'a\r\n' >"$kao/A/g.txt"
printf 'b\r\n' >"$kao/B/h.txt"
printf 'c\n' >"$kao/C/k.txt" # LF only: rewritten with CR LF when C is left

# The face folder refuses new entries: root is stopped only by the immutable
# flag, anyone else by the missing write permission. It is lifted again on
# every way out, before the work folder is cleaned up.
freeze() {
  if [ "$(id -u)" -eq 0 ]; then chattr +i "$kao"; else chmod a-w "$kao"; fi
}
thaw() {
  if [ "$(id -u)" -eq 0 ]; then chattr -i "$kao" 2>/dev/null || true; fi
  chmod u+w "$kao" 2>/dev/null || true
}
trap 'thaw; finish' EXIT

# blank NAME TOP: the inside of the list below TOP shows one colour only, no
# entry and no selection.
blank() {
  local colours
  xvfb_screenshot "$build/e2e-$E2E_NAME-$1.png" "$palette"
  colours=$(convert "$build/e2e-$E2E_NAME-$1.png" -crop "200x60+$((client_x + 10))+$(($2 + 2))" +repage \
    -format %k info:)
  [ "$colours" -eq 1 ]
}
# alone: no message box beside the palette (both are titled ミルフォ).
alone() {
  local n
  n=$(xdotool search --onlyvisible --name '^ミルフォ$' | wc -l)
  [ "$n" -eq 1 ] || fail "$n windows titled ミルフォ after $1: a message box is open"
}

start_palette
measure_rows
rm -rf "$kao/B"
freeze
mkdir "$kao/B" 2>/dev/null && fail "the face folder still takes new folders"

click_row "$class_top" 1
sleep 1
alone "clicking the vanished class"
blank groups "$group_top" || fail "the group list of the vanished class is not empty"
blank faces "$face_top" || fail "the face list of the vanished class is not empty"
[ ! -e "$kao/B" ] || fail "the class folder B was made again"

# Another class still works: C loads (its group selected) and is saved when left.
click_row "$class_top" 2
sleep 1
alone "clicking class C"
! blank other "$group_top" || fail "class C shows no group"
click_row "$class_top" 1
printf 'c\r\n' >"$work/want.txt"
wait_for 10 "C\\k.txt written on leaving class C" cmp -s "$kao/C/k.txt" "$work/want.txt"
alone "going back to the vanished class"

close_palette
[ ! -e "$kao/B" ] || fail "the class folder B was made again at close"

status=passed
echo "vanished class end to end: passed (pictures: $build/e2e-$E2E_NAME-groups.png, $build/e2e-$E2E_NAME-other.png)"
