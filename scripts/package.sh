#!/usr/bin/env bash
# Builds a release of Brindle and its Debian package, build/brindle_<version>_<arch>.deb, then
# checks the package: lintian, desktop-file-validate and appstreamcli on what it installs, and a
# first start of the packaged program from its menu entry with an empty home folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/deps.sh"
# dpkg-dev and file: the package's dependencies are read from the binary (dpkg-shlibdeps).
brindle_packages+=(dpkg-dev file lintian desktop-file-utils appstream)
brindle_install_deps

build="$root/build/package"
# Debian's build flags (hardening), as a Debian package build would use them.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DBUILD_TESTING=OFF -DBRINDLE_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$build"
rm -f "$root"/build/brindle_*.deb
(cd "$build" && cpack -G DEB -B "$root/build")
deb="$(ls "$root"/build/brindle_*.deb)"
echo "== Built $deb"

echo "== Checking the package"
failed=0
lintian --fail-on error,warning "$deb" || failed=1
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree/root"
for entry in "$tree"/root/usr/share/applications/*.desktop; do
  desktop-file-validate "$entry" || failed=1
done
for info in "$tree"/root/usr/share/metainfo/*.xml; do
  appstreamcli validate --no-net "$info" || failed=1
done

# Start the packaged program as its menu entry does, with an empty home folder, until the
# working folder is there: its samples must equal the installed ones and its documents must
# open through their links.
exec_line="$(sed -n 's/^Exec=//p' "$tree"/root/usr/share/applications/brindle.desktop)"
read -r -a command <<<"$exec_line"
command[0]="$tree/root/usr/bin/${command[0]}"
mkdir "$tree/home"
HOME="$tree/home" QT_QPA_PLATFORM=offscreen "${command[@]}" &
program=$!
for _ in $(seq 100); do
  [ -d "$tree/home/Brindle" ] && break
  sleep 0.1
done
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
work="$tree/home/Brindle"
if diff -r "$tree/root/usr/share/brindle/Samples" "$work/Samples" &&
   diff -r "$tree/root/usr/share/brindle/Tools" "$work/Tools"; then
  echo "First start from the menu entry: $work made from the installed files"
else
  echo "First start from the menu entry did not make the working folder $work"
  failed=1
fi

if [ "$failed" -ne 0 ]; then
  echo "== The package check failed (see above)"
  exit 1
fi
echo "== The package passed lintian, desktop-file-validate, appstreamcli and a first start"
