#!/bin/bash
# Runs a Windows program under the project's test prefix (used by CTest as the
# emulator of the cross build).
QV_PREFIX_KIND="${QV_PREFIX_KIND:-test}"
. "$(dirname "$0")/wine-env.sh"
exec wine "$@"
