#!/usr/bin/env bash
# Run by windows.sh on a virtual display (xvfb-run), with WINEPREFIX set: starts the packed
# brindle.exe under Wine in its own folder, waits for its window and takes a picture of it,
# then runs the cross-built tests under Wine through CTest.
#   wine-checks.sh PACKAGE_FOLDER WINDOWS_BUILD_FOLDER
set -euo pipefail
package="$1"
build="$2"

cd "$package"
wine "$package/brindle.exe" &
pid=$!
window=""
for _ in $(seq 1 120); do
  window="$(xwininfo -root -tree | awk '/"Brindle/ { print $1; exit }')"
  [ -n "$window" ] && break
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "wine-checks.sh: brindle.exe ended before showing its window." >&2
    exit 1
  fi
  sleep 0.5
done
if [ -z "$window" ]; then
  echo "wine-checks.sh: no Brindle window within 60 seconds." >&2
  kill "$pid"
  exit 1
fi
sleep 2 # let the first paint finish
xwininfo -id "$window" | sed -n 's/^xwininfo: //p; s/^ *\(Width\|Height\|Map State\)/ \1/p'
picture="$(dirname "$package")/brindle-wine.xwd"
xwd -silent -id "$window" >"$picture"
if [ -x /usr/bin/convert ]; then
  /usr/bin/convert "$picture" "${picture%.xwd}.png" && rm "$picture" && picture="${picture%.xwd}.png"
fi
echo "brindle.exe shows its window under Wine; picture: $picture"
kill "$pid"
wait "$pid" 2>/dev/null || true
wineserver --wait

cd "$build"
ctest --output-on-failure --timeout 300
