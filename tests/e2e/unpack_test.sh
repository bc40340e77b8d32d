#!/usr/bin/env bash
# A long unpack with the real mirufo.exe and our UNLHA32.DLL under Wine: an
# archive of thousands of small members, imported through the file menu,
# shows how far it has come in the palette's status bar while the palette
# keeps answering; Escape stops it, the class folder goes, and the palette
# stays and shows no such class. Alt+F4 during a second unpack stops it
# and ends the program cleanly.
# usage: unpack_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=unpack
. "$(dirname "$0")/e2e-lib.sh"

[ -f "$work/UNLHA32.DLL" ] || fail "UNLHA32.DLL is not beside mirufo.exe"
mkdir -p "$kao/cls" "$work/members"
sjis 'a\r\n' >"$kao/cls/g.txt"
members=5000
(cd "$work/members" && for ((i = 0; i < members; i++)); do printf '%d\r\n' "$i" >"g$i.txt"; done)
(cd "$work/members" && jlha a "$work/many.lzh" *.txt >/dev/null 2>&1 && [ -s "$work/many.lzh" ]) ||
  fail "jlha cannot make the archive"
rm -rf "$work/members"

# status_text: the progress part of the palette's status bar; fails when the
# palette does not answer within 2 s.
status_text() { probe status ミルフォ 1 | tr -d '\r\n'; }
progress_number() { status_text | sed -n 's/^展開中 \([0-9]*\) 個目 .*/\1/p'; }

start_palette
file_menu a Return # the first of two &A items: 配布用取込
choose_file "Z:$(tr / '\\' <<<"$work/many.lzh")"
wait_for 60 "progress in the status bar" eval '[ -n "$(progress_number)" ]'
first=$(progress_number)
sleep 2
second=$(progress_number) || fail "the palette does not answer during the unpack"
[ -n "$second" ] && [ "$second" -gt "$first" ] ||
  fail "the progress stays at $first (then \"$(status_text)\")"
xvfb_screenshot "$build/e2e-unpack.png" "$palette"
echo "unpacking: member $first, 2 s later member $second of $members"
[ -d "$kao/many" ] && [ -n "$(ls "$kao/many")" ] || fail "no partial class folder during the unpack"

give_keys "$palette"
xdotool key Escape
wait_for 30 "the class folder removed after Escape" test ! -e "$kao/many"
wait_for 10 "the status bar saying the unpack stopped" eval '[ "$(status_text)" = 展開を中止しました ]'
kill -0 "$pid" 2>/dev/null || fail "the palette ended on Escape during the unpack"
[ "$(windows_titled ミルフォ)" -eq 1 ] || fail "a message box came up after the stop"
classes=$(probe items ミルフォ 0 | tr -d '\r')
[ "$classes" = cls ] || fail "the class list shows: $(tr '\n' '|' <<<"$classes")"
xvfb_screenshot "$build/e2e-unpack-stopped.png" "$palette"

# Alt+F4 during an unpack stops it too, and the program ends cleanly once
# the class folder has gone. (The dialog proposes the last archive: no
# Return after the menu key, which would accept it at once.)
file_menu a
choose_file "Z:$(tr / '\\' <<<"$work/many.lzh")"
wait_for 60 "progress in the status bar again" eval '[ -n "$(progress_number)" ]'
give_keys "$palette"
xdotool key alt+F4
wait_for 30 "the program ending on Alt+F4 during the unpack" eval '! kill -0 "$pid" 2>/dev/null'
rc=0
wait "$pid" || rc=$?
[ "$rc" -eq 0 ] || fail "mirufo.exe exited with $rc"
[ ! -e "$kao/many" ] || fail "the class folder stays after Alt+F4: $(ls "$kao/many" | wc -l) files"

status=passed
echo "long unpack end to end: passed (pictures: $build/e2e-unpack.png, $build/e2e-unpack-stopped.png)"
