#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Brindle need, when any
# of them is missing. Sourced by run.sh and test.sh.
set -euo pipefail

brindle_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-liberation2
  fp-utils poppler-utils
  clang libclang-rt-14-dev
  xvfb xauth
)

brindle_install_deps() {
  local missing=()
  for p in "${brindle_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
