#!/usr/bin/env bash
# Checks that the sources match the checked-in style, then builds Brindle and runs every test
# twice: an optimised build, then a build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/deps.sh"
# The format check uses the formatter of this Debian release, as the checked-in style expects.
brindle_packages+=(clang-format)
brindle_install_deps

export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

echo "== Format check (.clang-format)"
unformatted=()
while IFS= read -r -d '' file; do
  clang-format --dry-run --Werror "$root/$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git -C "$root" ls-files -z -- '*.cpp' '*.h')
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "These sources do not match .clang-format (run clang-format -i on them):"
  printf '  %s\n' "${unformatted[@]}"
  exit 1
fi
echo "All sources match .clang-format."

# No change may break the Windows build. Once windows.sh has built the Windows Qt on this machine
# (it keeps it in ~/.cache/brindle), the whole Windows build and its tests under Wine run here;
# elsewhere every source is compiled for Windows against the Qt headers, in a few minutes.
if (started=$SECONDS; source "$root/scripts/windows-qt.sh" && windows_qt_built); then
  echo "== Windows build and its tests under Wine (scripts/windows.sh)"
  "$root/scripts/windows.sh"
else
  echo "== Windows compile check (scripts/windows-check.sh)"
  "$root/scripts/windows-check.sh"
fi

echo "== Optimised build and tests"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DBUILD_TESTING=ON -DBRINDLE_BENCH=ON
cmake --build "$root/build/release" -j "$jobs"
ctest --test-dir "$root/build/release" --output-on-failure -j "$jobs"

echo "== Fuzzing the program-file reader and the stored-code reader (${BRINDLE_FUZZ_SECONDS:-30} s each)"
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRINDLE_FUZZ=ON >/dev/null
cmake --build "$root/build/fuzz" -j "$jobs" --target fuzz_tabchange fuzz_storedcode
for target in tabchange storedcode; do
  corpus="$root/build/fuzz/corpus-$target"
  mkdir -p "$corpus"
  cp -n "$root"/fuzz/seeds/"$target"/* "$corpus"/ 2>/dev/null || true
  log="$root/build/fuzz/$target.log"
  if ! ASAN_OPTIONS=detect_leaks=0 "$root/build/fuzz/fuzz/fuzz_$target" \
       -max_total_time="${BRINDLE_FUZZ_SECONDS:-30}" -print_final_stats=1 "$corpus" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$target found a failing input (see above)"
    exit 1
  fi
  grep -E "^Done" "$log"
done

echo "== Sanitizer build and tests"
cmake -S "$root" -B "$root/build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRINDLE_SANITIZE=ON
cmake --build "$root/build/asan" -j "$jobs"
UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$root/build/asan" --output-on-failure -j "$jobs"
