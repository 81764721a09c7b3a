#!/usr/bin/env bash
# Settings under faults, the full campaign: 1,000 saving processes killed with
# SIGKILL at random points, then 1,000 rounds of two processes saving different
# operators at once. Each step's hive is checked (see SettingsFault.cpp).
#   tools/reliability/settings-faults.sh [build folder] [rounds] [seed]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build-rel}
rounds=${2:-1000}
seed=${3:-$RANDOM}
cmake --build "$build" --target settings_fault >/dev/null
echo "== kill, seed $seed"
/usr/bin/time -f '%e s wall' "$build/tests/settings_fault" kill "$rounds" "$seed"
echo "== race"
/usr/bin/time -f '%e s wall' "$build/tests/settings_fault" race "$rounds"
