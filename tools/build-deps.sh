#!/bin/bash
# Cross-builds the picture libraries our plug-ins link statically
# (libjpeg-turbo, libpng) from Debian's own source packages, for one
# Windows architecture. zlib comes from libz-mingw-w64-dev.
#
#   tools/build-deps.sh <i686|x86_64>
#
# Result: build/deps/<arch>/prefix/{include,lib}, one stamp per library
# and version in it. A second run with the stamps in place does nothing.
# Source packages are fetched with a private apt configuration under
# build/deps/apt (its own deb-src list made from the machine's Debian
# sources, its own lists and cache), so the machine's apt setup is never
# changed.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
. tools/arch.sh
arch=${1:?usage: tools/build-deps.sh <i686|x86_64>}
qv_check_arch "$arch"

deps=$ROOT/build/deps
prefix=$deps/$arch/prefix
srcdir=$deps/src
apt_dir=$deps/apt
packages=(libjpeg-turbo libpng1.6)

stamp_of() { ls "$prefix"/.built-"$1"-* 2>/dev/null | head -n1; }

need=()
for p in "${packages[@]}"; do
  [ -n "$(stamp_of "$p")" ] || need+=("$p")
done
[ ${#need[@]} -eq 0 ] && exit 0

# The private apt configuration: deb-src twins of the machine's Debian
# entries (one-line and deb822 files alike).
apt_opts=(
  -o "Dir::Etc::SourceList=$apt_dir/sources.list"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
  -o "APT::Get::Only-Source=true"
)
make_private_sources() {
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  : > "$apt_dir/sources.list"
  local f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    sed -n -E 's/^[[:space:]]*deb[[:space:]]+(.*debian.*)$/deb-src \1/p' "$f" >> "$apt_dir/sources.list"
  done
  rm -f "$apt_dir"/sources.list.d/*.sources
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    # Keep the Debian stanzas only, each turned into its source twin.
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /URIs:[^\n]*debian/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' \
      "$f" > "$apt_dir/sources.list.d/$(basename "$f")"
  done
  if [ ! -s "$apt_dir/sources.list" ] && ! cat "$apt_dir"/sources.list.d/*.sources 2>/dev/null | grep -q deb-src; then
    echo "build-deps: no Debian entry in the machine's apt sources to take source packages from" >&2
    exit 1
  fi
}

# Fetches and unpacks one source package (Debian's patches applied) into
# build/deps/src; prints the unpacked folder. The newest version whose
# files the archive really serves is taken (a security update's files can
# be missing from a mirror that lists it).
fetch_source() {
  local pkg=$1 ver
  for ver in $(apt-cache "${apt_opts[@]}" showsrc "$pkg" | sed -n 's/^Version: //p' | sort -Vru); do
    local upstream=${ver#*:}; upstream=${upstream%-*}
    local folder="$srcdir/$pkg-$upstream"
    if [ -f "$folder/.unpacked" ]; then echo "$folder"; return 0; fi
    rm -rf "$folder" "$srcdir/work-$pkg"
    mkdir -p "$srcdir/work-$pkg"
    if (cd "$srcdir/work-$pkg" && apt-get "${apt_opts[@]}" -q source "$pkg=$ver" >/dev/null 2>&1); then
      local unpacked
      unpacked=$(find "$srcdir/work-$pkg" -mindepth 1 -maxdepth 1 -type d | head -n1)
      if [ -n "$unpacked" ]; then
        mv "$unpacked" "$folder"
        rm -rf "$srcdir/work-$pkg"
        touch "$folder/.unpacked"
        echo "$folder"
        return 0
      fi
    fi
    echo "build-deps: $pkg $ver could not be fetched; trying an older version" >&2
  done
  rm -rf "$srcdir/work-$pkg"
  echo "build-deps: no source package of $pkg could be fetched" >&2
  return 1
}

mingw=$(qv_mingw "$arch")
toolchain=$ROOT/cmake/toolchain-mingw-$arch.cmake
common=(
  -G Ninja -Wno-dev
  -DCMAKE_TOOLCHAIN_FILE="$toolchain"
  -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_INSTALL_PREFIX="$prefix"
  -DCMAKE_INSTALL_LIBDIR="$prefix/lib"
  -DCMAKE_INSTALL_INCLUDEDIR="$prefix/include"
)

build_one() {
  local pkg=$1 src=$2 bdir=$deps/$arch/build-$pkg
  rm -rf "$bdir"; mkdir -p "$bdir" "$prefix"
  case $pkg in
    libjpeg-turbo)
      cmake -S "$src" -B "$bdir" "${common[@]}" \
        -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF \
        -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm >/dev/null ;;
    libpng1.6)
      cmake -S "$src" -B "$bdir" "${common[@]}" \
        -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DPNG_FRAMEWORK=OFF \
        -DZLIB_INCLUDE_DIR=/usr/$mingw/include -DZLIB_LIBRARY=/usr/$mingw/lib/libz.a >/dev/null ;;
  esac
  cmake --build "$bdir" >/dev/null
  cmake --install "$bdir" >/dev/null
  rm -rf "$bdir"
}

make_private_sources
echo "build-deps: reading the source package index"
apt-get "${apt_opts[@]}" -q update >/dev/null
mkdir -p "$srcdir"
for pkg in "${need[@]}"; do
  start=$SECONDS
  src=$(fetch_source "$pkg")
  echo "build-deps: building $(basename "$src") for $arch"
  build_one "$pkg" "$src"
  rm -f "$prefix"/.built-"$pkg"-*
  touch "$prefix/.built-$pkg-$(basename "$src" | sed "s/^$pkg-//")"
  echo "build-deps: $(basename "$src") for $arch took $((SECONDS - start)) s"
done
