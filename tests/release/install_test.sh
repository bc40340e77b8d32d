#!/usr/bin/env bash
# The release archives as a user meets them: each zip unpacked with Info-ZIP
# into a folder with a Japanese name and a space in a Wine prefix made for
# this run, the program started from there with no system.ini, the sample
# library listed, the version shown where the zip's name says, the program
# closed, system.ini written beside it.
#   install_test.sh WIN64.ZIP WIN32.ZIP PROBE.EXE
set -euo pipefail
zip64=$(realpath "${1:?usage: $0 WIN64.ZIP WIN32.ZIP PROBE.EXE}")
zip32=$(realpath "${2:?usage: $0 WIN64.ZIP WIN32.ZIP PROBE.EXE}")
probe_exe=$(realpath "${3:?usage: $0 WIN64.ZIP WIN32.ZIP PROBE.EXE}")

version=$(basename "$zip64" | sed -n 's/^mirufo-\(.*\)-win64\.zip$/\1/p')
[ -n "$version" ] || { echo "FAIL: $zip64 is not named mirufo-VERSION-win64.zip" >&2; exit 1; }
[ "$(basename "$zip32")" = "mirufo-$version-win32.zip" ] || {
  echo "FAIL: $zip32 is not mirufo-$version-win32.zip" >&2
  exit 1
}

# e2e-lib's Wine, X and helpers, with no copy of a program: the folder made
# here holds only the fresh Wine prefix the zips are unpacked into.
E2E_NAME=install
set -- - "$(mktemp -d "$(dirname "$zip64")/install-test.XXXXXX")" "$probe_exe"
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/e2e-lib.sh"
checks=0
check() {
  local what=$1
  shift
  "$@" || fail "$what"
  checks=$((checks + 1))
}

places="$WINEPREFIX/drive_c/ツール 置き場"

# unpack ZIP ARCH: the zip into its own folder; sets dir to the program's.
unpack() {
  mkdir -p "$places/$2"
  unzip -q "$1" -d "$places/$2" || fail "unzip could not unpack $1"
  dir=$places/$2/mirufo-$version
  local f
  for f in mirufo.exe UNLHA32.DLL help/index.html readme.txt kao/顔文字/笑顔.txt; do
    check "$1 has no mirufo-$version/$f" test -f "$dir/$f"
  done
  check "$1 holds system.ini" test ! -e "$dir/system.ini"
  local machine
  machine=$(LC_ALL=C x86_64-w64-mingw32-objdump -f "$dir/UNLHA32.DLL" | sed -n 's/.*file format //p')
  case $2 in
    win64) check "the win64 DLL is $machine" test "$machine" = pei-x86-64 ;;
    win32) check "the win32 DLL is $machine" test "$machine" = pei-i386 ;;
  esac
}

# The readme: Shift-JIS that iconv reads whole, every line ending in CR LF.
readme_is_sjis_crlf() {
  local text
  text=$(iconv -f CP932 -t UTF-8 "$dir/readme.txt") || return 1
  grep -q 'ミルフォ' <<<"$text" && grep -q 'MIT License' <<<"$text" &&
    [ "$(grep -c $'\r$' "$dir/readme.txt")" -eq "$(wc -l <"$dir/readme.txt")" ]
}

# versions FILE: the version block names the product and this version.
versions_match() {
  local block
  block=$(probe version "$1")
  grep -qx "ProductName=ミルフォ" <<<"$block" && grep -qx "ProductVersion=$version" <<<"$block" &&
    grep -q "^FileVersion=$version\." <<<"$block" && grep -q '^LegalCopyright=Copyright' <<<"$block"
}

# The sample library's classes, in the list as on disk.
library_listed() {
  local listed expected
  listed=$(probe items ミルフォ 0 | LC_ALL=C sort)
  expected=$(cd "$dir/kao" && ls -1 | LC_ALL=C sort)
  [ -n "$listed" ] && [ "$listed" = "$expected" ] && [ -n "$(probe items ミルフォ 2)" ]
}

about_shows_version() {
  open_from_file_menu v バージョン情報
  probe children バージョン情報 | grep -qx "Virsion $version" || return 1
  xdotool key alt+F4
  wait_for 10 "the about box closing" eval '! probe windows | grep -q バージョン情報'
}

# close: Escape ends the program with 0, and it leaves system.ini behind.
close() {
  close_palette
  checks=$((checks + 1))
  check "no system.ini with [kao] after closing $dir" grep -q '^\[kao\]' "$dir/system.ini"
}

# --- win64 ------------------------------------------------------------------
unpack "$zip64" win64
check "readme.txt of the win64 zip is not Shift-JIS with CR LF" readme_is_sjis_crlf
check "the version block of mirufo.exe does not say $version" versions_match "$dir/mirufo.exe"
check "the version block of UNLHA32.DLL does not say $version" versions_match "$dir/UNLHA32.DLL"
start_palette "$dir"
check "the sample library is not listed: $(probe items ミルフォ 0 | tr '\n' ' ')" library_listed
check "the about box does not show Virsion $version" about_shows_version
close

# --- win32 ------------------------------------------------------------------
unpack "$zip32" win32
check "the version block of the win32 mirufo.exe does not say $version" versions_match "$dir/mirufo.exe"
ran=both
if ! why=$("$tools/runs-32bit" 2>&1); then
  ran=win64
  echo "SKIPPED: the win32 program was not started: ${why#runs-32bit: }"
elif ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; then
  ran=win64
  echo "SKIPPED: the win32 program was not started: 32-bit Wine (wine32:i386) is not installed"
else
  start_palette "$dir"
  check "the win32 program does not list the sample library" library_listed
  close
fi

status=passed
echo "release $version: both zips unpacked, $ran run, $checks checks passed"
