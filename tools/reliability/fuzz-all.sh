#!/usr/bin/env bash
# Runs every libFuzzer target (built with clang, ASan + UBSan) for a number of
# executions or a time limit, one after the other, and prints a table of what
# each ran. Crash inputs are kept in the output folder; copy each one into the
# target's corpus (tests/<folder>/fuzz/corpus/<Target>/) as a regression.
# Inputs that reached new edges stay in <out>/<Target>.new for merging into the
# kept corpus (-merge=1).
#   tools/reliability/fuzz-all.sh [-b build] [-r runs] [-t seconds] [-l max_len] [-o out] [target...]
# Defaults: build-rel-fuzz, ten million runs, no time limit, libFuzzer's own
# length limit (4096, which long runs reach and then slow to a tenth). CI: -t 60.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=$root/build-rel-fuzz
runs=10000000
seconds=0
maxlen=
out=$root/build-rel-fuzz/fuzz-results
while getopts "b:r:t:l:o:" opt; do
  case $opt in
    b) build=$OPTARG ;;
    r) runs=$OPTARG ;;
    t) seconds=$OPTARG ;;
    l) maxlen=$OPTARG ;;
    o) out=$OPTARG ;;
    *) sed -n '2,11p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
targets=("$@")
# Every target registered in the tests, unless named on the command line.
[ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(grep -rhoP 'kestavo_fuzz\(NAME \K\w+' "$root/tests" | sort -u)

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ -DKESTAVO_FUZZ=ON -DKESTAVO_BUILD_BENCH=OFF >/dev/null || exit 2
fi
cmake --build "$build" -j"${KESTAVO_JOBS:-2}" --target "${targets[@]}" >/dev/null || exit 2

mkdir -p "$out"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export QT_QPA_PLATFORM=offscreen
status=0
printf '%-18s %12s %8s %8s %7s %s\n' target executions seconds exec/s rss_mb result
for t in "${targets[@]}"; do
  bin=$build/fuzz/$t
  corpus=$(find "$root/tests" -type d -path "*/fuzz/corpus/$t" | head -n1)
  work=$out/$t.new
  rm -rf "$work" && mkdir -p "$work"
  log=$out/$t.log
  start=$(date +%s)
  # The kept corpus is read, never written: new inputs go to the work folder.
  # The targets' own output is dropped (the recogniser logs every model it
  # refuses, a third of its time); libFuzzer keeps its own stderr for reports.
  # The timeout is wall time: at nice 19 on a busy machine an input that takes
  # milliseconds was once starved past 10 s and reported as a hang.
  "$bin" -runs="$runs" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$out/$t-" \
    -timeout=30 -rss_limit_mb=2048 -close_fd_mask=3 ${maxlen:+-max_len="$maxlen"} "$work" ${corpus:+"$corpus"} >"$log" 2>&1
  rc=$?
  took=$(( $(date +%s) - start ))
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n1)
  rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -n1)
  result=ok
  if [ $rc -ne 0 ]; then
    result="FAILED (rc $rc, see $log)"
    status=1
    tail -n 40 "$log" >&2
  fi
  printf '%-18s %12s %8s %8s %7s %s\n' "$t" "${execs:-?}" "$took" "${speed:-?}" "${rss:-?}" "$result"
done
exit $status
