#!/usr/bin/env bash
# Sets up a Debian 12 machine for Kestavo, builds it and runs it or its tests.
#   tools/dev.sh run [args...]   install what is missing, build (release), start the program
#   tools/dev.sh test            install, build, run every test through CTest
#   tools/dev.sh test-asan       the tests under AddressSanitizer and UndefinedBehaviorSanitizer
#   tools/dev.sh test-tsan       the board and control tests under ThreadSanitizer
#   tools/dev.sh fuzz [seconds]  build the libFuzzer targets with clang and run each for a while
#   tools/dev.sh bench-startup [runs]  build (release) and time the start to Setup on Xvfb
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=${1:-}
shift || true
jobs=${KESTAVO_JOBS:-2}
# Let ccache reuse objects between clones and build folders of the same tree.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1

packages=(
  cmake ninja-build g++ pkg-config ccache           # build
  qt6-base-dev qt6-base-dev-tools                  # windows, drawing, files, locking
  qt6-base-private-dev                             # pen and touch input through the window system (scripts, tests)
  qt6-multimedia-dev                               # sound effects
  qt6-l10n-tools qt6-tools-dev                     # lupdate/lrelease and their CMake functions: the translations
  qt6-translations-l10n                            # Qt's own texts (Yes, No, Cancel, file dialogs) in the chosen language
  libgtest-dev libgmock-dev libbenchmark-dev       # tests and benchmarks
  fonts-liberation fonts-comic-neue                # Arial/Courier New/Comic Sans MS stand-ins
)
case "$mode" in
  test*) packages+=(poppler-utils) ;;              # tests read the PDFs back (pdftotext, pdfinfo)
esac
case "$mode" in
  fuzz) packages+=(clang libclang-rt-14-dev) ;;
  bench-startup) packages+=(xvfb xauth libx11-dev libxdamage-dev) ;; # an X server; the start watcher's headers
esac

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    grep -q 'install ok installed' <<<"$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# configure_and_build DIR [cmake options...]
configure_and_build() {
  local dir=$1
  shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja "$@"
  fi
  cmake --build "$dir" -j"$jobs"
}

install_missing
case "$mode" in
  run)
    build="$root/build/release"
    configure_and_build "$build" -DCMAKE_BUILD_TYPE=Release -DKESTAVO_BUILD_TESTS=OFF -DKESTAVO_BUILD_BENCH=OFF
    if [ -x "$build/bin/kestavo-register" ]; then
      "$build/bin/kestavo-register" --user --build-tree "$build" >/dev/null
    fi
    exec "$build/bin/kestavo" "$@"
    ;;
  test)
    build="$root/build/test"
    configure_and_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cd "$build" && ctest -j"$jobs" --output-on-failure --timeout 600 "$@"
    ;;
  test-asan)
    build="$root/build/asan"
    configure_and_build "$build" -DCMAKE_BUILD_TYPE=Debug -DKESTAVO_SANITIZE=address,undefined -DKESTAVO_BUILD_BENCH=OFF
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    # The sanitizers' dlopen interceptor hides the caller's run path from the
    # loader, so a library opened by bare name (the recogniser's last search
    # place) is found only through the loader's own path here.
    export LD_LIBRARY_PATH="$build/lib/kestavo${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
    cd "$build" && ctest -j"$jobs" --output-on-failure --timeout 900 "$@"
    ;;
  test-tsan)
    build="$root/build/tsan"
    configure_and_build "$build" -DCMAKE_BUILD_TYPE=Debug -DKESTAVO_SANITIZE=thread -DKESTAVO_BUILD_BENCH=OFF \
      -DKESTAVO_BUILD_PROGRAM=OFF "-DKESTAVO_TEST_FOLDERS=board;boardsoft;control"
    export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
    export LD_LIBRARY_PATH="$build/lib/kestavo${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
    cd "$build" && ctest -j"$jobs" --output-on-failure --timeout 900 -L 'board|control|boardsoft' "$@"
    ;;
  fuzz)
    # Every target for a while each (CI: a minute), through the campaign script.
    seconds=${1:-60}
    KESTAVO_JOBS=$jobs bash "$root/tools/reliability/fuzz-all.sh" -b "$root/build/fuzz" -t "$seconds" \
      -o "$root/build/fuzz/fuzz-results"
    ;;
  bench-startup)
    build="$root/build/release"
    configure_and_build "$build" -DCMAKE_BUILD_TYPE=Release -DKESTAVO_BUILD_TESTS=OFF -DKESTAVO_BUILD_BENCH=OFF
    exec "$root/bench/startup-x11.sh" "$build" "${1:-5}"
    ;;
  *)
    sed -n '2,8p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
