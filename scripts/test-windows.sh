#!/usr/bin/env bash
# Cross-builds the Windows programs with MinGW-w64 and runs the end-to-end suite
# against the .exe files under Wine; then checks that the release folder holds
# the programs and that they need no DLL beside them, and that the
# example run from the release folder gives the same files as on Linux.
#
#   scripts/test-windows.sh [windows build dir] [linux build dir]
#
# The end-to-end tests themselves are the Linux ones (built in the Linux build
# dir); the variables below point them at the Windows executables.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
win_build=$(realpath -m "${1:-build-windows}")
linux_build=$(realpath -m "${2:-build}")
programs=(Ajusta_Leituras Rastreia_Picos Fatia_Chuvadas Resume_Chuvadas Desenha_Chuvadas)

find_wine() {
  local candidate
  for candidate in /usr/lib/wine/wine64 $(dpkg -L wine64 2>/dev/null | grep '/wine64$' || true) \
                   $(command -v wine64 || true) $(command -v wine || true); do
    if [ -x "$candidate" ] && [ ! -d "$candidate" ]; then echo "$candidate"; return; fi
  done
  echo "Wine not found: apt-get install wine64" >&2
  exit 1
}
find_wineserver() {
  local candidate
  for candidate in "$(dirname "$1")/wineserver" "$(dirname "$1")/wineserver64" $(command -v wineserver || true); do
    if [ -x "$candidate" ]; then echo "$candidate"; return; fi
  done
  echo "wineserver not found" >&2
  exit 1
}

echo "== cross build (MinGW-w64) in $win_build =="
cmake -S "$root" -B "$win_build" --toolchain "$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$win_build" -j2

echo "== native end-to-end tests in $linux_build =="
cmake -S "$root" -B "$linux_build" >/dev/null
cmake --build "$linux_build" -j2 --target e2e_tests

echo "== release folder =="
dist="$win_build/dist"
rm -rf "$dist"
cmake --install "$win_build" --prefix "$dist" >/dev/null
for program in "${programs[@]}"; do
  # A program the Linux build has must be tested as .exe too, not skipped.
  if [ -f "$linux_build/bin/$program" ] && [ ! -f "$win_build/bin/$program.exe" ]; then
    echo "the Windows build lacks $program.exe" >&2
    exit 1
  fi
  if [ -f "$win_build/bin/$program.exe" ]; then
    [ -f "$dist/$program.exe" ] || { echo "missing in the release: $program.exe" >&2; exit 1; }
    # Only DLLs every Windows has may be imported; the C++ run time is linked in.
    foreign=$(x86_64-w64-mingw32-objdump -p "$dist/$program.exe" | sed -n 's/^\s*DLL Name: //p' |
              grep -viE '^(kernel32|msvcrt|user32|advapi32|shell32|ucrtbase|api-ms-win-.*)\.dll$' || true)
    if [ -n "$foreign" ]; then
      echo "$program.exe needs DLLs that Windows lacks: $foreign" >&2
      exit 1
    fi
  fi
done
for file in README.txt LICENSE.txt examples/demo.bat examples/pluviografo_marco_2025.csv; do
  [ -f "$dist/$file" ] || { echo "missing in the release: $file" >&2; exit 1; }
done
# The Windows users' README, not the developers' one.
if grep -q "cmake" "$dist/README.txt"; then
  echo "the release's README.txt is the developers' README" >&2
  exit 1
fi
(cd "$dist" && find . -type f | sort)

echo "== end-to-end suite under Wine =="
wine=$(find_wine)
wineserver=$(find_wineserver "$wine")
export WINEPREFIX="$win_build/wine-prefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No desktop menus, no .NET or HTML engine installers, no window: nothing that
# could wait for a click on a machine without a screen.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "(making the Wine prefix $WINEPREFIX)"
  "$wine" wineboot --init >/dev/null 2>&1 || true
  "$wineserver" -w  # the prefix is complete once its server has saved it
fi
# One server for the whole suite instead of one per program run (a server
# already running for this prefix does as well).
"$wineserver" -p || true
trap '"$wineserver" -k 2>/dev/null || true' EXIT
# Wine starts its own services with the first program; start them here, so
# that they hold none of a test's streams open.
"$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true

export RAIN_BIN_DIR="$win_build/bin"
export RAIN_EXE_SUFFIX=.exe
export RAIN_LAUNCHER="$wine"
export RAIN_CONSOLE_CRLF=1
ctest --test-dir "$linux_build" -L '^e2e_tests$' --output-on-failure --timeout 300 -j2

echo "== the example from the release folder gives the Linux results =="
# examples/demo.bat as a user starts it (a double click: no parameters, results
# in "resultados" under the current folder) against demo.sh on Linux.
if [ -f "$dist/examples/demo.bat" ] && [ -x "$linux_build/bin/Fatia_Chuvadas" ]; then
  demo="$win_build/demo"
  rm -rf "$demo"
  mkdir -p "$demo/windows"
  examples/demo.sh "$linux_build/bin" "$demo/linux" >/dev/null
  (cd "$demo/windows" && "$wine" cmd /c "Z:${dist//\//\\}\\examples\\demo.bat" </dev/null >/dev/null 2>&1) || true
  if ! diff -r "$demo/linux" "$demo/windows/resultados"; then
    echo "examples/demo.bat and examples/demo.sh give different results" >&2
    exit 1
  fi
  # From cmd in the release folder, with both folders relative to it.
  (cd "$dist" && "$wine" cmd /c "examples\\demo.bat . ..\\demo\\relativo" </dev/null >/dev/null 2>&1) || true
  if ! diff -r "$demo/linux" "$demo/relativo"; then
    echo "examples/demo.bat given relative folders gives different results" >&2
    exit 1
  fi
  echo "same files: $(cd "$demo/linux" && find . -type f | wc -l)"
fi
