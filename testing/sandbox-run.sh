#!/bin/sh
# Runs a program in a private mount namespace in which /etc and /var (and any
# other directories named in SANDBOX_OVERLAYS) are overlays over the host's
# directories with throwaway upper layers, so that the program can use its
# fixed paths without ever touching the machine.
#
# usage: sandbox-run.sh STATE_DIR WORKDIR PROGRAM [ARGS...]
#
# STATE_DIR keeps the upper layers between runs (upper/etc, upper/var, ...).
# STATE_DIR/prepare.sh, when present, runs inside the namespace before the
# program (to remove or plant files, or mount a tree over /sys) and is then
# removed. STATE_DIR/started is made just before the program starts, so a
# caller can tell a sandbox that could not be set up from a program's exit.
# The rest of the host's root filesystem is read-only inside the sandbox.
set -eu

if [ "${SANDBOX_INSIDE:-}" != 1 ]; then
  if [ "$(id -u)" = 0 ]; then
    exec env SANDBOX_INSIDE=1 unshare --mount --propagation private sh "$0" "$@"
  fi
  exec env SANDBOX_INSIDE=1 unshare --map-root-user --mount --propagation private sh "$0" "$@"
fi
unset SANDBOX_INSIDE

state=$1
workdir=$2
shift 2

for dir in ${SANDBOX_OVERLAYS:-etc var}; do
  name=$(printf '%s' "$dir" | tr / _)
  mkdir -p "$state/upper/$name" "$state/work/$name"
  mount -t overlay overlay \
    -o "lowerdir=/$dir,upperdir=$state/upper/$name,workdir=$state/work/$name" "/$dir"
done

# Everything else of the host is read-only in here: only the overlays, the
# package directory and the sandbox's own state can be written.
mount --bind "$workdir" "$workdir"
mount --bind "$state" "$state"
mount -o remount,bind,ro /

if [ -f "$state/prepare.sh" ]; then
  sh -e "$state/prepare.sh"
  rm -f "$state/prepare.sh"
fi

cd "$workdir"
: > "$state/started"
exec "$@"
