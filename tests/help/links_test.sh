#!/bin/bash
# The help page as installed beside the program: every anchor it links to
# exists, every file it names is there, and it stays a plain UTF-8 page
# with nothing that runs or loads from elsewhere.
# Usage: links_test.sh path/to/index.html
set -u
page=${1:?usage: links_test.sh index.html}
dir=$(dirname "$page")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -f "$page" ] || { echo "FAIL: $page is missing"; exit 1; }

iconv -f UTF-8 -t UTF-8 "$page" > /dev/null 2>&1 || fail "not valid UTF-8"
grep -qi '<meta charset="utf-8">' "$page" || fail 'no <meta charset="utf-8">'
grep -qi '<script' "$page" && fail "holds a <script"
grep -qiE '(src|href)="(https?:)?//' "$page" && fail "loads or links an external resource"
grep -qiE 'url\(' "$page" && fail "style loads a resource"

# Attribute values, one a line.
values() { grep -oE "$1=\"[^\"]*\"" "$page" | sed -E "s/^$1=\"(.*)\"\$/\1/"; }

ids=$(values id | sort)
dupes=$(printf '%s\n' "$ids" | uniq -d)
[ -z "$dupes" ] || fail "ids given twice: $dupes"

anchors=0
while IFS= read -r target; do
  [ -n "$target" ] || continue
  anchors=$((anchors + 1))
  printf '%s\n' "$ids" | grep -qxF -- "$target" || fail "href=\"#$target\" has no id=\"$target\""
done < <(values href | sed -n 's/^#//p')
[ "$anchors" -gt 0 ] || fail "no internal links: the table of contents is gone"

while IFS= read -r ref; do
  case "$ref" in
    ''|'#'*|mailto:*) continue ;;
  esac
  file=${ref%%#*}
  [ -f "$dir/$file" ] || fail "\"$ref\" names no file beside the page"
done < <(values src; values href)

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s) in $page"
  exit 1
fi
echo "ok: $anchors internal links"
