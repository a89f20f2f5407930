#!/usr/bin/env bash
# Draws all 23 structures with orbiza-render at a tilted view and lays them
# out on one sheet: docs/contact-sheet.png. Needs a built tree and ImageMagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
render=${1:-$root/build/cli/orbiza-render}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
labels=()
for row in $(seq 1 23); do
    name=$("$render" --list | sed -n "${row}p" | sed -E "s/^ *[0-9]+ +//")
    "$render" --angles 0.5,0.6,0.15 --time 0.8 --output "$work/$(printf %02d "$row").png" "$row"
    labels+=(-label "$row $name" "$work/$(printf %02d "$row").png")
done
mkdir -p "$root/docs"
montage -background '#202020' -fill white -pointsize 14 "${labels[@]}" \
    -tile 6x -geometry 282x259+4+4 -depth 8 "$root/docs/contact-sheet.png"
echo "wrote docs/contact-sheet.png"
