#!/usr/bin/env bash
# Prints the CPU time the real palette and the Wine server use while the
# palette sits idle for 30 seconds under Wine, with every screen edge
# enabled and with none (target: below 1% of one core).
# usage: bench/idle_cpu_bench.sh [BUILD_DIR]   (default build/win64)
set -euo pipefail
tools=$(cd "$(dirname "$0")/../tools" && pwd)
build=$(cd "${1:-build/win64}" && pwd)
seconds=${IDLE_SECONDS:-30}
[ -f "$build/mirufo.exe" ] || { echo "no $build/mirufo.exe: build the win64 preset first" >&2; exit 1; }

"$tools/wine-prefix" "$build"
. "$tools/wine-env" "$build"
. "$tools/xvfb-session"
work=$(mktemp -d "$build/idle.XXXXXX")
finish() {
  wineserver -k 2>/dev/null || true
  xvfb_stop
  rm -rf "$work"
}
trap finish EXIT
cp "$build/mirufo.exe" "$work/"
cp -r "$build/kao" "$work/kao"
xvfb_start
tick=$(getconf CLK_TCK)

# cpu_ticks PID: user + system time of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

measure() {
  local label=$1 edges=$2 pid server before server_before after server_after
  printf '[kao]\r\n%s' "$edges" >"$work/system.ini"
  (cd "$work" && exec wine "$work/mirufo.exe" >/dev/null 2>&1 </dev/null) &
  xvfb_wait_window '^ミルフォ$' 30 >/dev/null
  sleep 3 # past the start
  pid=$(pgrep -n -f 'mirufo\.exe')
  server=$(pgrep -n -x wineserver || pgrep -n wineserver64)
  xdotool mousemove 500 300
  before=$(cpu_ticks "$pid")
  server_before=$(cpu_ticks "$server")
  sleep "$seconds"
  after=$(cpu_ticks "$pid")
  server_after=$(cpu_ticks "$server")
  awk -v p=$((after - before)) -v s=$((server_after - server_before)) -v t="$tick" -v n="$seconds" -v l="$label" \
    'BEGIN { printf "%-22s palette %5.2f%%   wineserver %5.2f%%   of one core over %d s\n", l, 100 * p / t / n, 100 * s / t / n, n }'
  wineserver -k 2>/dev/null || true
  timeout 30 wineserver -w 2>/dev/null || true
}

echo "idle palette under Wine (target: below 1% of one core)"
measure "all four edges on" 'vtop=1\r\nvleft=1\r\nvheight=1\r\nvwidth=1\r\n'
measure "no edge on" ''
