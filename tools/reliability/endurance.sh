#!/usr/bin/env bash
# Whole games played by `kestavo --script` in one process: peak memory for a
# growing number of games (flat after the first game means nothing piles up),
# and optionally a leak check under valgrind.
#   tools/reliability/endurance.sh [-b build] [-v] [-H games] [games...]
# Defaults: build-rel, games 1 10 100. -v also runs 3 games under valgrind;
# -H N runs N games under heaptrack and prints what is still allocated at exit.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build-rel
valgrind=0
heap=0
while getopts "b:vH:" opt; do
  case $opt in
    b) build=$OPTARG ;;
    v) valgrind=1 ;;
    H) heap=$OPTARG ;;
    *) sed -n '2,6p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
build=$(cd "$build" && pwd)
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(1 10 100)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen KESTAVO_HIVE_DIR=$work/hive XDG_RUNTIME_DIR=$work
"$build/bin/kestavo-register" --user --build-tree "$build" >/dev/null || exit 2

# One game: ten questions, an answer typed into each, board strokes drawn and
# erased over every third, then Stop; later games start through New Game.
script() {
  local games=$1 g q
  echo "seed 7"
  echo "questions 10"
  echo "operator addition 1"
  for ((g = 0; g < games; g++)); do
    if ((g > 0)); then echo "newgame keep"; echo "go"; fi
    for ((q = 0; q < 10; q++)); do
      echo "type $(( (q + g) % 10 ))"
      echo "check"
      if ((q % 3 == 0)); then
        echo "pen 100,100 120,140 130,180 140,200 150,230"
        echo "eraser 100,100 150,230"
      fi
      ((q < 9)) && echo "next"
    done
    echo "stop"
  done
}

printf '%6s %12s %9s %s\n' games peak_rss_kb seconds result
for n in "${counts[@]}"; do
  script "$n" >"$work/games-$n.txt"
  /usr/bin/time -f '%M %e' -o "$work/time-$n" "$build/bin/kestavo" --script "$work/games-$n.txt" \
    >"$work/out-$n" 2>"$work/err-$n"
  rc=$?
  read -r rss secs <"$work/time-$n"
  result=ok
  if [ $rc -ne 0 ] || ! grep -q '^Score:' "$work/out-$n"; then
    result="FAILED (rc $rc): $(grep -v dvaltrix "$work/err-$n" | tail -n 2 | tr '\n' ' ')"
  fi
  printf '%6s %12s %9s %s\n' "$n" "$rss" "$secs" "$result"
done

if [ $valgrind -eq 1 ]; then
  script 3 >"$work/games-v.txt"
  valgrind --leak-check=full --errors-for-leak-kinds=definite --error-exitcode=9 \
    "$build/bin/kestavo" --script "$work/games-v.txt" >/dev/null 2>"$work/valgrind"
  echo "valgrind, 3 games: exit $?"
  grep -E 'definitely lost|indirectly lost|ERROR SUMMARY' "$work/valgrind"
fi

if [ "$heap" -gt 0 ]; then
  script "$heap" >"$work/games-h.txt"
  (cd "$work" && heaptrack -o "$work/heap" "$build/bin/kestavo" --script "$work/games-h.txt" >/dev/null 2>&1)
  echo "heaptrack, $heap games:"
  heaptrack_print -f "$work"/heap.*zst 2>/dev/null | grep -E '^(total runtime|calls to allocation|peak heap memory|peak RSS|total memory leaked)'
fi
