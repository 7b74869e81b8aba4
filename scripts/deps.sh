#!/bin/sh
# Installs the Debian packages that the project needs and this machine lacks.
# usage: scripts/deps.sh [build] [test] [bench] [fuzz]   (default: build)
set -eu

packages=""
for group in "${@:-build}"; do
  case "$group" in
    build) packages="$packages g++ make cmake pkg-config libxml2-dev zip unzip" ;;
    test) packages="$packages g++ make cmake pkg-config libxml2-dev zip unzip libgtest-dev mount util-linux" ;;
    bench) packages="$packages g++ make cmake pkg-config libxml2-dev zip unzip libbenchmark-dev libpcre2-dev hyperfine" ;;
    fuzz) packages="$packages clang libclang-rt-14-dev cmake ninja-build libxml2-dev pkg-config" ;;
    *) echo "deps.sh: unknown group '$group' (build, test, bench, fuzz)" >&2; exit 2 ;;
  esac
done

missing=""
for package in $packages; do
  case " $missing " in *" $package "*) continue ;; esac
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" != 0 ]; then
  command -v sudo >/dev/null 2>&1 || { echo "deps.sh: run as root to install:$missing" >&2; exit 1; }
  sudo apt-get update && sudo DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
  exit
fi
apt-get update
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
