#!/bin/sh
# Lists every include that points up the floors: a folder may include only
# itself and the folders below it. Prints nothing and exits 0 when the floor
# plan holds. Tests, tools and the benchmark stand above every floor.
set -eu
cd "$(dirname -- "$0")/.."

floors="base objlib menulib forms commands settings dialogs pad app"

rank() {
    i=0
    for f in $floors; do
        [ "$f" = "$1" ] && { echo "$i"; return; }
        i=$((i + 1))
    done
    echo -1
}

# objlib and menulib share a floor: neither may include the other.
same_floor() {
    case "$1:$2" in
        objlib:menulib|menulib:objlib) return 0 ;;
    esac
    return 1
}

status=0
for folder in $floors; do
    own=$(rank "$folder")
    for file in $(find "$folder" -name '*.cpp' -o -name '*.h' | sort); do
        grep -n '^#include "' "$file" | while IFS= read -r line; do
            target=$(printf '%s\n' "$line" | sed -E 's/^[0-9]+:#include "([^/"]+)\/.*/\1/')
            [ "$target" = "$folder" ] && continue
            other=$(rank "$target")
            [ "$other" -lt 0 ] && continue
            if [ "$other" -gt "$own" ] || same_floor "$folder" "$target"; then
                echo "$file:${line%%:*}: $folder includes $target"
            fi
        done
    done
done | { if read -r first; then printf '%s\n' "$first"; cat; exit 1; fi; }
