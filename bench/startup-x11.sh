#!/usr/bin/env bash
# Start-up of the real program on an X server: the time from exec to the Setup
# dialog visible (as `xdotool search --onlyvisible --name Setup` sees it) and
# the program's resident memory at that moment and once it has settled.
#   bench/startup-x11.sh [BUILD_DIR] [RUNS]
# BUILD_DIR defaults to build/release (bin/kestavo, bin/kestavo-register);
# RUNS to 5. Without DISPLAY it starts itself under a 1920x1080 Xvfb. Settings
# live in a fresh folder with the components registered, as after an install.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
runs=${2:-5}

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$build" "$runs"
fi
for tool in xdotool; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install $tool)" >&2; exit 2; }
done

hive=$(mktemp -d)
trap 'rm -rf "$hive"' EXIT
export KESTAVO_HIVE_DIR="$hive" KESTAVO_MACHINE_HIVE_DIR="$hive" XDG_CONFIG_HOME="$hive/config"
"$build/bin/kestavo-register" --user --build-tree "$build" >/dev/null

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }
# User plus system CPU time of the process in ms: on a busy machine the wall
# time also counts other programs' turns, this does not.
cpu_ms() {
  awk -v hz="$(getconf CLK_TCK)" '{ sub(/^.*\) /, ""); print int(($12 + $13) * 1000 / hz) }' "/proc/$1/stat" 2>/dev/null || echo 0
}
now_ns() { date +%s%N; }

# One run: start, poll every 5 ms until Setup is visible, read the memory, end it.
run_once() {
  local start pid seen rss settled cpu
  start=$(now_ns)
  "$build/bin/kestavo" >/dev/null 2>&1 &
  pid=$!
  while ! xdotool search --onlyvisible --name '^Setup$' >/dev/null 2>&1; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "kestavo ended before Setup showed" >&2
      return 1
    fi
    sleep 0.005
  done
  seen=$(now_ns)
  rss=$(rss_kb "$pid")
  cpu=$(cpu_ms "$pid")
  sleep 1
  settled=$(rss_kb "$pid")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$(((seen - start) / 1000000)) $rss $settled $cpu"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)], v[1], v[NR] }'; }

# The first start fills the file cache; it is not counted.
run_once >/dev/null
results=()
for ((i = 1; i <= runs; i++)); do
  line=$(run_once)
  results+=("$line")
  read -r ms rss settled cpu <<<"$line"
  awk -v i="$i" -v ms="$ms" -v rss="$rss" -v later="$settled" -v cpu="$cpu" 'BEGIN {
    printf "run %d: Setup visible after %d ms (%d ms of CPU), resident %.1f MB (%.1f MB a second later)\n",
      i, ms, cpu, rss / 1024, later / 1024 }'
done
read -r ms_med ms_min ms_max < <(printf '%s\n' "${results[@]}" | cut -d' ' -f1 | median)
read -r rss_med _ rss_max < <(printf '%s\n' "${results[@]}" | cut -d' ' -f2 | median)
read -r _ _ later_max < <(printf '%s\n' "${results[@]}" | cut -d' ' -f3 | median)
read -r cpu_med cpu_min cpu_max < <(printf '%s\n' "${results[@]}" | cut -d' ' -f4 | median)
echo "time to Setup visible: median ${ms_med} ms (min ${ms_min}, max ${ms_max}) over ${runs} runs"
echo "CPU time to Setup visible: median ${cpu_med} ms (min ${cpu_min}, max ${cpu_max})"
awk -v m="$rss_med" -v x="$rss_max" -v l="$later_max" 'BEGIN {
  printf "resident memory at Setup: median %.1f MB (max %.1f); highest a second later %.1f MB\n", m / 1024, x / 1024, l / 1024 }'
