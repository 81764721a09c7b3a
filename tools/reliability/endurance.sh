#!/usr/bin/env bash
# Whole games played by `kestavo --script` in one process: peak memory for a
# growing number of games (flat after the first game means nothing piles up),
# and optionally a leak check under valgrind and heap profiles under heaptrack.
#   tools/reliability/endurance.sh [-b build] [-o dir] [-X] [-v] [-H games] [-D a,b] [-O games] [games...]
# Defaults: build-rel, games 1 10 100: peak RSS of each run, and how much the
# resident size grows from two seconds in to the run's largest sample.
# -v also runs 3 games under valgrind; -H N runs N games under heaptrack and
# prints the peak and what is still allocated at exit; -D a,b profiles a and
# b games and prints what the longer run holds more at its peak; -o keeps the
# samples, logs and profiles in dir. Needs valgrind / heaptrack for -v / -H, -D.
# -O N plays N games with the QObject counting probe preloaded (built with the
# tests: <build>/tests/libkestavo_object_count_probe.so) and prints the classes
# whose objects pile up during the run. -X plays on an X server (Xvfb, Qt's
# xcb platform) instead of the offscreen platform.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build-rel
valgrind=0
heap=0
diff=
keep=
objects=0
xserver=0
while getopts "b:o:XvH:D:O:" opt; do
  case $opt in
    b) build=$OPTARG ;;
    o) keep=$OPTARG ;;
    v) valgrind=1 ;;
    H) heap=$OPTARG ;;
    D) diff=$OPTARG ;;
    O) objects=$OPTARG ;;
    X) xserver=1 ;;
    *) sed -n '2,16p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
build=$(cd "$build" && pwd)
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(1 10 100)

need() {
  command -v "$1" >/dev/null && return 0
  echo "$1 is not installed (Debian: apt-get install -y $2)" >&2
  exit 2
}
[ $valgrind -eq 0 ] || need valgrind valgrind
[ "$heap" = 0 ] && [ -z "$diff" ] || { need heaptrack heaptrack; need heaptrack_print heaptrack; }
[ $xserver -eq 0 ] || need Xvfb xvfb

work=$(mktemp -d)
xpid=
trap '[ -z "$xpid" ] || kill "$xpid" 2>/dev/null; rm -rf "$work"' EXIT
if [ -n "$keep" ]; then
  mkdir -p "$keep" && keep=$(cd "$keep" && pwd) || exit 2
fi
mkdir -m 700 "$work/run"
export QT_QPA_PLATFORM=offscreen KESTAVO_HIVE_DIR=$work/hive XDG_RUNTIME_DIR=$work/run
if [ $xserver -eq 1 ]; then
  # A private X server on the first free display; it writes the number it took.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xpid=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 2; }
  export DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb
fi
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

# The whole script is read before the first game, so a longer script makes a
# bigger process from the start: the peak of an N-game run also holds the
# script. The resident size sampled after two seconds (a few games in) against
# the largest sample of the run shows what the games themselves add. Samples
# come from smaps_rollup, which counts pages exactly; the status file's counts
# may lag by up to 64 pages per thread.
sample() {
  local pid=$1 out=$2 t=0 rss
  while kill -0 "$pid" 2>/dev/null; do
    rss=$(awk '/^Rss:/ { print $2 }' "/proc/$pid/smaps_rollup" 2>/dev/null)
    [ -n "$rss" ] && echo "$t $rss" >>"$out"
    sleep 0.5
    t=$((t + 1))
  done
}

keepfile() { [ -z "$keep" ] || cp "$1" "$keep/$2"; }

printf '%6s %12s %12s %12s %10s %9s %s\n' games peak_rss_kb rss_at_2s_kb rss_max_kb growth_kb seconds result
for n in "${counts[@]}"; do
  script "$n" >"$work/games-$n.txt"
  /usr/bin/time -f '%M %e' -o "$work/time-$n" "$build/bin/kestavo" --script "$work/games-$n.txt" \
    >"$work/out-$n" 2>"$work/err-$n" &
  timer=$!
  kid=
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    kid=$(pgrep -P "$timer" | head -n 1)
    [ -n "$kid" ] && break
    sleep 0.05
  done
  : >"$work/rss-$n"
  [ -z "$kid" ] || sample "$kid" "$work/rss-$n"
  wait "$timer"
  rc=$?
  read -r rss secs <"$work/time-$n"
  early=$(awk '$1 >= 4 { print $2; exit }' "$work/rss-$n")
  most=$(awk '$1 >= 4 && $2 > m { m = $2 } END { if (m) print m }' "$work/rss-$n")
  growth=-
  [ -n "$early" ] && growth=$((most - early))
  result=ok
  if [ $rc -ne 0 ] || ! grep -q '^Score:' "$work/out-$n"; then
    result="FAILED (rc $rc): $(grep -v dvaltrix "$work/err-$n" | tail -n 2 | tr '\n' ' ')"
  fi
  printf '%6s %12s %12s %12s %10s %9s %s\n' "$n" "$rss" "${early:--}" "${most:--}" "$growth" "$secs" "$result"
  keepfile "$work/rss-$n" "rss-$n.txt"
done

if [ $valgrind -eq 1 ]; then
  script 3 >"$work/games-v.txt"
  valgrind --leak-check=full --errors-for-leak-kinds=definite --error-exitcode=9 --num-callers=40 \
    "$build/bin/kestavo" --script "$work/games-v.txt" >"$work/out-v" 2>"$work/valgrind"
  rc=$?
  echo "valgrind, 3 games: exit $rc$(grep -q '^Score:' "$work/out-v" && echo ', summary printed')"
  grep -E 'definitely lost|indirectly lost|possibly lost|ERROR SUMMARY' "$work/valgrind"
  keepfile "$work/valgrind" valgrind-3.txt
fi

profile() {
  local games=$1
  script "$games" >"$work/games-h$games.txt"
  (cd "$work" && heaptrack -o "$work/heap-$games" "$build/bin/kestavo" --script "$work/games-h$games.txt" \
    >/dev/null 2>&1)
  keepfile "$(ls "$work"/heap-"$games".*zst)" "heaptrack-$games.zst"
}

if [ "$heap" -gt 0 ]; then
  profile "$heap"
  echo "heaptrack, $heap games:"
  heaptrack_print -f "$work"/heap-"$heap".*zst 2>/dev/null \
    | grep -E '^(total runtime|calls to allocation|peak heap memory|peak RSS|total memory leaked)'
fi

if [ -n "$diff" ]; then
  a=${diff%,*}
  b=${diff#*,}
  profile "$a"
  profile "$b"
  for g in "$a" "$b"; do
    echo "heaptrack, $g games: $(heaptrack_print -f "$work"/heap-"$g".*zst 2>/dev/null \
      | grep -E '^peak heap memory' | tr -s ' ')"
  done
  echo "held more at the peak of $b games than of $a games (largest first):"
  heaptrack_print -f "$work"/heap-"$b".*zst -d "$work"/heap-"$a".*zst -p 1 -a 0 -T 0 -n 8 -s 3 2>/dev/null \
    | grep -A2 -E '^[-0-9.]+[KMGB]* peak memory consumed' | grep -v '^--' | paste - - - | tr -s ' \t' ' '
fi

if [ "$objects" -gt 0 ]; then
  probe=$build/tests/libkestavo_object_count_probe.so
  if [ ! -f "$probe" ]; then
    echo "no $probe: build the target kestavo_object_count_probe (tests on)" >&2
    exit 2
  fi
  script "$objects" >"$work/games-o.txt"
  KESTAVO_OBJECT_COUNTS=$work/objects.txt LD_PRELOAD=$probe \
    "$build/bin/kestavo" --script "$work/games-o.txt" >"$work/out-o" 2>"$work/err-o"
  echo "QObjects alive, $objects games: exit $?"
  keepfile "$work/objects.txt" "objects-$objects.txt"
  # Samples from two seconds in. A class piles up when even the fewest of its
  # objects alive at a sample of the last quarter are more than the most at a
  # sample of the first quarter; objects that come and go within a game (a
  # sound being played) do not.
  awk '
    /^sample/ { if ($2 >= 2000) { n++; live[n] = $4 } next }
    n > 0 { count[n, $2] = $1; names[$2] = 1 }
    END {
      if (n < 8) { print "too few samples (" n "): play more games"; exit }
      q = int(n / 4)
      earlyMin = lateMin = 1e9
      for (i = 1; i <= q; i++) {
        if (live[i] > earlyMax) earlyMax = live[i]
        if (live[i] < earlyMin) earlyMin = live[i]
      }
      for (i = n - q + 1; i <= n; i++) {
        if (live[i] > lateMax) lateMax = live[i]
        if (live[i] < lateMin) lateMin = live[i]
      }
      printf "%d samples; alive: %d-%d in the first quarter, %d-%d in the last\n", n, earlyMin, earlyMax, lateMin, lateMax
      piling = 0
      for (name in names) {
        early = 0; late = 1e9
        for (i = 1; i <= q; i++) if (count[i, name] > early) early = count[i, name]
        for (i = n - q + 1; i <= n; i++) if (count[i, name] + 0 < late) late = count[i, name] + 0
        if (late > early) { printf "  piling up: %s, at most %d early, at least %d late\n", name, early, late; piling++ }
      }
      if (!piling) print "  no class piles up"
    }' "$work/objects.txt"
fi
