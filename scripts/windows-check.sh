#!/usr/bin/env bash
# Checks in a few minutes that every source of Brindle and of its tests still compiles for
# Windows, without building the Windows Qt: Debian's qt6-base source is configured for Windows
# only far enough to have its headers (kept in ~/.cache/brindle), then each source is compiled
# with the MinGW-w64 compiler, syntax only, through Brindle's own CMake files for Windows.
# windows.sh builds, packs and tests the real thing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/deps.sh"
brindle_packages+=(g++-mingw-w64-x86-64-posix dpkg-dev xz-utils perl)
brindle_install_deps

started=$SECONDS
jobs="${BRINDLE_JOBS:-$(nproc)}"
source "$root/scripts/windows-qt.sh"

headers="$cache/work/qt-$qt_version-headers"
if [ ! -f "$headers/build/brindle-qt.stamp" ] ||
   [ "$(cat "$headers/build/brindle-qt.stamp")" != "$qt_stamp_text" ]; then
  fetch_qt_source "$headers/src"
  rm -rf "$headers/build"
  stage "Configuring Qt $qt_version for Windows, for its headers"
  configure_qt "$headers/src" "$headers/build" >"$headers/configure.log" 2>&1 || {
    tail -n 40 "$headers/configure.log"
    echo "windows-check.sh: configuring the Windows Qt failed (log: $headers/configure.log)" >&2
    exit 1
  }
  printf '%s' "$qt_stamp_text" >"$headers/build/brindle-qt.stamp"
fi

stage "Compiling every source for Windows, syntax only"
out="$root/build/windows-check"
cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON \
  -DBRINDLE_COMPILE_ONLY=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DQt6_DIR="$root/cmake/windows-check" \
  -DBRINDLE_QT_HEADERS="$headers/build" -DBRINDLE_QT_SOURCE="$headers/src" \
  -DCMAKE_PROJECT_INCLUDE="$root/cmake/windows-check/syntax-only.cmake" >/dev/null
# Only the object files and what they wait for; nothing runs.
mapfile -t objects < <(ninja -C "$out" -t targets all | sed -n 's/^\(.*\.obj\): .*/\1/p')
if [ ${#objects[@]} -eq 0 ]; then
  echo "windows-check.sh: the Windows build lists no source to compile." >&2
  exit 1
fi
if ! ninja -C "$out" -j "$jobs" -k 0 "${objects[@]}" >"$out/compile.log" 2>&1; then
  grep -E 'error|FAILED' "$out/compile.log" | head -n 60
  echo "windows-check.sh: some sources do not compile for Windows (log: $out/compile.log)" >&2
  exit 1
fi
stage "All ${#objects[@]} sources compile for Windows"
