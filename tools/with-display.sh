#!/bin/sh
# Runs a command with an X display: the caller's, or a private Xvfb that is
# stopped again afterwards, of 1024 x 768 pixels unless KORVANE_SCREEN says
# otherwise (as WIDTHxHEIGHTxDEPTH). Both prefixes, Japanese and English
# (tools/wine-env.sh), are made first; the Wine server of the language of the
# run is kept alive for the whole run so that each test program starts quickly.
#
# KORVANE_MONITORS gives the private display several monitors, as Windows
# places them: WIDTHxHEIGHT+LEFT+TOP each (signs as in 1280x1024-1280-512),
# the primary first at +0+0. KORVANE_WORK_AREA (LEFT,TOP,RIGHT,BOTTOM in the
# same coordinates) is the desktop less its taskbars; each monitor's work
# area is its part of it.
set -eu
. "$(dirname -- "$0")/wine-env.sh"

# Runs a command in the Wine of the language $1.
in_wine_of() {
    (
        export KORVANE_LANG="$1"
        shift
        . "$KORVANE_ROOT/tools/wine-env.sh"
        "$@"
    )
}
languages="ja_JP.UTF-8 en_US.UTF-8"

xvfb_pid=""
# Every step succeeds, so that the command's own exit status is the script's.
cleanup() {
    for language in $languages; do
        in_wine_of "$language" wineserver -k >/dev/null 2>&1 || true
    done
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    if [ -n "${fifo_dir:-}" ]; then rm -rf "$fifo_dir"; fi
}
trap cleanup EXIT INT TERM

# One monitor's "w h x y" from WIDTHxHEIGHT+LEFT+TOP.
monitor_fields() {
    echo "$1" | sed 's/^\([0-9]*\)x\([0-9]*\)\([+-][0-9]*\)\([+-][0-9]*\)$/\1 \2 \3 \4/; s/+//g'
}

# One X screen holds every monitor: their union, in X's coordinates, which
# start at the union's top-left corner.
monitors="${KORVANE_MONITORS:-}"
if [ -n "$monitors" ]; then
    left=0 top=0 right=0 bottom=0
    for m in $monitors; do
        read -r w h x y <<EOF_MONITOR
$(monitor_fields "$m")
EOF_MONITOR
        [ "$x" -lt "$left" ] && left=$x
        [ "$y" -lt "$top" ] && top=$y
        [ $((x + w)) -gt "$right" ] && right=$((x + w))
        [ $((y + h)) -gt "$bottom" ] && bottom=$((y + h))
    done
    KORVANE_SCREEN="$((right - left))x$((bottom - top))x24"
fi

if [ -z "${DISPLAY:-}" ]; then
    fifo_dir=$(mktemp -d)
    mkfifo "$fifo_dir/display"
    # With monitors, -noreset: the work area set on the root window stays
    # when the last client leaves.
    Xvfb -displayfd 3 -screen 0 "${KORVANE_SCREEN:-1024x768x24}" -nolisten tcp \
        ${monitors:+-noreset} 3>"$fifo_dir/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r num < "$fifo_dir/display"
    export DISPLAY=":$num"
    if [ -n "$monitors" ]; then
        # The first monitor takes the screen's output and so is the primary;
        # Wine's display driver reads them through the 32-bit Xinerama library.
        i=0
        for m in $monitors; do
            read -r w h x y <<EOF_MONITOR
$(monitor_fields "$m")
EOF_MONITOR
            output=none
            [ $i -eq 0 ] && output=screen
            # Millimetres as at 96 DPI.
            xrandr --setmonitor "korvane$i" \
                "$w/$((w * 254 / 960))x$h/$((h * 254 / 960))+$((x - left))+$((y - top))" \
                "$output" >/dev/null
            i=$((i + 1))
        done
        if [ -n "${KORVANE_WORK_AREA:-}" ]; then
            IFS=, read -r wl wt wr wb <<EOF_WORK
$KORVANE_WORK_AREA
EOF_WORK
            xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA \
                "$((wl - left)),$((wt - top)),$((wr - wl)),$((wb - wt))"
        fi
    fi
fi

for language in $languages; do
    in_wine_of "$language" "$KORVANE_ROOT/tools/wine-prefix.sh"
done
wineserver -p >/dev/null 2>&1
# Wine's own background processes start with the first program of a session;
# start them here, detached from the output that ctest waits on. Only the
# prefix of this run's language stays up: with a second prefix's session on
# the same display, right clicks on the pad stopped opening its menu. A
# program of the other language starts that prefix's session, which ends
# with it.
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
"$@"
