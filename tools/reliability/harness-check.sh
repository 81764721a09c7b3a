#!/usr/bin/env bash
# Shows that the settings fault harness can fail: runs it against the store
# with its guarantees broken by a preloaded shim and expects a failure each time.
#   torn_rename: the new hive is written over the old one in place (no atomic rename)
#   no_lock:     two savers do not exclude each other
#   tools/reliability/harness-check.sh [build]      (default build-rel)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${1:-$here/../../build-rel}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for shim in "torn_rename:kill 200 3" "no_lock:race 200"; do
  name=${shim%%:*}
  run=${shim#*:}
  cc -shared -fPIC -O1 -o "$work/$name.so" "$here/breakers/$name.c" -ldl || exit 2
  if TMPDIR=$work LD_PRELOAD=$work/$name.so "$build/tests/settings_fault" $run >"$work/out" 2>&1; then
    echo "$name: harness passed against a broken store (harness fault)"
    status=1
  elif grep -q '^usage' "$work/out"; then
    echo "$name: harness not run"; status=2
  else
    echo "$name: detected: $(grep -v '^kestavo:' "$work/out" | tail -n 1)"
  fi
done
exit $status
