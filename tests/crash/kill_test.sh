#!/usr/bin/env bash
# Kills the program's writers under Wine at random moments, 200 times in
# all, a quarter each while they save a 5 MB group, write system.ini key by
# key, import a dictionary over a class and extract an archive over one.
# After every kill the next run of that kind checks its files, and a last
# check looks at all of them: each is its old or its new content, never
# torn, and the classes and groups listed are the library's own, never a
# temporary file. Prints the counts.
#   kill_test.sh CRASH_WRITER.EXE BUILD_DIR [KILLS]
set -euo pipefail
writer=$(realpath "${1:?usage: $0 CRASH_WRITER.EXE BUILD_DIR [KILLS]}")
build=$(realpath "${2:?usage: $0 CRASH_WRITER.EXE BUILD_DIR [KILLS]}")
kills=${3:-200}
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools" && pwd)

"$tools/wine-prefix" "$build"
. "$tools/wine-env" "$build"
work=$(mktemp -d "$build/crash.XXXXXX")
dir=$(winepath -w "$work/files" 2>/dev/null)
mkdir -p "$work/files"
status=failed
finish() {
  wineserver -k 2>/dev/null || true
  # Gone before the next test's Wine starts on the same prefix.
  timeout 30 wineserver -w 2>/dev/null || true
  if [ "$status" = passed ]; then rm -rf "$work"; else echo "the files are kept in $work" >&2; fi
}
trap finish EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# A check's "TORN:" names a file in Shift-JIS.
report() { iconv -f CP932 -t UTF-8 "$1" 2>/dev/null || cat "$1"; }

# One Wine server for all the runs: a start then costs a fraction of a second.
wineserver -p 2>/dev/null || true  # already running: as good
wine "$writer" setup "$dir" >"$work/setup.log" 2>&1 </dev/null || fail "setup: $(report "$work/setup.log")"

# kill_loop KIND KILLS SEED: kills the writer of one kind KILLS times and
# writes the count of files its checks looked at to $work/KIND.checked.
kill_loop() {
  local kind=$1 n=$2 log=$work/$1.log checked=0 i t rc pid
  RANDOM=$3
  for ((i = 0; i < n; i++)); do
    : >"$log" # empty before the run starts, which may open it later than grep looks
    wine "$writer" run "$kind" "$dir" >"$log" 2>&1 </dev/null &
    pid=$!
    # It checks what the last kill left, then says so before it writes.
    for ((t = 0; t < 600; t++)); do
      grep -q '^writing' "$log" 2>/dev/null && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.05
    done
    if ! grep -q '^writing' "$log"; then
      if kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid" 2>/dev/null || true
        fail "$kind kill $i: no answer within 30 s: $(report "$log")"
      fi
      rc=0
      wait "$pid" || rc=$?
      fail "$kind kill $i: the check ended with $rc: $(report "$log")"
    fi
    checked=$((checked + $(sed -n 's/^checked \([0-9]*\) files.*/\1/p' "$log")))
    # Anywhere in the next 0.4 s, longer than one round of any kind: inside
    # a write, a rename, a listing.
    sleep "0.$(printf '%03d' $((RANDOM % 400)))"
    kill -9 "$pid" 2>/dev/null || fail "$kind kill $i: the writer had ended: $(report "$log")"
    { wait "$pid" || true; } 2>/dev/null # without the shell's note on a killed job
  done
  echo "$checked" >"$work/$kind.checked"
}

# The four kinds at once, each on its own files: a check then also sees the
# other kinds' writes in flight, whose temporary files must not be listed
# either, and the kills take a quarter of the time.
seed=${KILL_TEST_SEED:-17}
kinds=(group settings dictionary archive)
loops=()
for ((k = 0; k < 4; k++)); do
  kill_loop "${kinds[k]}" $(((kills + 3 - k) / 4)) $((seed + k)) &
  loops+=($!)
done
failures=0
for p in "${loops[@]}"; do wait "$p" || failures=$((failures + 1)); done
[ "$failures" -eq 0 ] || exit 1
checked=0
for kind in "${kinds[@]}"; do checked=$((checked + $(cat "$work/$kind.checked"))); done
wine "$writer" check "$dir" >"$work/check.log" 2>&1 </dev/null || fail "after the last kill: $(report "$work/check.log")"
checked=$((checked + $(sed -n 's/^checked \([0-9]*\) files.*/\1/p' "$work/check.log")))

status=passed
echo "$kills kills, $checked files checked, none torn"
