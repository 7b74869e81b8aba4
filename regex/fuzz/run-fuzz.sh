#!/bin/sh
# Builds the regular-expression fuzz target with clang and runs it for the
# given number of seconds over the corpus kept beside this script.
# Usage: regex/fuzz/run-fuzz.sh SECONDS [BUILD_DIR]
# New inputs go to a scratch corpus; the repository's corpus is only read.
set -eu
seconds=${1:?usage: run-fuzz.sh SECONDS [BUILD_DIR]}
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
build_dir=${2:-${TMPDIR:-/tmp}/regex-fuzz-build}
jobs=${FUZZ_BUILD_JOBS:-2}

# The whole library is built with the sanitizers and coverage so that the
# fuzzer sees inside it; the tests and other subsystems stay out.
generator=
if command -v ninja > /dev/null; then generator="-G Ninja"; fi
# shellcheck disable=SC2086  # the generator is one word or none
CC=clang CXX=clang++ cmake -S "$source_dir" -B "$build_dir" $generator \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOMPONENT_TESTS=OFF -DCOMPONENT_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
  > "$build_dir.configure.log" 2>&1 || { cat "$build_dir.configure.log"; exit 1; }
cmake --build "$build_dir" --target regex_fuzzer -j "$jobs"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Syntax-error reports of the engine would flood the log: the target's
# standard error is closed (-close_fd_mask=2); libFuzzer and the sanitizers
# still report on their own copy of it. Findings are written to the build
# directory.
"$build_dir/regex/fuzz/regex_fuzzer" -artifact_prefix="$build_dir/" \
  -max_total_time="$seconds" -max_len=512 -timeout=25 -rss_limit_mb=4096 \
  -close_fd_mask=2 -print_final_stats=1 "$scratch" "$here/corpus"
