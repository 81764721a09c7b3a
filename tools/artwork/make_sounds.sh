#!/bin/sh
# Synthesises the two wave resources with sox:
#   147.wav  right answer: a rising three-note chime, 1.94 s, 16-bit stereo 22,050 Hz
#   148.wav  wrong answer: a soft low buzz, 0.52 s, 8-bit mono 22,050 Hz
# Usage: tools/artwork/make_sounds.sh resources/wave
set -eu
out=${1:-resources/wave}
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Each note: a sine with a softer octave partial, quick attack, long bell-like decay.
note() { # name frequency start-delay
  sox -n -r 22050 -c 1 -b 16 "$tmp/$1a.wav" synth 1.4 sine "$2" fade q 0.01 1.4 1.35 vol 0.55
  sox -n -r 22050 -c 1 -b 16 "$tmp/$1b.wav" synth 1.4 sine "$(awk "BEGIN{print $2*2}")" fade q 0.01 0.9 0.85 vol 0.18
  sox -m "$tmp/$1a.wav" "$tmp/$1b.wav" "$tmp/$1.wav"
  sox "$tmp/$1.wav" "$tmp/$1d.wav" pad "$3" 0
}
note c 523.25 0
note e 659.25 0.18
note g 783.99 0.36
note c2 1046.5 0.54
sox -m "$tmp/cd.wav" "$tmp/ed.wav" "$tmp/gd.wav" "$tmp/c2d.wav" "$tmp/mix.wav" norm -3
# Slight stereo spread: the right channel a few milliseconds late.
sox "$tmp/mix.wav" "$tmp/l.wav" trim 0 1.94
sox "$tmp/mix.wav" "$tmp/r.wav" pad 0.006 0 trim 0 1.94
sox -M "$tmp/l.wav" "$tmp/r.wav" -r 22050 -b 16 -e signed-integer "$out/147.wav" fade t 0 1.94 0.3

# Buzz: two detuned low square-ish tones, low-passed so it is soft, not harsh.
sox -n -r 22050 -c 1 "$tmp/b1.wav" synth 0.52 square 110 vol 0.5
sox -n -r 22050 -c 1 "$tmp/b2.wav" synth 0.52 square 116.5 vol 0.5
sox -m "$tmp/b1.wav" "$tmp/b2.wav" "$tmp/b.wav" lowpass 600 fade q 0.02 0.52 0.12 norm -4
sox "$tmp/b.wav" -r 22050 -c 1 -b 8 -e unsigned-integer "$out/148.wav" trim 0 0.52
