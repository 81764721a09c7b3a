#!/usr/bin/env bash
# Start-up of the real program on an X server: the time from exec to the Setup
# dialog mapped (what `xdotool search --onlyvisible` calls visible) and to its
# first drawing (the dialog's contents on screen), the CPU time then and the
# program's resident memory at that moment and once it has settled.
#   bench/startup-x11.sh [BUILD_DIR] [RUNS]
# BUILD_DIR defaults to build/release (bin/kestavo, bin/kestavo-register);
# RUNS to 5. Without DISPLAY it starts itself under a 1920x1080 Xvfb. Settings
# live in a fresh folder with the components registered, as after an install.
# The watcher (startup-watch.c, built here with cc) holds one X connection
# opened before the start and only listens: polling with a new xdotool every
# few milliseconds made the X server answer each new client (the program too)
# up to 100 ms late, and `xdotool --sync` looks only every 500 ms.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
runs=${2:-5}

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$build" "$runs"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! cc -O2 -o "$work/startup-watch" "$root/bench/startup-watch.c" -lX11 -lXdamage 2>"$work/cc.log"; then
  cat "$work/cc.log" >&2
  echo "needs a C compiler, libx11-dev and libxdamage-dev (tools/dev.sh bench-startup installs them)" >&2
  exit 2
fi

hive="$work/hive"
mkdir -p "$hive"
export KESTAVO_HIVE_DIR="$hive" KESTAVO_MACHINE_HIVE_DIR="$hive" XDG_CONFIG_HOME="$hive/config"
"$build/bin/kestavo-register" --user --build-tree "$build" >/dev/null

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }
# User plus system CPU time of the process in ms: on a busy machine the wall
# time also counts other programs' turns, this does not.
cpu_ms() {
  awk -v hz="$(getconf CLK_TCK)" '{ sub(/^.*\) /, ""); print int(($12 + $13) * 1000 / hz) }' "/proc/$1/stat" 2>/dev/null || echo 0
}
now_ns() { date +%s%N; }

# One run: start under the watcher, read CPU time and memory once Setup is
# drawn, a second later the memory again, end it.
run_once() {
  local mapped drawn pid rss settled cpu
  if ! read -r mapped drawn pid < <("$work/startup-watch" Setup "$build/bin/kestavo" 2>"$work/watch.log"); then
    cat "$work/watch.log" >&2
    return 1
  fi
  rss=$(rss_kb "$pid")
  cpu=$(cpu_ms "$pid")
  sleep 1
  settled=$(rss_kb "$pid")
  kill "$pid" 2>/dev/null || true
  while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
  echo "$drawn $rss $settled $cpu $mapped"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)], v[1], v[NR] }'; }

# The first start fills the file cache; it is not counted.
run_once >/dev/null
results=()
for ((i = 1; i <= runs; i++)); do
  line=$(run_once)
  results+=("$line")
  read -r ms rss settled cpu mapped <<<"$line"
  awk -v i="$i" -v ms="$ms" -v mapped="$mapped" -v rss="$rss" -v later="$settled" -v cpu="$cpu" 'BEGIN {
    printf "run %d: Setup mapped after %d ms, drawn after %d ms (%d ms of CPU), resident %.1f MB (%.1f MB a second later)\n",
      i, mapped, ms, cpu, rss / 1024, later / 1024 }'
done
read -r ms_med ms_min ms_max < <(printf '%s\n' "${results[@]}" | cut -d' ' -f1 | median)
read -r rss_med _ rss_max < <(printf '%s\n' "${results[@]}" | cut -d' ' -f2 | median)
read -r _ _ later_max < <(printf '%s\n' "${results[@]}" | cut -d' ' -f3 | median)
read -r cpu_med cpu_min cpu_max < <(printf '%s\n' "${results[@]}" | cut -d' ' -f4 | median)
read -r map_med map_min map_max < <(printf '%s\n' "${results[@]}" | cut -d' ' -f5 | median)
echo "time to Setup mapped: median ${map_med} ms (min ${map_min}, max ${map_max}) over ${runs} runs"
echo "time to Setup drawn: median ${ms_med} ms (min ${ms_min}, max ${ms_max})"
echo "CPU time to Setup drawn: median ${cpu_med} ms (min ${cpu_min}, max ${cpu_max})"
awk -v m="$rss_med" -v x="$rss_max" -v l="$later_max" 'BEGIN {
  printf "resident memory at Setup drawn: median %.1f MB (max %.1f); highest a second later %.1f MB\n", m / 1024, x / 1024, l / 1024 }'
