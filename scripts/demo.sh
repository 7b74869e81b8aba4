#!/bin/sh
# Builds the component and runs its job on the demo package: a discovery run
# that prints its report. The runs append to the real component log,
# /var/lbt/Component.log, as an update manager's runs would.
set -eu
cd "$(dirname "$0")/.."

scripts/deps.sh build
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DCOMPONENT_TESTS=OFF
cmake --build build/release -j "$(nproc)"

package=build/demo-package
rm -rf "$package"
cp -r demo/package "$package"
cd "$package"
component=../release/driver/dovane-component

echo "== Discovery run: $component /d report.xml"
status=0
"$component" /d report.xml || status=$?
echo "== Exit code: $status"
echo "== report.xml:"
cat report.xml
