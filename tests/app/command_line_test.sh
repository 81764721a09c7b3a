#!/usr/bin/env bash
# The program's command line without a display: answers, exit codes and the
# one-line messages. Usage: command_line_test.sh PATH/TO/kestavo
set -u
kestavo=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KESTAVO_HIVE_DIR=$work/hive
failures=0

# expect CODE OUT_PATTERN ERR_PATTERN ERR_LINES -- ARGS...: runs without any
# display; patterns are grep -E on stdout and stderr ('' = must be empty),
# ERR_LINES the exact number of stderr lines ('-' = any).
expect() {
  local code=$1 outp=$2 errp=$3 lines=$4
  shift 5
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ${EXTRA_ENV:-} "$kestavo" "$@" \
    >"$work/out" 2>"$work/err" </dev/null
  local rc=$? why=()
  [ "$rc" -eq "$code" ] || why+=("exit $rc, not $code")
  if [ -z "$outp" ]; then [ -s "$work/out" ] && why+=("stdout not empty")
  else grep -Eq -- "$outp" "$work/out" || why+=("stdout lacks /$outp/"); fi
  if [ -z "$errp" ]; then [ -s "$work/err" ] && why+=("stderr not empty")
  else grep -Eq -- "$errp" "$work/err" || why+=("stderr lacks /$errp/"); fi
  if [ "$lines" != - ]; then
    local n
    n=$(wc -l <"$work/err")
    [ "$n" -eq "$lines" ] || why+=("$n stderr lines, not $lines")
  fi
  if [ ${#why[@]} -gt 0 ]; then
    failures=$((failures + 1))
    echo "FAIL: ${EXTRA_ENV:-} kestavo $*: ${why[*]}"
    sed 's/^/  out: /' "$work/out" | head -5
    sed 's/^/  err: /' "$work/err" | head -5
  else
    echo "ok: ${EXTRA_ENV:-} kestavo $*"
  fi
}

# Help and version answer without a display, for the game and every mode.
expect 0 'usage: kestavo.*--fullscreen' '' 0 -- --help
expect 0 '--questions .*--script|--script' '' 0 -- -h
expect 0 '^kestavo [0-9]+\.[0-9]+' '' 0 -- --version
expect 0 '^kestavo [0-9]+\.[0-9]+' '' 0 -- -v
expect 0 'usage: kestavo --questions.*--count' '' 0 -- --questions --help
expect 0 'usage: kestavo --script' '' 0 -- --script --help
expect 0 '^kestavo [0-9]' '' 0 -- --script x.txt --version
expect 0 'usage: kestavo --worksheet OUT.pdf' '' 0 -- --worksheet --help
expect 0 'usage: kestavo --export-settings' '' 0 -- --import-settings --help

# Unknown options and bad values: one line naming them, then the usage.
expect 2 '' "kestavo: .*'bogus'" 2 -- --bogus
expect 2 '' "kestavo: .*'stray'" 2 -- stray
expect 2 '' "kestavo: .*'bogus'" 2 -- --questions --bogus
expect 2 '' 'kestavo: --count .*ten' 2 -- --questions --count ten
expect 2 '' "kestavo: .*'--count'" 2 -- --questions --count
expect 2 '' "kestavo: .*'fullscreen'" 2 -- --questions --fullscreen
expect 2 '' 'kestavo: --seed .*x' 2 -- --script f --seed x
expect 2 '' 'usage: kestavo --script' 2 -- --script "$work/none.txt" --screenshots
expect 2 '' 'cannot read' 1 -- --script "$work/none.txt"
expect 2 '' "kestavo: .*'bogus'" 2 -- --worksheet "$work/w.pdf" --bogus
expect 2 '' 'kestavo: --count .*0' 2 -- --worksheet "$work/w.pdf" --count 0
expect 2 '' "kestavo: .*'machine'|--machine and --dry-run" 2 -- --export-settings "$work/s.reg" --machine
expect 2 '' 'kestavo: give one of' 2 -- --import-settings a.reg --export-settings b.reg

# A mode without windows runs; the game and the script need a display and
# say so in one line instead of aborting.
expect 0 '^1\) 2 x 6 = 12' '' 0 -- --questions --operators=Multiplication --count 1 --seed 1
expect 1 '' '^kestavo: no display' 1 --
expect 1 '' '^kestavo: no display' 1 -- --fullscreen
printf 'seed 1\n' >"$work/play.txt"
expect 1 '' '^kestavo: no display' 1 -- --script "$work/play.txt"
EXTRA_ENV=QT_QPA_PLATFORM=nosuchplatform expect 1 '' '^kestavo: cannot open a display' 1 --
EXTRA_ENV=DISPLAY=:987 expect 1 '' '^kestavo: cannot open a display' 1 --

# The language: --lang for every mode, else the teacher's stored choice, else
# the desktop's locale. A scripted game that is stopped at once prints its
# summary, whose score line shows the language in use.
expect 2 '' '^kestavo: unknown language for --lang: "xx"' 1 -- --lang xx
expect 2 '' '^kestavo: unknown language for --lang' 1 -- --questions --lang=klingon
expect 2 '' '^kestavo: --lang needs a language code' 1 -- --lang
expect 0 '--lang CODE' '' 0 -- --help
printf 'seed 1\nquestions 10\noperator add 1\n' >"$work/stop.txt"
offscreen="QT_QPA_PLATFORM=offscreen LANGUAGE="
EXTRA_ENV="$offscreen LC_ALL=C LANG=C" expect 0 '^Score: 0 correct out of 10' '-' - -- --script "$work/stop.txt"
EXTRA_ENV="$offscreen LC_ALL=C LANG=C" expect 0 '^Punkte: 0 richtig von 10' '-' - -- --lang de --script "$work/stop.txt"
EXTRA_ENV="$offscreen LC_ALL=de_AT.UTF-8" expect 0 '^Punkte: ' '-' - -- --script "$work/stop.txt"
EXTRA_ENV="$offscreen LC_ALL=pt_BR.UTF-8" expect 0 '^Score: ' '-' - -- --lang en --script "$work/stop.txt"
key='[HKEY_CURRENT_USER\Software\Tandrel Technologies Inc.\Kestavo]'
printf 'REGEDIT4\n\n%s\n"Language"="es"\n' "$key" >"$work/es.reg"
expect 0 '^Imported ' '' 0 -- --import-settings "$work/es.reg"
EXTRA_ENV="$offscreen LC_ALL=C LANG=C" expect 0 '^Puntos: 0 correctas de 10' '-' - -- --script "$work/stop.txt"
EXTRA_ENV="$offscreen LC_ALL=C LANG=C" expect 0 '^Pontos: ' '-' - -- --lang pt-BR --script "$work/stop.txt"
printf 'REGEDIT4\n\n%s\n"Language"="Klingon"\n' "$key" >"$work/bad.reg"
expect 0 '^Imported ' '' 0 -- --import-settings "$work/bad.reg"
EXTRA_ENV="$offscreen LC_ALL=fr_FR.UTF-8" expect 0 '^Score: 0 justes sur 10' '-' - -- --script "$work/stop.txt"

[ "$failures" -eq 0 ] || { echo "$failures case(s) failed"; exit 1; }
