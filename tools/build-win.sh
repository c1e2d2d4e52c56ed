#!/bin/bash
# Configures (once) and builds the Windows builds: both architectures, or
# the one QV_ARCH forces. Usage: tools/build-win.sh [arch...]
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/arch.sh
arches=("$@")
[ ${#arches[@]} -gt 0 ] || read -r -a arches <<< "$QV_ARCHES_BUILT"
for arch in "${arches[@]}"; do
  qv_check_arch "$arch"
  # The plug-ins link libjpeg-turbo and libpng built from Debian's sources.
  tools/build-deps.sh "$arch"
  dir=$(qv_build_dir "$arch")
  [ -f "$dir/build.ninja" ] || cmake --preset "win-$arch" >/dev/null
  echo "build-win: $arch"
  cmake --build "$dir"
done
