#!/usr/bin/env bash
# The module for Windows x64: cross-builds the module file, velmora-sim and the Windows
# test programs with mingw-w64 (Release) into build-win, checks the module's export
# table, and under Wine runs the test programs and the command-line host on the demo and
# on examples/limb.lws. Its objects, scene and report must be byte-identical to those of
# the Linux build given as the first argument (default: build), its pictures equal up to
# rounding; settings files written by either build must load in the other.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
linux_build=${1:-build}
win_build=build-win
jobs=$(nproc 2>/dev/null || echo 2)

for tool in x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-objdump wine; do
  command -v "$tool" >/dev/null || { echo "test-windows: $tool missing" >&2; exit 1; }
done
[ -x "$linux_build/velmora-sim" ] && [ -x "$linux_build/tests/test_platform" ] || {
  echo "test-windows: build the Linux side in $linux_build first (velmora-sim, test_platform)" >&2
  exit 1
}

start=$(date +%s)
cmake -S . -B "$win_build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVELMORA_BENCH=OFF -DVELMORA_BUNDLED_GTEST=ON >/dev/null
cmake --build "$win_build" -j"$jobs"
built=$(date +%s)

# Wine keeps its own prefix beside the build, made once, quiet.
export WINEPREFIX="$root/$win_build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -d "$WINEPREFIX/drive_c" ] || wineboot -i >/dev/null 2>&1

fail() { echo "test-windows: $*" >&2; exit 1; }

# The module file exports its descriptor and nothing else, and needs only system DLLs.
dump=$(x86_64-w64-mingw32-objdump -p "$win_build/velmora.p")
exports=$(awk '/\[Ordinal\/Name Pointer\] Table/{on=1; next} on && /^[ \t]*\[/{print $NF; next} on{exit}' <<<"$dump")
[ "$exports" = "_mod_descrip" ] || fail "velmora.p exports: ${exports:-nothing}"
imports=$(awk '/DLL Name:/{print tolower($3)}' <<<"$dump" | sort -u | tr '\n' ' ')
for dll in $imports; do
  case $dll in kernel32.dll | msvcrt.dll | user32.dll | advapi32.dll) ;; *) fail "velmora.p needs $dll";; esac
done
echo "velmora.p (Windows) exports _mod_descrip only; imports: $imports"

# sdk/ against the LLP64 column of the public SDK's fact manifest, compiled by the Windows
# compiler itself: the check's LLP64 compiler is stood in for by mingw-w64's gcc.
facts="$root/../shared/sdk-facts"
if [ -f "$facts/9.6/headers.json" ]; then
  shim="$root/$win_build/llp64-cc"
  mkdir -p "$shim"
  cat >"$shim/clang" <<'SHIM'
#!/usr/bin/env bash
# Only the LLP64 compilations (they name the Windows target) go to mingw-w64's gcc.
case " $* " in *" --target=x86_64-w64-mingw32 "*) ;; *) exec /usr/bin/clang "$@";; esac
args=()
for a in "$@"; do
  case $a in
    --target=*) ;;
    -ferror-limit=*) args+=("-fmax-errors=0") ;;
    *) args+=("$a") ;;
  esac
done
exec x86_64-w64-mingw32-gcc-posix "${args[@]}"
SHIM
  chmod +x "$shim/clang"
  result=$(PATH="$shim:$PATH" python3 scripts/sdk_facts_check.py --sdk sdk --facts "$facts/9.6" \
             --newer "$facts/2020" --work "$root/$win_build/sdk-llp64" 2>&1) || { echo "$result" >&2; fail "sdk/ differs from the public SDK"; }
  grep -q "on LP64 and LLP64: 0 difference" <<<"$result" || { echo "$result" >&2; fail "LLP64 layouts not checked"; }
  echo "sdk/: $(tail -n 1 <<<"$result") (LLP64 with x86_64-w64-mingw32-gcc)"
else
  echo "sdk/ LLP64 check skipped: no fact manifest in $facts"
fi

# The same runs on both builds, each from a folder of its own holding the module and the
# inputs, with the same relative paths so the reports can be compared byte for byte.
runs="$root/$win_build/runs"
rm -rf "$runs"
for side in linux windows; do
  mkdir -p "$runs/$side"
  cp examples/limb.lws examples/Limb.lwo examples/limb_session.txt "$runs/$side/"
done
cp "$linux_build/velmora.p" "$runs/linux/velmora.p"
cp "$win_build/velmora.p" "$runs/windows/velmora.p"
sim_linux() { (cd "$runs/linux" && "$root/$linux_build/velmora-sim" "$@" --module ./velmora.p); }
sim_windows() { (cd "$runs/windows" && wine "$root/$win_build/velmora-sim.exe" "$@" --module ./velmora.p); }

compare_outputs() {
  local name=$1 a="$runs/linux/$1" b="$runs/windows/$1" file
  for file in "$a"/*; do
    local base=${file##*/}
    [ -e "$b/$base" ] || fail "$name: $base written on Linux only"
    case $base in
      *.png) python3 scripts/compare_pictures.py "$file" "$b/$base" >/dev/null ||
               fail "$name: $(python3 scripts/compare_pictures.py "$file" "$b/$base")" ;;
      config) cmp -s "$file/VelmoraKTQ.cfg" "$b/config/VelmoraKTQ.cfg" || fail "$name: settings files differ" ;;
      *) cmp -s "$file" "$b/$base" || { cmp -l "$file" "$b/$base" 2>&1 | sed 10q >&2 || true; fail "$name: $base differs"; } ;;
    esac
  done
  for file in "$b"/*; do [ -e "$a/${file##*/}" ] || fail "$name: ${file##*/} written on Windows only"; done
  echo "$name: Windows output identical to Linux ($(ls "$a" | tr '\n' ' '))"
}

for side in linux windows; do
  sim_$side run --out demo >"$runs/$side/demo.log" 2>&1 || fail "$side demo run failed (see $runs/$side/demo.log)"
  sim_$side run limb.lws --script limb_session.txt --out limb >"$runs/$side/limb.log" 2>&1 ||
    fail "$side limb run failed (see $runs/$side/limb.log)"
done
compare_outputs demo
compare_outputs limb
# What the runs print matches too, once Windows' line ends are read as such.
for run in demo limb; do
  tr -d '\r' <"$runs/windows/$run.log" | cmp -s "$runs/linux/$run.log" - || fail "$run: the printed runs differ"
done

# Settings files cross over: each build writes one and loads the other's.
exchange="$runs/settings-exchange"
mkdir -p "$exchange"
export VELMORA_SETTINGS_EXCHANGE="$exchange"
"$linux_build/tests/test_platform" --gtest_filter='SettingsExchange.*' >/dev/null
wine "$win_build/tests/test_platform.exe" --gtest_filter='SettingsExchange.*' | grep "other systems loaded: 1" >/dev/null ||
  fail "the Windows build did not load the Linux settings file"
"$linux_build/tests/test_platform" --gtest_filter='SettingsExchange.*' | grep "other systems loaded: 1" >/dev/null ||
  fail "the Linux build did not load the Windows settings file"
cmp -s "$exchange/written-on-linux/VelmoraKTQ.cfg" "$exchange/written-on-windows/VelmoraKTQ.cfg" ||
  fail "settings files written on Linux and Windows differ"
unset VELMORA_SETTINGS_EXCHANGE
echo "settings: files written on Linux and on Windows are identical and load on the other"

# The Windows test programs, each started through Wine by CTest.
ctest --test-dir "$win_build" --output-on-failure -j"$jobs"

finished=$(date +%s)
echo "Windows part: build $((built - start)) s, Wine runs $((finished - built)) s, total $((finished - start)) s"
