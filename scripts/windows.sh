#!/usr/bin/env bash
# Builds the Windows version of Brindle on Debian and tests it under Wine:
#   build/windows/Brindle-<version>-win64.zip  with brindle.exe, Samples/ and Tools/.
#
# The first run builds a static Qt for Windows from Debian's own qt6-base source package (the
# version the host Qt has) and keeps it in ~/.cache/brindle (or $XDG_CACHE_HOME/brindle); later
# runs only build Brindle. `./scripts/windows.sh qt` stops once that Qt is ready.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/deps.sh"
brindle_packages+=(g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev xz-utils zip x11-utils x11-apps)
brindle_install_deps

started=$SECONDS
jobs="${BRINDLE_JOBS:-$(nproc)}"
source "$root/scripts/windows-qt.sh"

build_qt() {
  if windows_qt_built; then
    echo "Using the static Qt $qt_version for Windows in $qt_prefix"
    return
  fi
  rm -rf "$qt_prefix" "$qt_work/build"
  fetch_qt_source "$qt_work/src"
  stage "Configuring Qt $qt_version for Windows (static)"
  configure_qt "$qt_work/src" "$qt_work/build"
  stage "Building Qt $qt_version for Windows with $jobs jobs (about half an hour on 2 cores)"
  nice -n 19 cmake --build "$qt_work/build" --parallel "$jobs"
  cmake --install "$qt_work/build"
  printf '%s' "$qt_stamp_text" >"$qt_prefix/brindle-qt.stamp"
  # The build folder takes gigabytes; the installed Qt and the downloaded sources stay.
  rm -rf "$qt_work/build" "$qt_work/src"
  stage "Qt $qt_version for Windows is in $qt_prefix"
}

build_qt
[ "${1:-}" = qt ] && exit 0

out="$root/build/windows"

# The reference card and the quick help are made by the tools of a host build.
stage "Making the reference card and the quick help with a host build"
cmake -S "$root" -B "$out/host" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$out/host" --parallel "$jobs" --target brindle_reference_card brindle_quick_help

stage "Building Brindle for Windows"
# -static links the C++ and thread runtimes into each program too, so no DLL is shipped.
cmake -S "$root" -B "$out/brindle" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DCMAKE_EXE_LINKER_FLAGS=-static \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v wine)" >/dev/null
cmake --build "$out/brindle" --parallel "$jobs"

exe="$out/brindle/src/app/brindle.exe"
dlls="$("$triple-objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | sort -u)"
echo "brindle.exe imports from: $(echo $dlls)"
if echo "$dlls" | grep -qiE '^(Qt6|lib(stdc\+\+|gcc|winpthread))'; then
  echo "windows.sh: brindle.exe needs DLLs that are not part of Windows." >&2
  exit 1
fi

stage "Packing the zip"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/brindle/CMakeCache.txt")"
name="Brindle-$version-win64"
package="$out/$name"
rm -rf "$package" "$package.zip"
mkdir -p "$package/Samples" "$package/Tools"
"$triple-strip" -o "$package/brindle.exe" "$exe"
# The example program; the snippet library starts empty.
find "$root/examples/Samples" -maxdepth 1 -type f -iname '*.txt' ! -iname 'MyCode.Txt' \
  -exec cp {} "$package/Samples/" \;
: >"$package/Samples/MyCode.Txt"
cp "$out/host/examples/Tools/ReferenceCard.pdf" "$out/host/examples/Tools/Brindle.chm" "$package/Tools/"
(cd "$out" && zip -q -r -X "$name.zip" "$name")
ls -l "$package/brindle.exe" "$package.zip"
(cd "$out" && unzip -l "$name.zip")

# Wine in a prefix of its own; without Mono and Gecko, which Brindle does not use.
export WINEPREFIX="$cache/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  stage "Creating the Wine prefix $WINEPREFIX"
  wineboot --init
fi
# Wine hands Windows programs no QT_* variable of the Unix environment, so the prefix's own
# environment carries the one that sends the tests' output to stdout, where CTest reads it (a
# program without a console window would log to the debugger). Arial, the window's font,
# is drawn with its metric twin Liberation Sans (Debian package fonts-liberation2).
wine reg add 'HKCU\Environment' /v QT_FORCE_STDERR_LOGGING /d 1 /f >/dev/null
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans' /f >/dev/null
wineserver --wait

stage "Starting brindle.exe under Wine on a virtual display, then the tests"
xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" \
  "$root/scripts/wine-checks.sh" "$package" "$out/brindle"
