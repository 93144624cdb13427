# Sourced by the Wine scripts: the project's own prefix, Japanese locale
# (ANSI code page 932, as on Japanese Windows) and a quiet Wine.
# KORVANE_LANG=en_US.UTF-8 makes an English Windows: a prefix of its own,
# made in English, so that its interface fonts are the Latin ones an English
# Windows has rather than the Japanese prefix's.
KORVANE_ROOT=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
export LANG="${KORVANE_LANG:-ja_JP.UTF-8}"
export LC_ALL="$LANG"
case "$LANG" in
    ja_*) korvane_prefix=wineprefix ;;
    *) korvane_prefix=wineprefix-en ;;
esac
export WINEPREFIX="${KORVANE_WINEPREFIX:-$KORVANE_ROOT/build/$korvane_prefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
