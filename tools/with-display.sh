#!/bin/sh
# Runs a command with an X display: the caller's, or a private Xvfb that is
# stopped again afterwards, of 1024 x 768 pixels unless KORVANE_SCREEN says
# otherwise (as WIDTHxHEIGHTxDEPTH). The Wine server is kept alive for the
# whole run so that each test program starts quickly.
set -eu
. "$(dirname -- "$0")/wine-env.sh"

xvfb_pid=""
# Every step succeeds, so that the command's own exit status is the script's.
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    if [ -n "${fifo_dir:-}" ]; then rm -rf "$fifo_dir"; fi
}
trap cleanup EXIT INT TERM

if [ -z "${DISPLAY:-}" ]; then
    fifo_dir=$(mktemp -d)
    mkfifo "$fifo_dir/display"
    Xvfb -displayfd 3 -screen 0 "${KORVANE_SCREEN:-1024x768x24}" -nolisten tcp \
        3>"$fifo_dir/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r num < "$fifo_dir/display"
    export DISPLAY=":$num"
fi

"$KORVANE_ROOT/tools/wine-prefix.sh"
wineserver -p >/dev/null 2>&1
# Wine's own background processes start with the first program of a session;
# start them here, detached from the output that ctest waits on.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
"$@"
