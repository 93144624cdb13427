# Sourced by the Wine scripts: the project's own prefix, Japanese locale
# (ANSI code page 932, as on Japanese Windows; KORVANE_LANG=en_US.UTF-8 makes
# an English Windows of the same prefix) and a quiet Wine.
KORVANE_ROOT=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
export WINEPREFIX="${KORVANE_WINEPREFIX:-$KORVANE_ROOT/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export LANG="${KORVANE_LANG:-ja_JP.UTF-8}"
export LC_ALL="$LANG"
