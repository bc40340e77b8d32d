#!/usr/bin/env bash
# Sends Wine's notepad, a bare edit box with no code of ours, the keys of the
# soak run's edit-mode saves CYCLES times and prints its anonymous memory
# every 40 cycles: what the same typing, cutting and pasting costs in Wine
# itself, to set beside the palette's growth in the soak run.
# usage: bench/notepad_keys_bench.sh [BUILD_DIR] [CYCLES]   (build/win64, 240)
set -euo pipefail
bench=$(cd "$(dirname "$0")" && pwd)
tools=$bench/../tools
build_dir=$(cd "${1:-build/win64}" && pwd)
cycles=${2:-240}
. "$bench/edit_keys.sh"
"$tools/wine-prefix" "$build_dir"
. "$tools/wine-env" "$build_dir"
. "$tools/xvfb-session"
work=$(mktemp -d)
finish() {
  wineserver -k 2>/dev/null || true
  xvfb_stop
  rm -rf "$work"
}
trap finish EXIT
xvfb_start

printf 'line one\r\nline two\r\nline three\r\n' >"$work/keys.txt"
wine notepad "$(winepath -w "$work/keys.txt" 2>/dev/null)" >/dev/null 2>&1 &
window=$(xvfb_wait_window 'keys' 60) || { echo "notepad did not appear" >&2; exit 1; }
window=$(head -n 1 <<<"$window")
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
unix_pid=$(pgrep -f 'notepad\.exe' | head -n 1)
anon_kib() { awk '/^RssAnon:/ { print $2 }' "/proc/$unix_pid/status"; }

for ((i = 1; i <= 10; i++)); do edit_keys "w$i"; done
echo "cycles  anonKiB"
printf '%6d  %7d   (after 10 to warm up)\n' 0 "$(anon_kib)"
for ((i = 1; i <= cycles; i++)); do
  edit_keys "e$i"
  if ((i % 40 == 0)); then printf '%6d  %7d\n' "$i" "$(anon_kib)"; fi
done
