#!/usr/bin/env bash
# Board contact load through the real program: `kestavo --script` replays pen
# strokes of 300 contacts each through the board software's replay driver,
# alternately over the game view (scribbles) and over the answer field
# (handwriting), then finishes the game. Prints the wall time, the contacts a
# second that achieves and the peak RSS.
#   tools/reliability/contacts.sh [build] [strokes]     (default build-rel, 2000)
# It measures the scripted path's throughput and memory only, one stroke at a
# time. Contacts at a set rate (ten thousand a second), their delivery order and
# the delay from each contact to its paint: bench/ContactLoadBench.cpp.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build-rel}
strokes=${2:-2000}
points=300
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen KESTAVO_HIVE_DIR=$work/hive XDG_RUNTIME_DIR=$work
"$build/bin/kestavo-register" --user --build-tree "$build" >/dev/null || exit 2

# A zigzag of n points starting at x0,y0 inside a w x h box, anchored or not.
zigzag() {
  local anchor=$1 x0=$2 y0=$3 w=$4 h=$5 n=$6 i x y line=""
  for ((i = 0; i < n; i++)); do
    x=$(( x0 + (i * 7) % w ))
    y=$(( y0 + (i * 13) % h ))
    line+=" ${anchor}${x},${y}"
  done
  echo "$line"
}
{
  echo "seed 5"
  echo "questions 10"
  echo "operator addition 1"
  view=$(zigzag "" 40 40 300 200 $points)
  field=$(zigzag "result:" 5 5 60 60 $points)
  for ((s = 0; s < strokes; s++)); do
    if ((s % 2 == 0)); then echo "pen$view"; else echo "pen$field"; fi
  done
  echo "stop"
} >"$work/contacts.txt"

/usr/bin/time -f '%M %e' -o "$work/time" "$build/bin/kestavo" --script "$work/contacts.txt" >"$work/out" 2>"$work/err"
rc=$?
read -r rss secs < <(tail -n 1 "$work/time")
contacts=$((strokes * points))
echo "strokes $strokes, contacts $contacts, exit $rc, wall ${secs} s, peak RSS ${rss} KB"
awk -v c=$contacts -v s="$secs" 'BEGIN { if (s > 0) printf "contacts a second: %.0f\n", c / s }'
grep -q '^Score:' "$work/out" && echo "summary printed" || { echo "no summary:"; grep -v dvaltrix "$work/err" | tail -n 3; }
