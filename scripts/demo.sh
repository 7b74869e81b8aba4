#!/bin/sh
# Builds the component and runs its job on the demo package, which holds a
# sample catalogue and the simulated flash engine kit: a discovery run that
# prints its report, an update run that flashes the simulated adapters, a
# second update run that finds nothing left to do, then the log lines the
# runs added.
# The runs append to the real component log, /var/lbt/Component.log, as an
# update manager's runs would.
set -eu
cd "$(dirname "$0")/.."

scripts/deps.sh build
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DCOMPONENT_TESTS=OFF
cmake --build build/release -j "$(nproc)"

package=build/demo-package
rm -rf "$package"
cp -r demo/package "$package"
cp build/release/vendor/engine-sim/zarnflashStandalone-*.zip "$package"
cd "$package"
component=../release/driver/dovane-component
log=/var/lbt/Component.log
logged=$(stat -c %s "$log" 2>/dev/null || echo 0)

run() {
  echo "== $component $*"
  status=0
  "$component" "$@" || status=$?
  echo "== exit code $status"
  echo
}

run /d report.xml
echo "== report.xml:"
cat report.xml
echo
run
run
echo "== What these runs added to $log:"
tail -c +"$((logged + 1))" "$log"
