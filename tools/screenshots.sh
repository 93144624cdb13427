#!/bin/sh
# Retakes the README's pictures in docs/images/ from the real program: builds
# korvane.exe and the screenshot tour, then lets the tour take Korvane through
# what a user sees on a private Xvfb, capturing each sight with ImageMagick:
# at 100 % display scaling on a screen of 1024 x 768 pixels, then at 150 and
# 200 % on one of 2048 x 1536, where the larger windows fit; the English
# interface (an English Windows) into docs/images/en/, the Japanese one into
# docs/images/.
# Not part of `make test`; run it after a change that shows on the screen.
set -eu
root=$(CDPATH= cd -- "$(dirname -- "$0")/.." && pwd)
cd "$root"
make build
cmake --build build/win --target screenshot_tour

# A private display of a fixed size, whatever display the caller has.
# $1: the screen's size; $2: which tour; $3: the Windows language (LANG);
# $4: the folder of the pictures.
tour() {
    mkdir -p "$4"
    env -u DISPLAY KORVANE_SCREEN="$1" KORVANE_LANG="$3" tools/with-display.sh sh -c '
    set -eu
    out="$1"
    dir=$(mktemp -d)
    trap "rm -rf \"$dir\"" EXIT
    mkfifo "$dir/shots" "$dir/answers"
    wine build/win/bin/screenshot_tour.exe $2 < "$dir/answers" > "$dir/shots" 2>/dev/null &
    exec 3> "$dir/answers"
    cr=$(printf "\r")
    result=""
    # The tour writes Windows lines: the carriage return ends the last word.
    while read -r word name x y w h; do
        word=${word%"$cr"} name=${name%"$cr"} h=${h%"$cr"}
        case "$word" in
            shot)
                import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/$name.png"
                echo "  $name.png (${w}x${h})"
                echo done >&3 ;;
            end) result=done ;;
            failed) result="$name $x $y $w $h" ;;
        esac
    done < "$dir/shots"
    exec 3>&-
    wait
    if [ "$result" != done ]; then
        echo "screenshots: the tour stopped, waiting for ${result:-nothing it said}" >&2
        exit 1
    fi' sh "$4" "$2"
}
for language in ja_JP.UTF-8 en_US.UTF-8; do
    case "$language" in
        ja*) pictures="$root/docs/images" ;;
        *) pictures="$root/docs/images/en" ;;
    esac
    tour 1024x768x24 "" "$language" "$pictures"
    tour 2048x1536x24 scaled "$language" "$pictures"
done
