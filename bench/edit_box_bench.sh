#!/usr/bin/env bash
# A large text in the edit box of the real palette under Wine: a text file
# of LINES lines (100,000 by default, 4.5 MB of Shift-JIS) opened into the
# edit box by 特殊ﾌｧｲﾙ読込, a line typed at its top, the save button
# pressed, and the face list back holding every line. The line is typed as
# soon as the box shows, and in a second run once the box holds the whole
# text. Prints the times from the Return that accepts the file, and the
# longest time the palette took to answer a message meanwhile (the probe
# asks every 20 ms; see probe watch). With OTHER_EXE, an earlier build's
# program runs the same way first, for figures before and after in one
# run. A program that does not get there within BENCH_SECONDS (default
# 120) is stopped.
# usage: bench/edit_box_bench.sh [BUILD_DIR] [LINES] [OTHER_EXE]
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build/win64}" && pwd)
lines=${2:-100000}
other=${3:-}
seconds=${BENCH_SECONDS:-120}
[ -f "$build/mirufo.exe" ] && [ -f "$build/tests/e2e_probe.exe" ] ||
  { echo "no $build/mirufo.exe or e2e_probe.exe: build the win64 preset first" >&2; exit 1; }
if [ -n "$other" ]; then other=$(cd "$(dirname "$other")" && pwd)/$(basename "$other"); fi
E2E_NAME=edit_box_bench
set -- "$build/mirufo.exe" "$build" "$build/tests/e2e_probe.exe"
. "$source_dir/tests/e2e/e2e-lib.sh"

# About 47 bytes a line, Shift-JIS with CR LF, as faces and phrases are.
text=$work/lines.txt
awk -v n="$lines" 'BEGIN { for (i = 1; i <= n; i++) printf "顔%06d (^_^)ﾉｼ ありがとうございます。 abc\r\n", i }' |
  iconv -f UTF-8 -t CP932 >"$text"
# What the box holds when the whole text is in: UTF-16 units, CR LF as two.
whole=$(iconv -f CP932 -t UTF-16LE "$text" | wc -c)
whole=$((whole / 2))
path=$(printf 'Z:%s' "$(tr / '\\' <<<"$text")")

# run NAME EXE SHOWN: one program, in a folder of its own with one group;
# the user goes on once the box shows SHOWN (0: any) characters.
run() {
  local label=$2 shown=$3 dir=$work/$1-$3 start watch rc=0 saved_at=0
  mkdir -p "$dir/kao/A"
  cp "$2" "$dir/mirufo.exe"
  printf 'a\r\n' >"$dir/kao/A/g.txt"
  printf '[kao]\r\nline=2\r\n' >"$dir/system.ini"
  start_palette "$dir"
  file_menu z # 特殊ﾌｧｲﾙ読込
  local ids
  ids=$(xvfb_wait_window '^(ファイルを開く|開く|Open)$' 15) || fail "no file dialog"
  sleep 0.5
  give_keys "$(head -n 1 <<<"$ids")"
  xdotool key ctrl+a
  xdotool type --delay 20 "$path"
  watch=$dir/watch.txt
  probe watch ミルフォ "$seconds" 2 $((lines + 1)) >"$watch" &
  local watcher=$!
  sleep 1
  start=$(date +%s%3N)
  xdotool key Return
  # A line at the top, then save.
  local deadline=$((SECONDS + seconds))
  shows() { tr -d '\r' <"$watch" | awk -v n="$shown" '$2 == "edit" && $3 + 0 >= n { found = 1 } END { exit !found }'; }
  until shows; do
    [ "$SECONDS" -lt "$deadline" ] && kill -0 "$watcher" 2>/dev/null || break
    sleep 0.05
  done
  if shows; then
    give_keys "$palette"
    xdotool key --delay 30 ctrl+Home e d i t Return
    saved_at=$(date +%s%3N)
    xvfb_click "$palette" $((client_x + 26)) $((client_y + 36)) # save
  fi
  wait "$watcher" || rc=$?
  if [ -n "${BENCH_VERBOSE:-}" ]; then cat "$watch"; fi
  tr -d '\r' <"$watch" | awk -v s="$start" -v whole="$whole" -v rows=$((lines + 1)) -v l="$label" -v shown="$shown" -v saved="$saved_at" -v max="$seconds" '
    function at(t) { return sprintf("%6.2f s", (t - s) / 1000) }
    $2 == "edit" && !first { first = $1 }
    $2 == "edit" && $3 + 0 >= whole && !full { full = $1 }
    $2 == "list" && $3 == rows { back = $1 }
    /^longest/ { longest = $3 }
    END {
      printf "%s, the line typed once the box shows %s:\n", l, shown == 0 ? "the text" : "all of it"
      printf "  box shows the text         %s\n", first ? at(first) : "never"
      printf "  box holds all of it        %s\n", full ? at(full) : "not before the save"
      printf "  face list back, all lines  %s\n", back ? at(back) : sprintf("not within %d s", max)
      if (back) printf "    of which from the save   %6.2f s\n", (back - saved) / 1000
      printf "  longest answer             %6.2f s\n", longest / 1000
    }'
  if [ "$rc" -eq 0 ]; then
    close_palette
    local saved
    saved=$(tr -d '\r' <"$dir/kao/A/g.txt" | wc -l)
    [ "$saved" -eq $((lines + 1)) ] && [ "$(head -n 1 "$dir/kao/A/g.txt" | tr -d '\r')" = edit ] ||
      fail "$label: the group file holds $saved lines, not the edited $((lines + 1))"
    echo "  group file: $saved lines, the typed one first"
  else
    wineserver -k 2>/dev/null || true
    timeout 30 wineserver -w 2>/dev/null || true
  fi
}

echo "edit box with $lines lines ($(wc -c <"$text") bytes) under Wine"
# The earlier program shows the text only once it holds all of it.
if [ -n "$other" ]; then run other "$other" 0; fi
run build "$build/mirufo.exe" 0
run build "$build/mirufo.exe" "$whole"
status=passed
