#!/usr/bin/env bash
# Plays a short typed game with `kestavo --script` from a copy of the build's
# install tree for every combination of: pen input control registered or not,
# board software registered or not, recogniser library present/missing/damaged,
# model file present/missing/damaged, settings folder writable or not.
# Prints one line per combination: exit status, whether the summary came out,
# the distinct messages on stderr and how often the most repeated one came.
#   tools/reliability/missing-parts.sh [build]      (default build-rel)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${1:-$root/build-rel}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work

cat >"$work/game.txt" <<'SCRIPT'
seed 3
questions 10
operator addition 1
type 5
check
next
type 7
check
next
type 1
check
stop
SCRIPT

# A private copy of the build's tree, taken once, so a rebuild meanwhile cannot
# hand us a half-written library.
pristine=$work/pristine
mkdir -p "$pristine/bin" "$pristine/lib"
cp -a "$build/bin/kestavo" "$build/bin/kestavo-register" "$pristine/bin/"
cp -a "$build/lib/kestavo" "$pristine/lib/"
cp -a "$build/share" "$pristine/" 2>/dev/null

# Lines that are Qt's or the sound system's, not ours.
noise='propagateSizeHints|PulseAudio|No audio device|XDG_RUNTIME_DIR'

printf '%-8s %-6s %-8s %-8s %-10s %3s %-7s %5s %s\n' control board library model settings rc summary most messages
for control in yes no; do
for board in yes no; do
for library in ok missing damaged; do
for model in ok missing damaged; do
for settings in writable unwritable; do
  inst=$work/inst
  rm -rf "$inst" "$work/hive"
  mkdir -p "$work/hive"
  cp -a "$pristine" "$inst"
  lib=$inst/lib/kestavo
  export KESTAVO_HIVE_DIR=$work/hive
  [ $control = yes ] && "$inst/bin/kestavo-register" --user "$lib/libvaltrix.so" >/dev/null
  [ $board = yes ] && "$inst/bin/kestavo-register" --user --board-dir "$lib" "$lib/libobrisk.so" >/dev/null
  case $library in
    missing) rm -f "$lib/libcallig.so" ;;
    damaged) head -c 4096 /dev/urandom >"$lib/libcallig.so" ;;
  esac
  case $model in
    missing) rm -f "$lib/Calligrapher.voc" "$inst/share/kestavo/Calligrapher.voc" ;;
    damaged) head -c 2048 /dev/urandom >"$lib/Calligrapher.voc"
             cp "$lib/Calligrapher.voc" "$inst/share/kestavo/Calligrapher.voc" 2>/dev/null ;;
  esac
  # A folder where the lock file should be: nothing can be saved.
  if [ $settings = unwritable ]; then
    rm -f "$work/hive/HKEY_CURRENT_USER.reg.lock"
    mkdir "$work/hive/HKEY_CURRENT_USER.reg.lock"
  fi
  (cd "$work" && timeout 120 "$inst/bin/kestavo" --script "$work/game.txt" >"$work/out" 2>"$work/err")
  rc=$?
  summary=no; grep -q '^Score:' "$work/out" && summary=yes
  grep -Ev "$noise" "$work/err" | sed 's/^[a-z.]*: //' >"$work/msgs"
  most=$(sort "$work/msgs" | uniq -c | sort -rn | head -n1 | awk '{print $1}')
  distinct=$(sort -u "$work/msgs" | cut -c1-110 | paste -sd'|' -)
  printf '%-8s %-6s %-8s %-8s %-10s %3s %-7s %5s %s\n' $control $board $library $model $settings $rc $summary \
    "${most:-0}" "${distinct:--}"
done; done; done; done; done
