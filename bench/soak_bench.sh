#!/usr/bin/env bash
# Drives the real palette under Wine for a long run with real X input,
# interleaved: double clicks pasting faces into Wine's notepad, clicks
# switching groups, edit-mode saves reordering a group and rewriting its
# counter line, and hide/show toggles at the top screen edge. The work is
# spread over MINUTES; when it takes longer, the run lasts until it is all
# done. Every minute it prints the palette's memory and handle counts; at
# the end, verdicts: no growth after the first minute, no lost paste, every
# group file byte for byte as expected. Exit 0 only when every verdict
# passes.
# usage: bench/soak_bench.sh [BUILD_DIR] [MINUTES]   (default build/win64, 10)
# The counts can be made smaller for a quick try: SOAK_PASTES (2000),
# SOAK_SWITCHES (1000), SOAK_SAVES (100), SOAK_EDGE_PAIRS (100).
set -euo pipefail
bench=$(cd "$(dirname "$0")" && pwd)
build_dir=$(cd "${1:-build/win64}" && pwd)
minutes=${2:-10}
pastes=${SOAK_PASTES:-2000}
switches=${SOAK_SWITCHES:-1000}
saves=${SOAK_SAVES:-100}
edge_pairs=${SOAK_EDGE_PAIRS:-100}
check_every=20 # pastes between two reads (and clears) of notepad
for f in mirufo.exe tests/e2e_probe.exe; do
  [ -f "$build_dir/$f" ] || { echo "no $build_dir/$f: build the win64 targets mirufo and e2e_probe first" >&2; exit 1; }
done

# The end-to-end scripts' set-up: a copy of the program beside its own face
# folder, Wine in one virtual desktop on a private Xvfb, and their helpers.
E2E_NAME=soak
set -- "$build_dir/mirufo.exe" "$build_dir" "$build_dir/tests/e2e_probe.exe"
. "$bench/../tests/e2e/e2e-lib.sh"
. "$bench/edit_keys.sh"

# --- the library: three classes, four groups in the one the run uses ------
# Faces hold Shift-JIS trail bytes of 0x5C (ソ 83 5C, 表 95 5C, 能 94 5C,
# 構 8D 5C) and half-width katakana; the last line of each group is the
# edit saves' counter.
groups=(g0 g1 g2 g3)
faces_g0=('(^_^)' 'ソース(ﾟДﾟ)' '表(´・ω・｀)' 'orz' 'start')
faces_g1=('(T_T)' 'ヽ(`Д´)ノ' '予定表' '能ソ' 'start')
faces_g2=('(*^o^*)' 'ソ' '表示' '＼(^o^)／' 'start')
faces_g3=('(=ﾟωﾟ)ﾉ' '構わない' '(-_-)' 'ソ表' 'start')
rows=4 # the faces pasted: every row but the counter
mkdir -p "$kao/A" "$kao/B" "$kao/C"
sjis 'ソ\r\n' >"$kao/B/b.txt"
sjis '表\r\n' >"$kao/C/c.txt"
cp "$kao/B/b.txt" "$work/want-B-b.txt"
cp "$kao/C/c.txt" "$work/want-C-c.txt"
# write_group G FILE: group G as the model holds it, as its file must be.
write_group() {
  local -n faces=faces_$1
  printf '%s\r\n' "${faces[@]}" | iconv -f UTF-8 -t CP932 >"$2"
}
for g in "${groups[@]}"; do write_group "$g" "$kao/A/$g.txt"; done
printf '[kao]\r\nvtop=1\r\n' >"$work/system.ini"

# --- notepad, clear of the palette, and the palette in front ---------------
note=$work/note.txt
: >"$note"
wine notepad "$(winepath -w "$note" 2>/dev/null)" >>"$work/wine.log" 2>&1 </dev/null &
pids+=("$!")
xvfb_wait_window 'note.txt' 30 >/dev/null || fail "notepad did not appear"
wait_for 10 "notepad moved" probe move note.txt 320 60
xdotool mousemove 500 300
start_palette
measure_rows
unix_pid=$(pgrep -n -f 'mirufo\.exe') || fail "no Linux process of mirufo.exe"

# --- the actions, each one updating the model -------------------------------
current=0 # the selected group: the first at start
expected= # what notepad must hold since it was last cleared
done_pastes=0 done_switches=0 done_saves=0 done_toggles=0 checks=0 lost=0

paste() {
  local -n faces=faces_${groups[$current]}
  local row=$((done_pastes % rows))
  click_row "$face_top" "$row" 2
  expected+=${faces[$row]}
  done_pastes=$((done_pastes + 1))
  sleep 0.1 # a user's pace: the keys reach notepad before the next click
}

switch_group() {
  current=$(((current + 1 + done_switches % 3) % ${#groups[@]}))
  click_row "$group_top" "$current"
  done_switches=$((done_switches + 1))
}

# The edit box holds every face and a line end after each. With the caret at
# the end, Shift+Up selects the counter, which the typing replaces; then the
# first face is cut and pasted above the counter: a, b, c, d, eN becomes
# b, c, d, a, eM. The cut face goes through the clipboard as Unicode and
# back to Shift-JIS.
save_edit() {
  local -n faces=faces_${groups[$current]}
  local counter=e$done_saves
  xvfb_click "$palette" $((client_x + 86)) $((client_y + 36)) # edit
  give_keys "$palette"
  edit_keys "$counter"
  xvfb_click "$palette" $((client_x + 26)) $((client_y + 36)) # save
  faces=("${faces[@]:1:rows-1}" "${faces[0]}" "$counter")
  done_saves=$((done_saves + 1))
  local want
  want=$(printf '%s\n' "${faces[@]}")
  wait_for 10 "the face list after save $done_saves" eval '[ "$(probe items "ミルフォ" 2)" = "$want" ]'
}

shown() { xdotool search --onlyvisible --name '^ミルフォ$' >/dev/null 2>&1; }
hidden() { ! shown; }
# Off the edge, then against it: one toggle.
edge_toggle() {
  xdotool mousemove 500 300
  sleep 0.15
  xdotool mousemove 500 0
  done_toggles=$((done_toggles + 1))
}
edge_pair() {
  edge_toggle
  wait_for 5 "the palette hidden at the top edge" hidden
  edge_toggle
  wait_for 5 "the palette shown at the top edge" shown
  xdotool mousemove 500 300
}

notepad_holds() { [ "$(probe text note.txt)" = "$expected" ]; }
# Notepad must hold exactly the faces pasted since the last check; then it
# is emptied for the next ones.
check_notepad() {
  local deadline=$((SECONDS + 10))
  until notepad_holds; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      lost=$((lost + 1))
      echo "  check $((checks + 1)): notepad holds '$(probe text note.txt)', expected '$expected'"
      break
    fi
    sleep 0.2
  done
  checks=$((checks + 1))
  probe settext note.txt '' || fail "notepad could not be emptied"
  wait_for 5 "notepad emptied" eval '[ -z "$(probe text note.txt)" ]'
  expected=
}

# --- the per-minute figures -------------------------------------------------
# Figures as probe counts prints them, "-" where Wine gives none, and the
# Linux process's own, real whatever Wine counts: resident size, its
# anonymous part (heap and other private memory) and open descriptors.
names=(private working handles gdi user windows rss anon fds)
declare -A first last
sample() {
  local line rss anon fds
  line=$(probe counts 'ミルフォ') || fail "probe counts found no palette"
  rss=$(awk '/^VmRSS:/ { print $2 * 1024 }' "/proc/$unix_pid/status")
  anon=$(awk '/^RssAnon:/ { print $2 * 1024 }' "/proc/$unix_pid/status")
  fds=$(find "/proc/$unix_pid/fd" -mindepth 1 -maxdepth 1 | wc -l)
  read -r _ p _ w _ h _ gd _ us _ wi <<<"$line"
  local -A now=([private]=$p [working]=$w [handles]=$h [gdi]=$gd [user]=$us [windows]=$wi [rss]=$rss [anon]=$anon [fds]=$fds)
  local n
  for n in "${names[@]}"; do
    [ -n "${first[$n]:-}" ] || first[$n]=${now[$n]}
    last[$n]=${now[$n]}
  done
  kib() { [ "$1" = - ] && echo - || echo $(($1 / 1024)); }
  printf '%3d:%02d  %5d %5d %4d %4d %4d  %7s %7s %7s %7s %7s %4s %4s %4s %4s\n' \
    $(((SECONDS - start) / 60)) $(((SECONDS - start) % 60)) \
    "$done_pastes" "$done_switches" "$done_saves" "$done_toggles" "$checks" \
    "$(kib "$p")" "$(kib "$w")" "$(kib "$rss")" "$(kib "$anon")" "$h" "$gd" "$us" "$wi" "$fds"
}

echo "soak: $pastes pastes, $switches group switches, $saves edit saves, $((2 * edge_pairs)) edge toggles, spread over $minutes min"
echo "  time  paste  swit save edge chck  privKiB   WSKiB  RSSKiB anonKiB handles  gdi user wnds  fds"
start=$SECONDS
next_minute=1
total_ns=$((minutes * 60 * 1000000000))
t0=$(date +%s%N)
for ((i = 1; i <= pastes; i++)); do
  paste
  # Every action falls due at an even share of the pastes.
  if [ $(((done_switches + 1) * pastes)) -le $((i * switches)) ]; then switch_group; fi
  if [ $(((done_saves + 1) * pastes)) -le $((i * saves)) ]; then save_edit; fi
  # Half a period off the saves: never on the same paste.
  if [ $(((done_toggles + 1) * pastes)) -le $((i * 2 * edge_pairs)) ]; then edge_pair; fi
  if [ $((i % check_every)) -eq 0 ] || [ "$i" -eq "$pastes" ]; then check_notepad; fi
  # Ahead of the even pace: wait, so that the work spans the whole run.
  ahead=$((t0 + total_ns * i / pastes - $(date +%s%N)))
  [ "$ahead" -le 0 ] || sleep "$(awk -v n="$ahead" 'BEGIN { printf "%.3f", n / 1e9 }')"
  while [ $((SECONDS - start)) -ge $((next_minute * 60)) ]; do
    sample
    next_minute=$((next_minute + 1))
  done
done
sample
duration=$((SECONDS - start))
close_palette

# --- verdicts ----------------------------------------------------------------
failed=0
# verdict TEXT COMMAND...: PASS or FAIL as COMMAND succeeds.
verdict() {
  local text=$1
  shift
  if "$@"; then echo "PASS: $text"; else echo "FAIL: $text"; failed=1; fi
}
echo "ran $((duration / 60)) min $((duration % 60)) s: $done_pastes pastes, $done_switches group switches, $done_saves edit saves, $done_toggles edge toggles, $checks notepad checks"

# Growth: the last sample against the first minute's. Memory may move by
# up to 5% (the heap settles, Wine's caches fill); handle and window counts
# by up to 2.
for n in "${names[@]}"; do
  a=${first[$n]} b=${last[$n]}
  if [ "$a" = - ] || [ "$b" = - ]; then
    echo "----: $n not counted by Wine"
    continue
  fi
  case $n in
    handles | gdi | user | windows | fds) limit=$((a + 2)) how="+2" ;;
    *) limit=$((a + a / 20)) how="+5%" ;;
  esac
  verdict "no growth of $n after the first minute: $a then $b (allowed $how)" [ "$b" -le "$limit" ]
done

verdict "no lost paste: $((checks - lost)) of $checks notepad checks held exactly the $done_pastes faces pasted" [ "$lost" -eq 0 ]

bad=0
for g in "${groups[@]}"; do
  write_group "$g" "$work/want-$g.txt"
  if ! cmp -s "$kao/A/$g.txt" "$work/want-$g.txt"; then
    echo "  A/$g.txt holds $(hex "$kao/A/$g.txt"), expected $(hex "$work/want-$g.txt")"
    bad=$((bad + 1))
  fi
done
for f in B/b C/c; do
  cmp -s "$kao/$f.txt" "$work/want-${f/\//-}.txt" || { echo "  $f.txt changed"; bad=$((bad + 1)); }
done
verdict "every group file byte for byte as expected ($((${#groups[@]} + 2)) files, $bad differing)" [ "$bad" -eq 0 ]

# Notepad would keep Wine running: end it.
wineserver -k 2>/dev/null || true
[ "$failed" -eq 0 ] || exit 1
status=passed
