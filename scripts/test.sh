#!/bin/sh
# Builds the project with its tests and runs them all.
# usage: scripts/test.sh [--sanitize]
#   --sanitize  builds and runs under AddressSanitizer and UndefinedBehaviorSanitizer
# COMPONENT_WERROR=ON treats compiler warnings as errors (CI sets it).
set -eu
cd "$(dirname "$0")/.."

sanitize=OFF
dir=build/tests
if [ "${1:-}" = "--sanitize" ]; then
  sanitize=ON
  dir=build/sanitize
fi

scripts/deps.sh test
cmake -S . -B "$dir" -DCOMPONENT_TESTS=ON -DCOMPONENT_SANITIZE="$sanitize" \
  -DCOMPONENT_WERROR="${COMPONENT_WERROR:-OFF}"
cmake --build "$dir" -j "$(nproc)"
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
