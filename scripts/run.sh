#!/usr/bin/env bash
# Builds Brindle and its documents (no tests) and starts it in a working folder staged under
# build/: build/release/examples, with the built documents in Tools/ and, from the first run
# on, a copy of examples/Samples that the runs after keep (delete it to start afresh).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/deps.sh"
# The SERVICES menu opens the reference card and the quick help in the desktop's viewers.
brindle_packages+=(xdg-utils mupdf xchm)
brindle_install_deps

cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=OFF -DBRINDLE_BENCH=OFF
cmake --build "$root/build/release"
work="$root/build/release/examples"
[ -d "$work/Samples" ] || cp -R "$root/examples/Samples" "$work/Samples"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Brindle is built ($root/build/release/src/app/brindle), but this machine has no display:"
  echo "DISPLAY and WAYLAND_DISPLAY are not set. Run this command from a desktop session,"
  echo "or under a virtual display: xvfb-run $0"
  exit 1
fi
cd "$work"
exec "$root/build/release/src/app/brindle"
