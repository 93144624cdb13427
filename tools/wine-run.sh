#!/bin/sh
# Runs a Windows program of the build under Wine in the project prefix.
set -eu
. "$(dirname -- "$0")/wine-env.sh"
"$KORVANE_ROOT/tools/wine-prefix.sh"
exec wine "$@"
