#!/usr/bin/env bash
# Installs Kestavo the ways a school would and checks what the installation
# finds: cmake --install into a temporary prefix (registration, layout, the
# installed program, uninstall), the build tree's own registration, and the
# Debian package through a real dpkg -i / dpkg -r cycle (as root only).
#
#   tools/install-test.sh [BUILD_DIR]
#
# BUILD_DIR: an existing build tree to reuse (build/test in CI); without it a
# Release tree is configured in build/install-test. Prints 'N passed, N failed'
# last and exits non-zero when anything failed.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/install-test}
jobs=${KESTAVO_JOBS:-2}
passed=0
failed=0
skipped=0

pass() {
  passed=$((passed + 1))
  echo "PASS  $1"
}
fail() {
  failed=$((failed + 1))
  echo "FAIL  $1"
  [ $# -gt 1 ] && printf '      %s\n' "${@:2}"
  return 0
}
skip() {
  skipped=$((skipped + 1))
  echo "SKIP  $1"
}
# check NAME COMMAND...: passes when the command succeeds.
check() {
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name"; fi
}
finish() {
  [ "$skipped" -gt 0 ] && echo "($skipped skipped)"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit $?
}

work=$(mktemp -d "${TMPDIR:-/tmp}/kestavo-install-test.XXXXXX")
cleanup() { rm -rf "$work"; }
trap cleanup EXIT

# Everything the programs write goes into the work folder: settings (both
# hives) through KESTAVO_HIVE_DIR, anything else under a temporary HOME.
export HOME=$work/home
unset XDG_CONFIG_HOME
export KESTAVO_HIVE_DIR=$work/hive
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$KESTAVO_HIVE_DIR"
machine_hive=$KESTAVO_HIVE_DIR/HKEY_LOCAL_MACHINE.reg
user_hive=$KESTAVO_HIVE_DIR/HKEY_CURRENT_USER.reg

echo "== build ($build)"
if [ -f "$build/CMakeCache.txt" ]; then
  # Configure again so install rules added since the tree was made are present.
  cmake "$build" >"$work/configure.log" 2>&1
else
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DKESTAVO_BUILD_TESTS=OFF -DKESTAVO_BUILD_BENCH=OFF >"$work/configure.log" 2>&1
fi
if [ $? -ne 0 ]; then
  fail "configure" "see output below"
  cat "$work/configure.log"
  finish
fi
if ! cmake --build "$build" -j"$jobs" >"$work/build.log" 2>&1; then
  fail "build"
  tail -n 40 "$work/build.log"
  finish
fi
pass "configure and build"

# ---------------------------------------------------------------------------
echo "== cmake --install into a temporary prefix"
prefix=$work/prefix
libdir=$prefix/lib/kestavo
if cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  pass "cmake --install"
else
  fail "cmake --install"
  tail -n 30 "$work/install.log"
  finish
fi

missing=()
for f in bin/kestavo bin/kestavo-register \
  lib/kestavo/libkestavo-platform.so lib/kestavo/libkestavo-sound.so lib/kestavo/libvaltrix.so lib/kestavo/libobrisk.so \
  lib/kestavo/libcallig.so lib/kestavo/Calligrapher.voc \
  share/kestavo/Calligrapher.voc share/kestavo/License.txt share/kestavo/help/index.html \
  share/kestavo/help/de/index.html share/kestavo/help/pt_BR/pupils.html \
  share/applications/kestavo.desktop share/metainfo/kestavo.metainfo.xml share/man/man1/kestavo.1; do
  [ -e "$prefix/$f" ] || missing+=("$f")
done
for size in 16 24 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/kestavo.png
  if [ ! -f "$icon" ]; then
    missing+=("${icon#"$prefix"/}")
  elif command -v identify >/dev/null && [ "$(identify -format '%wx%h' "$icon")" != "${size}x${size}" ]; then
    missing+=("${icon#"$prefix"/} is $(identify -format '%wx%h' "$icon")")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then pass "install layout"; else fail "install layout" "${missing[@]}"; fi

# Installed files must not reach back into the build tree.
leaks=()
for f in "$prefix"/bin/* "$libdir"/*.so; do
  runpath=$(readelf -d "$f" 2>/dev/null | sed -n 's/.*R\(UN\)\{0,1\}PATH.*\[\(.*\)\]/\2/p')
  case "$runpath" in
    *"$build"*) leaks+=("$f: $runpath") ;;
  esac
  unresolved=$(ldd "$f" 2>/dev/null | grep 'not found')
  [ -n "$unresolved" ] && leaks+=("$f: $(tr -s ' \t' ' ' <<<"$unresolved")")
done
if [ ${#leaks[@]} -eq 0 ]; then pass "installed binaries resolve their libraries in the prefix"; else
  fail "installed binaries resolve their libraries in the prefix" "${leaks[@]}"
fi

if command -v desktop-file-validate >/dev/null; then
  check "desktop entry validates" desktop-file-validate "$prefix/share/applications/kestavo.desktop"
else
  skip "desktop entry validation (desktop-file-validate not installed)"
fi
if command -v appstreamcli >/dev/null; then
  if appstreamcli validate --no-net "$prefix/share/metainfo/kestavo.metainfo.xml" >"$work/appstream.log" 2>&1; then
    pass "AppStream metadata validates"
  else
    fail "AppStream metadata validates" "$(cat "$work/appstream.log")"
  fi
else
  skip "AppStream validation (appstreamcli not installed)"
fi

# Registration at install: the control, the board SDK and the ink component in
# the machine hive at the installed paths, and where the recogniser lives.
hive_has() { [ -f "$1" ] && grep -qF -- "$2" "$1"; }
bad=()
for expect in "\"$libdir/libvaltrix.so\"" "\"$libdir/libobrisk.so\"" \
  '[HKEY_LOCAL_MACHINE\Software\Tandrel Technologies Inc.\Tandrel Board Software\Install Information]' \
  "\"Board Directory\"=\"$libdir/\""; do
  hive_has "$machine_hive" "$expect" || bad+=("machine hive lacks $expect")
done
hive_has "$user_hive" "InprocServer32" && bad+=("the install registered into the user hive")
if [ ${#bad[@]} -eq 0 ]; then pass "install registers in the machine hive"; else
  fail "install registers in the machine hive" "${bad[@]}"
fi

# The installed program, started from elsewhere than its folder.
out_installed=$(cd / && "$prefix/bin/kestavo" --questions --seed 1 --count 10 2>"$work/questions.err")
rc=$?
out_build=$("$build/bin/kestavo" --questions --seed 1 --count 10 2>/dev/null)
if [ $rc -eq 0 ] && [ "$(printf '%s\n' "$out_installed" | grep -c .)" -ge 10 ] && [ "$out_installed" = "$out_build" ]; then
  pass "installed kestavo --questions (same questions as the build tree)"
else
  fail "installed kestavo --questions" "exit $rc" "$(head -n 5 "$work/questions.err")"
fi

# What a process of the installation finds through the hives: the components by
# class id and the recogniser by the control's own search.
check_src=(tools/install-check/InstallCheck.cpp control/HandwritingRecognizer.cpp)
checker_ok=0
if command -v pkg-config >/dev/null && pkg-config --exists Qt6Widgets; then
  objs=()
  for src in "${check_src[@]}"; do
    obj=$work/$(basename "$src" .cpp).o
    g++ -std=c++17 -O1 -fPIC -I"$root" $(pkg-config --cflags Qt6Widgets) -c "$root/$src" -o "$obj" \
      >>"$work/checker.log" 2>&1 || break
    objs+=("$obj")
  done
  if [ ${#objs[@]} -eq ${#check_src[@]} ]; then
    # link_checker OUTPUT LIBDIR: against the installed platform library only.
    link_checker() {
      g++ -o "$1" "${objs[@]}" -L"$2" -lkestavo-platform -Wl,-rpath,"$2" \
        $(pkg-config --libs Qt6Widgets) -ldl >>"$work/checker.log" 2>&1
    }
    link_checker "$work/install-check" "$libdir" && checker_ok=1
  fi
fi
if [ $checker_ok -eq 1 ]; then
  # The recogniser must come from the recorded folder, not the plain library search.
  if (cd / && "$work/install-check") >"$work/check.out" 2>&1 &&
    grep -qxF "recogniser: ok $libdir/libcallig.so" "$work/check.out"; then
    pass "installed components and recogniser found through the machine hive"
  else
    fail "installed components and recogniser found through the machine hive" "$(cat "$work/check.out")"
  fi
  cat "$work/check.out" | sed 's/^/      /'
  # A registered library that no longer loads: a clean failure naming it.
  mv "$libdir/libvaltrix.so" "$work/libvaltrix.so.aside"
  (cd / && "$work/install-check" --missing) >"$work/missing.out" 2>&1
  rc=$?
  mv "$work/libvaltrix.so.aside" "$libdir/libvaltrix.so"
  if [ $rc -eq 0 ] && grep -qF "$libdir/libvaltrix.so" "$work/missing.out"; then
    pass "a registered control whose library is gone fails cleanly, naming the library"
  else
    fail "a registered control whose library is gone fails cleanly" "$(cat "$work/missing.out")"
  fi
else
  fail "build the install checker" "$(tail -n 20 "$work/checker.log" 2>/dev/null)"
fi

# A short game played through the installed program, when the script mode
# exists: two typed answers, then "11" written with the board pen, recognised by
# the installed recogniser that the control found through the hive.
game_script=$work/game.txt
cat >"$game_script" <<'EOF'
seed 42
questions 10
operator add 1
size 1024 768
expect status Question 1 of 10
type 6
check
next
type 2
check
next
expect status Question 3 of 10
tray pen
pen result:30,20 result:30,60 result:30,100 result:30,140
pen result:90,20 result:90,60 result:90,100 result:90,140
tray none
check
stop
EOF
# play_game KESTAVO OUTPUT: the summary shows 6 typed, 2 typed (wrong), 11 written.
play_game() {
  (cd / && "$1" --script "$game_script") >"$2" 2>"$2.err" &&
    grep -q '^Score: 2 correct out of 10' "$2" &&
    grep -qP '^3\)\t10 +\+ +1 += +11 +right$' "$2"
}
if grep -aq -- '--script' "$prefix/bin/kestavo"; then
  if play_game "$prefix/bin/kestavo" "$work/game.out"; then
    pass "installed kestavo --script game with pen input"
  else
    fail "installed kestavo --script game with pen input" "$(cat "$work/game.out")" "$(tail -n 10 "$work/game.out.err")"
  fi
else
  skip "kestavo --script game (this build of kestavo has no script mode yet)"
fi

# Missing pieces: the program still starts and says which one is missing.
if grep -aq -- '--script' "$prefix/bin/kestavo"; then
  printf 'seed 42\nquestions 10\noperator add 1\ntype 6\ncheck\nstop\n' >"$work/typed.txt"
  printf 'seed 42\nquestions 10\noperator add 1\nstop\n' >"$work/nothing.txt"
  mv "$libdir/libcallig.so" "$work/libcallig.so.aside"
  (cd / && "$prefix/bin/kestavo" --script "$work/typed.txt") >"$work/nocallig.out" 2>&1
  rc=$?
  mv "$work/libcallig.so.aside" "$libdir/libcallig.so"
  if [ $rc -eq 0 ] && grep -q '^Score: 1 correct out of 10' "$work/nocallig.out" &&
    grep -qi 'recogniser' "$work/nocallig.out"; then
    pass "without the recogniser the installed program plays keyboard-only"
  else
    fail "without the recogniser the installed program plays keyboard-only" "$(tail -n 15 "$work/nocallig.out")"
  fi
  mv "$libdir/libvaltrix.so" "$work/libvaltrix.so.aside"
  (cd / && "$prefix/bin/kestavo" --script "$work/nothing.txt") >"$work/novaltrix.out" 2>&1
  rc=$?
  mv "$work/libvaltrix.so.aside" "$libdir/libvaltrix.so"
  if [ $rc -eq 0 ] && grep -qF "$libdir/libvaltrix.so" "$work/novaltrix.out"; then
    pass "with the control's library gone the installed program starts and names it"
    echo "      $(grep -c 'libvaltrix.so' "$work/novaltrix.out") message lines name libvaltrix.so (one per answer field)"
  else
    fail "with the control's library gone the installed program starts and names it" \
      "$(tail -n 15 "$work/novaltrix.out")"
  fi
fi

# Recording and removing the recogniser's folder leaves another installation's record alone.
"$prefix/bin/kestavo-register" --machine --unregister --board-dir /opt/elsewhere/lib >"$work/other.out" 2>&1
if hive_has "$machine_hive" "\"Board Directory\"=\"$libdir/\""; then
  pass "unregistering another folder keeps this installation's record"
else
  fail "unregistering another folder keeps this installation's record" "$(cat "$work/other.out")"
fi

# Uninstall: the registration and the files go, nothing else is touched.
cp "$machine_hive" "$work/machine-before-uninstall.reg"
if cmake --build "$build" --target kestavo_uninstall >"$work/uninstall.log" 2>&1; then
  pass "kestavo_uninstall"
else
  fail "kestavo_uninstall" "$(tail -n 20 "$work/uninstall.log")"
fi
bad=()
for expect in "$libdir" "Install Information" "Board Directory" "Valtrix" "InprocServer32"; do
  hive_has "$machine_hive" "$expect" && bad+=("machine hive still holds $expect")
done
left=$(find "$prefix" -type f -o -type l 2>/dev/null)
[ -n "$left" ] && bad+=("files left: $left")
[ -d "$libdir" ] && bad+=("$libdir left")
[ -d "$prefix/share/kestavo" ] && bad+=("$prefix/share/kestavo left")
if [ ${#bad[@]} -eq 0 ]; then pass "uninstall removes the registration and the files"; else
  fail "uninstall removes the registration and the files" "${bad[@]}"
fi

# An install for the installing user only: the user hive, never the machine hive,
# and the control still finds the recogniser (through the classes overlay).
prefix2=$work/prefix-user
rm -f "$KESTAVO_HIVE_DIR"/*
if KESTAVO_INSTALL_REGISTRATION=user cmake --install "$build" --prefix "$prefix2" >"$work/install-user.log" 2>&1; then
  bad=()
  hive_has "$user_hive" "\"$prefix2/lib/kestavo/libvaltrix.so\"" || bad+=("user hive lacks the control")
  hive_has "$user_hive" "\"ExeDir\"=\"$prefix2/lib/kestavo\"" || bad+=("user hive lacks the recogniser's folder")
  [ -e "$machine_hive" ] && bad+=("the machine hive was written")
  if [ $checker_ok -eq 1 ] && link_checker "$work/install-check-user" "$prefix2/lib/kestavo"; then
    { (cd / && "$work/install-check-user") >"$work/check-user.out" 2>&1 &&
      grep -qxF "recogniser: ok $prefix2/lib/kestavo/libcallig.so" "$work/check-user.out"; } ||
      bad+=("$(cat "$work/check-user.out")")
  fi
  cmake --build "$build" --target kestavo_uninstall >"$work/uninstall-user.log" 2>&1 || bad+=("uninstall failed")
  hive_has "$user_hive" "$prefix2" && bad+=("user hive still names $prefix2 after uninstall")
  if [ ${#bad[@]} -eq 0 ]; then pass "install and uninstall for one user"; else
    fail "install and uninstall for one user" "${bad[@]}"
  fi
else
  fail "install for one user" "$(tail -n 20 "$work/install-user.log")"
fi

# ---------------------------------------------------------------------------
echo "== registration from the build tree (tools/dev.sh run)"
rm -f "$KESTAVO_HIVE_DIR"/*
register=$build/bin/kestavo-register
"$register" --user --build-tree "$build" >"$work/dev1.out" 2>&1
rc1=$?
cp "$user_hive" "$work/user-first.reg" 2>/dev/null
"$register" --user --build-tree "$build" >"$work/dev2.out" 2>&1
rc2=$?
bad=()
[ $rc1 -eq 0 ] && [ $rc2 -eq 0 ] || bad+=("exit $rc1 then $rc2: $(cat "$work/dev1.out" "$work/dev2.out")")
hive_has "$user_hive" "\"$(cd "$build" && pwd -P)/lib/kestavo/libvaltrix.so\"" || bad+=("user hive lacks the build tree's control")
cmp -s "$user_hive" "$work/user-first.reg" || bad+=("a second registration changed the user hive")
[ -e "$machine_hive" ] && bad+=("the machine hive was written")
if [ ${#bad[@]} -eq 0 ]; then pass "build tree registers in the user hive only, idempotently"; else
  fail "build tree registers in the user hive only, idempotently" "${bad[@]}"
fi
"$register" --user --unregister --build-tree "$build" >/dev/null 2>&1
if hive_has "$user_hive" "InprocServer32" || hive_has "$user_hive" "Board Directory"; then
  fail "build tree unregisters from the user hive"
else
  pass "build tree unregisters from the user hive"
fi

# ---------------------------------------------------------------------------
echo "== Debian package"
rm -rf "$build/_CPack_Packages"
rm -f "$build"/kestavo_*.deb
if (cd "$build" && cpack -G DEB) >"$work/cpack.log" 2>&1 && deb=$(ls "$build"/kestavo_*.deb 2>/dev/null | head -n1) && [ -n "$deb" ]; then
  pass "cpack builds $(basename "$deb")"
else
  fail "cpack builds the package" "$(tail -n 30 "$work/cpack.log")"
  finish
fi
depends=$(dpkg-deb -f "$deb" Depends)
bad=()
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6multimedia6 libc6 libstdc++6; do
  grep -q "\b$p\b" <<<"$depends" || bad+=("Depends lacks $p")
done
grep -q kestavo-platform <<<"$depends" && bad+=("Depends names the private library")
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/kestavo ./usr/lib/kestavo/libvaltrix.so ./usr/lib/kestavo/libcallig.so ./usr/lib/kestavo/libkestavo-sound.so \
  ./usr/share/kestavo/License.txt ./usr/share/applications/kestavo.desktop ./usr/share/man/man1/kestavo.1; do
  grep -qF " $f" <<<"$contents" || bad+=("package lacks $f")
done
grep -q "$build" <<<"$contents" && bad+=("package holds build-tree paths")
# Listed first, then searched: with pipefail, grep -q leaving early can
# kill tar with SIGPIPE and fail the pipeline although postinst is there.
control_files=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t)
grep -q postinst <<<"$control_files" || bad+=("package has no postinst")
if [ ${#bad[@]} -eq 0 ]; then pass "package dependencies and contents"; else
  fail "package dependencies and contents" "Depends: $depends" "${bad[@]}"
fi

if [ "$(id -u)" -ne 0 ] || ! command -v dpkg >/dev/null; then
  skip "dpkg -i / dpkg -r cycle (needs root)"
  finish
fi
if grep -q 'installed' <<<"$(dpkg-query -W -f='${Status}' kestavo 2>/dev/null)" || [ -e /var/lib/kestavo ]; then
  skip "dpkg -i / dpkg -r cycle (kestavo is already installed on this machine, or /var/lib/kestavo exists)"
  finish
fi
# The package registers in the real machine hive, as on a school's machine.
unset KESTAVO_HIVE_DIR
sys_hive=/var/lib/kestavo/HKEY_LOCAL_MACHINE.reg
if dpkg -i "$deb" >"$work/dpkg-i.log" 2>&1; then
  pass "dpkg -i"
  bad=()
  for expect in '"/usr/lib/kestavo/libvaltrix.so"' '"/usr/lib/kestavo/libobrisk.so"' '"Board Directory"="/usr/lib/kestavo/"'; do
    hive_has "$sys_hive" "$expect" || bad+=("$sys_hive lacks $expect")
  done
  if [ ${#bad[@]} -eq 0 ]; then pass "package registers in the machine hive"; else
    fail "package registers in the machine hive" "${bad[@]}"
  fi
  out_pkg=$(cd / && /usr/bin/kestavo --questions --seed 1 --count 10 2>/dev/null)
  if [ $? -eq 0 ] && [ "$out_pkg" = "$out_build" ]; then pass "packaged kestavo --questions"; else
    fail "packaged kestavo --questions" "$(head -n 5 <<<"$out_pkg")"
  fi
  if [ $checker_ok -eq 1 ] && link_checker "$work/install-check-pkg" /usr/lib/kestavo; then
    if (cd / && "$work/install-check-pkg") >"$work/check-pkg.out" 2>&1 &&
      grep -qxF "recogniser: ok /usr/lib/kestavo/libcallig.so" "$work/check-pkg.out"; then
      pass "packaged components and recogniser found through the machine hive"
    else
      fail "packaged components and recogniser found through the machine hive" "$(cat "$work/check-pkg.out")"
    fi
  fi
  if grep -aq -- '--script' /usr/bin/kestavo; then
    if play_game /usr/bin/kestavo "$work/game-pkg.out"; then
      pass "packaged kestavo --script game with pen input"
    else
      fail "packaged kestavo --script game with pen input" "$(cat "$work/game-pkg.out")" \
        "$(tail -n 10 "$work/game-pkg.out.err")"
    fi
  else
    skip "packaged kestavo --script game (no script mode yet)"
  fi
else
  fail "dpkg -i" "$(tail -n 20 "$work/dpkg-i.log")"
fi
if dpkg -r kestavo >"$work/dpkg-r.log" 2>&1; then
  pass "dpkg -r"
else
  fail "dpkg -r" "$(tail -n 20 "$work/dpkg-r.log")"
fi
bad=()
for path in /usr/bin/kestavo /usr/bin/kestavo-register /usr/lib/kestavo /usr/share/kestavo \
  /usr/share/applications/kestavo.desktop /usr/share/metainfo/kestavo.metainfo.xml \
  /usr/share/icons/hicolor/48x48/apps/kestavo.png /var/lib/kestavo; do
  [ -e "$path" ] && bad+=("$path left")
done
grep -q 'installed' <<<"$(dpkg-query -W -f='${Status}' kestavo 2>/dev/null)" && bad+=("dpkg still lists kestavo as installed")
if [ ${#bad[@]} -eq 0 ]; then pass "dpkg -r leaves nothing behind"; else
  fail "dpkg -r leaves nothing behind" "${bad[@]}"
fi
# Drop the package's config-files record too, so the machine is as before.
dpkg -P kestavo >/dev/null 2>&1

finish
