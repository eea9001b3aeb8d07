#!/usr/bin/env bash
# What windows.sh and windows-check.sh share: where the Windows Qt is kept, how it is
# configured, and how Debian's qt6-base source package is fetched. Sourced, not run.

triple=x86_64-w64-mingw32
cache="${XDG_CACHE_HOME:-$HOME/.cache}/brindle"
host_multiarch="$(dpkg-architecture -qDEB_HOST_MULTIARCH)"

# The host Qt's Debian version (6.4.2+dfsg-10) and its upstream part (6.4.2).
host_qt_deb="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
host_qt_upstream="${host_qt_deb#*:}"
host_qt_upstream="${host_qt_upstream%-*}"
qt_version="${host_qt_upstream%%+*}"
qt_prefix="$cache/qt-$qt_version-win64-static"
qt_work="$cache/work/qt-$qt_version"

# What the Windows Qt is made of: Core, Gui, Widgets and Test, the windows platform plugin,
# PNG images; everything bundled, nothing Brindle does not use.
qt_configure_options=(
  -static -static-runtime -release
  -xplatform win32-g++
  -nomake examples -nomake tests
  -no-opengl -no-dbus -no-icu -no-pkg-config
  -qt-zlib -qt-libpng -no-libjpeg -qt-pcre -qt-harfbuzz -qt-freetype -qt-doubleconversion
  -no-feature-network -no-feature-sql -no-feature-xml -no-feature-concurrent
  -no-feature-printsupport
  # Debian's source tarball leaves out the Wintab headers that tablet events are built on.
  -no-feature-tabletevent
)
qt_stamp_text="qt6-base $host_qt_upstream ${qt_configure_options[*]} $(sha256sum <"$root/cmake/mingw-w64-x86_64.cmake")"

stage() { printf '\n== %s (%d s so far)\n' "$*" $((SECONDS - started)); }

# Runs apt-get with an apt configuration of our own that lists the deb-src entries matching the
# machine's own deb entries; the system's sources and package lists are left as they are.
brindle_apt() {
  local dir="$cache/apt"
  if [ ! -f "$dir/apt.conf" ]; then
    mkdir -p "$dir/sources.list.d" "$dir/lists/partial" "$dir/cache/archives/partial"
    # Each repository, suite and component the machine installs binary packages from.
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' \
      | sort -u | sed 's/^/deb-src /' >"$dir/sources.list.new"
    if [ ! -s "$dir/sources.list.new" ]; then
      echo "windows: apt knows no package repository on this machine (run apt-get update)." >&2
      exit 1
    fi
    mv "$dir/sources.list.new" "$dir/sources.list"
    cat >"$dir/apt.conf" <<CONF
Dir::Etc::SourceList "$dir/sources.list";
Dir::Etc::SourceParts "$dir/sources.list.d";
Dir::State::Lists "$dir/lists";
Dir::Cache "$dir/cache";
APT::Sandbox::User "$(id -un)";
CONF
  fi
  APT_CONFIG="$dir/apt.conf" apt-get "$@"
}

# Fetches Debian's qt6-base source package (once; it is kept in $qt_work/download) and unpacks
# its upstream tarball into the folder given.
fetch_qt_source() {
  local into="$1" dl="$qt_work/download"
  mkdir -p "$dl"
  if ! ls "$dl"/qt6-base_"$host_qt_upstream".orig.tar.* >/dev/null 2>&1; then
    stage "Fetching the qt6-base $host_qt_deb source package"
    brindle_apt update -qq
    # The exact version the host has; otherwise any revision of the same upstream release.
    (cd "$dl" && { brindle_apt source --download-only "qt6-base=$host_qt_deb" ||
      brindle_apt source --download-only qt6-base; })
  fi
  local orig
  orig="$(ls "$dl"/qt6-base_"$host_qt_upstream".orig.tar.* 2>/dev/null | head -n 1)"
  if [ -z "$orig" ]; then
    echo "windows: no qt6-base $host_qt_upstream source tarball in $dl:" >&2
    ls -l "$dl" >&2
    exit 1
  fi
  rm -rf "$into"
  mkdir -p "$into"
  stage "Unpacking $(basename "$orig")"
  tar -xf "$orig" -C "$into" --strip-components=1
}

# Configures the Windows Qt from the source in $1 into the build folder $2.
configure_qt() {
  local src="$1" build="$2"
  mkdir -p "$build" "$cache"
  # Qt's installed toolchain file loads this one by its path, so it is kept beside the Qt.
  cp "$root/cmake/mingw-w64-x86_64.cmake" "$cache/mingw-w64-x86_64.cmake"
  (cd "$build" && "$src/configure" -prefix "$qt_prefix" "${qt_configure_options[@]}" \
    -qt-host-path /usr -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$cache/mingw-w64-x86_64.cmake" \
    -DQt6HostInfo_DIR="/usr/lib/$host_multiarch/cmake/Qt6HostInfo")
}

# Whether windows.sh has built the Windows Qt of this configuration.
windows_qt_built() {
  [ -f "$qt_prefix/brindle-qt.stamp" ] && [ "$(cat "$qt_prefix/brindle-qt.stamp")" = "$qt_stamp_text" ]
}
