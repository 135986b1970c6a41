#!/usr/bin/env bash
# Dependencies run one way: a folder of src/ includes headers only from itself and the folders it
# builds on, listed below. Files directly in src/ (the program's entry) join all of them.
#
#   base <- settings <- overlays <- saver <- app
#   base <- picture ----------------^  ^
#   base <- media <- overlays          |
#   config builds on base, settings, picture, media and overlays, never on saver or app.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A builds_on=(
    [base]=""
    [settings]="base"
    [picture]="base"
    [media]="base"
    [overlays]="base settings media"
    [saver]="base settings picture media overlays"
    [app]="base settings picture media overlays saver"
    [config]="base settings picture media overlays"
)

status=0
for dir in src/*/; do
    folder=$(basename "$dir")
    if [ -z "${builds_on[$folder]+known}" ]; then
        echo "check-layers: src/$folder is not a known layer (${!builds_on[*]})" >&2
        status=1
        continue
    fi
    allowed=" $folder ${builds_on[$folder]} "
    # Every quoted include that names a folder: file:line:#include "folder/header"
    while IFS= read -r hit; do
        [ -n "$hit" ] || continue
        included=${hit##*#include \"}
        target=${included%%/*}
        if [[ "$allowed" != *" $target "* ]]; then
            echo "check-layers: ${hit%%:#include*} ($folder) includes $target/: ${included%\"*}" >&2
            status=1
        fi
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[A-Za-z_]+/' "$dir" \
        --include='*.h' --include='*.cpp' | sed -E 's/:[[:space:]]*#[[:space:]]*include[[:space:]]*"/:#include "/' || true)
done

if [ "$status" -ne 0 ]; then
    echo "check-layers: see the map at the top of scripts/check-layers.sh" >&2
fi
exit "$status"
