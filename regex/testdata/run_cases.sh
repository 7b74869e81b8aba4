#!/bin/sh
# Runs one case file through regex-probe and compares the output with the
# expected file beside it (same name, .expected instead of .cases).
# Usage: run_cases.sh PROBE CASES
set -eu
probe=$1
cases=$2
expected=${cases%.cases}.expected
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
"$probe" < "$cases" > "$actual" 2>/dev/null
if diff -u "$expected" "$actual"; then
  echo "$(grep -c . "$cases") cases passed: $(basename "$cases")"
  exit 0
fi
echo "case file $(basename "$cases") differs from its expected output" >&2
exit 1
