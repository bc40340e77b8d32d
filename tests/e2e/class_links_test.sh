#!/usr/bin/env bash
# A class holding links, made from the unix side as a user meets them under
# Wine, deleted from the real mirufo.exe: nothing the links lead to is
# touched. Wine can remove neither kind of link as an entry, so the class
# stays with its links, a message says so and the class list shows it;
# without the links the class goes.
# usage: class_links_test.sh MIRUFO.EXE BUILD_DIR PROBE.EXE
E2E_NAME=class_links
. "$(dirname "$0")/e2e-lib.sh"

mkdir -p "$kao/A" "$kao/B" "$work/precious/folder"
sjis 'a\r\n' >"$kao/A/g.txt"
sjis 'b\r\n' >"$kao/B/h.txt"
sjis 'keep\r\n' >"$work/precious/keep.txt"
sjis 'inner\r\n' >"$work/precious/folder/inner.txt"
ln -s "$work/precious/keep.txt" "$kao/A/linked.txt"
ln -s "$work/precious/folder" "$kao/A/linked"

classes() { probe items ミルフォ 0 | tr -d '\r' | tr '\n' ' '; }
# delete_first_class: the Delete key on the class list's first row.
delete_first_class() {
  click_row "$class_top" 0
  give_keys "$palette"
  xdotool key Delete
}
precious_kept() {
  same "$work/precious/keep.txt" <(sjis 'keep\r\n')
  same "$work/precious/folder/inner.txt" <(sjis 'inner\r\n')
}

start_palette
measure_rows
[ "$(classes)" = "A B " ] || fail "the classes are $(classes)"
delete_first_class
dismiss_message 'クラス A を削除しきれませんでした'
precious_kept
left=$(ls -A "$kao/A" | tr '\n' ' ')
[ "$left" = "linked linked.txt " ] || fail "the class folder holds '$left', expected only the links"
[ "$(classes)" = "A B " ] || fail "the classes are $(classes) after the failed deletion"

rm "$kao/A/linked" "$kao/A/linked.txt"
delete_first_class
wait_for 10 "class A deleted" test ! -e "$kao/A"
wait_for 10 "class A gone from the list" eval '[ "$(classes)" = "B " ]'
[ "$(windows_titled ミルフォ)" -eq 1 ] || fail "a message came up for a class without links"
precious_kept
close_palette

status=passed
echo "class links end to end: passed"
