#!/usr/bin/env bash
# Screen edges with the real mirufo.exe under Wine: the real mouse pushed
# against an enabled edge hides the palette, leaving and coming back shows
# it again, a disabled edge does nothing.
# usage: edge_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=edge
. "$(dirname "$0")/e2e-lib.sh"

mkdir -p "$kao/A"
sjis '(^_^)\r\n' >"$kao/A/g.txt"
printf '[kao]\r\nvtop=1\r\nvwidth=1\r\n' >"$work/system.ini"

shown() { probe windows | grep -qx 'T ミルフォ'; }
hidden() { ! shown; }
# move X Y: the real pointer, then time for a few ticks.
move() {
  xdotool mousemove "$1" "$2"
  sleep 0.3
}

xdotool mousemove 500 300
start_palette
shown || fail "the palette is not shown at start"

move 500 0
wait_for 5 "the palette hidden at the top edge" hidden
move 700 0 # along the edge: no second toggle
move 1023 0
hidden || fail "sliding along the top edge showed the palette again"
move 0 300 # the left edge is not enabled: off every enabled edge
hidden || fail "the disabled left edge showed the palette"
move 1023 300
wait_for 5 "the palette shown again at the right edge" shown
xvfb_screenshot "$build/e2e-edge.png"
move 500 300
close_palette

status=passed
echo "edges end to end: passed (picture: $build/e2e-edge.png)"
