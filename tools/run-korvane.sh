#!/bin/sh
# Starts korvane.exe under Wine. With a display of your own the pad appears
# there and this command returns when Korvane exits. Without one, Korvane runs
# on a private Xvfb for a few seconds and a screenshot lands in build/.
set -eu
. "$(dirname -- "$0")/wine-env.sh"
exe="$KORVANE_ROOT/build/win/bin/korvane.exe"

if [ -n "${DISPLAY:-}" ]; then
    "$KORVANE_ROOT/tools/wine-prefix.sh"
    exec wine "$exe"
fi

shot="$KORVANE_ROOT/build/korvane-screen.png"
"$KORVANE_ROOT/tools/with-display.sh" sh -c '
    wine "$1" &
    pid=$!
    i=0
    while [ $i -lt 100 ] && kill -0 $pid 2>/dev/null; do
        xdotool search --name "^Korvane\$" >/dev/null 2>&1 && break
        sleep 0.2; i=$((i + 1))
    done
    if kill -0 $pid 2>/dev/null; then
        sleep 1
        import -window root "$2"
        echo "Korvane is running on a private display; screenshot: $2"
    else
        wait $pid || true
        echo "Korvane finished its start-up and ended (no display of yours to show it on)."
    fi' sh "$exe" "$shot"
