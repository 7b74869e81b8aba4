#!/bin/sh
# Runs one case file through regex-probe and compares the output with the
# expected file beside it (same name, .expected instead of .cases).
# With "as-wide", every narrow case runs through the wide engine instead and
# must give the same output: the cross-check of the two variants.
# Usage: run_cases.sh PROBE CASES [as-wide]
set -eu
probe=$1
cases=$2
mode=${3:-}
expected=${cases%.cases}.expected
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
if [ "$mode" = as-wide ]; then
  sed 's/^n	/w	/' "$cases" | "$probe" > "$actual" 2>/dev/null
else
  "$probe" < "$cases" > "$actual" 2>/dev/null
fi
if diff -u "$expected" "$actual"; then
  echo "$(grep -c . "$cases") cases passed: $(basename "$cases") $mode"
  exit 0
fi
echo "case file $(basename "$cases") $mode differs from its expected output" >&2
exit 1
