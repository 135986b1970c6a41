#!/usr/bin/env bash
# Dependencies run one way: a folder of src/ includes headers only from itself and the folders
# before it in this order. Files directly in src/ (the program's entry) join all of them.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(base settings overlays saver app config dialogs)

rank() {
    local i
    for i in "${!layers[@]}"; do
        if [ "${layers[$i]}" = "$1" ]; then
            echo "$i"
            return
        fi
    done
    echo -1
}

status=0
for dir in src/*/; do
    folder=$(basename "$dir")
    own=$(rank "$folder")
    if [ "$own" -lt 0 ]; then
        echo "check-layers: src/$folder is not a known layer (${layers[*]})" >&2
        status=1
        continue
    fi
    # Every quoted include that names a folder: file:line:folder/header
    while IFS= read -r hit; do
        [ -n "$hit" ] || continue
        included=${hit##*#include \"}
        target=${included%%/*}
        other=$(rank "$target")
        if [ "$other" -gt "$own" ]; then
            echo "check-layers: ${hit%%:#include*} ($folder) includes $target/: ${included%\"*}" >&2
            status=1
        fi
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[A-Za-z_]+/' "$dir" \
        --include='*.h' --include='*.cpp' | sed -E 's/:[[:space:]]*#[[:space:]]*include[[:space:]]*"/:#include "/' || true)
done

if [ "$status" -ne 0 ]; then
    echo "check-layers: order is ${layers[*]} (a folder includes only its own and earlier ones)" >&2
fi
exit "$status"
