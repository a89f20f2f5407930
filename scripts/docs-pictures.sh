#!/usr/bin/env bash
# Makes docs/morph.png with orbiza-render and docs/window.png from the real
# viewer on a virtual X server (xvfb-run, xdotool, ImageMagick's import):
# "Sphere" selected, the axes shown, turned by 0.4, 0.6 and 0.2 with the buttons.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
QT_QPA_PLATFORM=offscreen "$build/cli/orbiza-render" --axes --angles 0.5,0.6,0.15 --time 0.785398 \
    --output "$root/docs/morph.png" "Sphere-Torus Transformation"

inside=$(mktemp)
trap 'rm -f "$inside"' EXIT
cat >"$inside" <<'INSIDE'
set -eu
"$1" & app=$!
window=$(timeout 20 xdotool search --sync --name '^Orbiza$' | head -n 1)
sleep 1
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.2; }
click 660 92                 # "Cube", the list's first row
xdotool key Down Down Down   # down to "Sphere"
click 650 183                # "Show 3D axis"
for i in 1 2 3 4; do click 700 260; done       # X "+"
for i in 1 2 3 4 5 6; do click 700 292; done   # Y "+"
for i in 1 2; do click 700 324; done           # Z "+"
sleep 0.5
import -window "$window" "$2"
kill $app
INSIDE
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" sh "$inside" "$build/app/orbiza" "$root/docs/window.png"
echo "wrote docs/morph.png and docs/window.png"
