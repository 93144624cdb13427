#!/bin/sh
# Creates the project-local Wine prefix of the language (tools/wine-env.sh)
# once: Japanese fonts for the names the program asks for, and no debugger
# that would wait forever on a crash. The Japanese prefix also sets its dialog
# font in Japanese; the English one keeps the Latin fonts wineboot chose.
set -eu
. "$(dirname -- "$0")/wine-env.sh"

# The stamp records this script's checksum: changing the script remakes the prefix.
stamp="$WINEPREFIX/.korvane-ready"
version=$(cksum < "$0")
[ -f "$stamp" ] && [ "$(cat "$stamp")" = "$version" ] && exit 0

wineserver -k >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname -- "$WINEPREFIX")"
wineboot --init >/dev/null 2>&1
# This Wine looks for its own fonts (Debian's fonts-wine) only in the
# prefix's font folder. Window captions draw their buttons with Marlett; an
# English Windows shows its interface in Tahoma, the face wineboot chose for
# the English prefix, which would otherwise fall back to a Japanese font.
wine_fonts=/usr/share/wine/fonts
case "$LANG" in
    ja_*) own_fonts=marlett.ttf ;;
    *) own_fonts="marlett.ttf tahoma.ttf tahomabd.ttf" ;;
esac
for font in $own_fonts; do
    if [ -f "$wine_fonts/$font" ]; then cp "$wine_fonts/$font" "$WINEPREFIX/drive_c/windows/Fonts/"; fi
done
reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
cat > "$reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
REG
case "$LANG" in
    ja_*) cat >> "$reg" <<'REG'
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"
REG
    ;;
esac
cat >> "$reg" <<'REG'

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Debugger"=""
"Auto"="1"

; Without a window manager (Xvfb) managed windows wait for one on every
; activation; unmanaged windows are activated at once.
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
# The font names are Japanese: hand regedit a UTF-16 file with its byte order mark.
iconv -f UTF-8 -t UTF-16LE "$reg" | { printf '\377\376'; cat; } > "$reg.u16"
wine regedit /S "$(winepath -w "$reg.u16")" >/dev/null 2>&1
rm -f "$reg.u16"
wineserver -w
echo "$version" > "$stamp"
