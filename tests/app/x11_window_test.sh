#!/bin/sh
# Starts the real viewer on a virtual X server, checks the size of its client
# area and that its control column is drawn; then again with Qt scaling it by
# 2, where its drawing area, "Cube" picked, holds `orbiza-render --scale 2
# Cube` pixel for pixel. Exit 77 means skipped.
binary=$1 render=$2
for tool in xvfb-run xdotool xwininfo import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/inside.sh" <<'INSIDE'
#!/bin/sh
work=$1 binary=$2
touch "$work/server-up"
for ratio in 1 2; do
    QT_SCALE_FACTOR=$ratio "$binary" & app=$!
    window=$(timeout 20 xdotool search --sync --name '^Orbiza$' | head -n 1)
    if [ -z "$window" ]; then kill $app; echo "no window named Orbiza appeared"; exit 1; fi
    sleep 1
    [ $ratio = 1 ] || { xdotool mousemove --window "$window" $((660 * ratio)) $((92 * ratio)) click 1; sleep 0.5; }
    xwininfo -id "$window" >"$work/info$ratio"
    import -window root "$work/screen$ratio.png"
    kill $app
    wait $app || :  # ended by the kill
done
INSIDE

QT_QPA_PLATFORM=xcb timeout 60 xvfb-run -a -s "-screen 0 1700x1300x24" sh "$work/inside.sh" "$work" "$binary"
status=$?
if [ ! -e "$work/server-up" ]; then
    echo "SKIP: no X server could be started (xvfb-run exit $status)"
    exit 77
fi
[ $status -eq 0 ] || { echo "FAIL: the viewer run ended with $status"; exit 1; }

field() { sed -n "s/^ *$1: *//p" "$work/info${2:-1}"; }
left=$(field 'Absolute upper-left X') top=$(field 'Absolute upper-left Y')
width=$(field 'Width') height=$(field 'Height')
echo "window at $left,$top size ${width}x$height"
[ "$width" = 809 ] && [ "$height" = 593 ] || { echo "FAIL: client area is not 809x593"; exit 1; }

# The rotation buttons and their labels: many colours where the controls are drawn.
colours=$(convert "$work/screen1.png" -crop "160x130+$((left + 640))+$((top + 240))" +repage -format '%k' info:)
echo "colours in the control area: $colours"
[ "$colours" -ge 4 ] || { echo "FAIL: the control area is blank"; exit 1; }
# The drawing area is black before anything is selected.
inside=$(convert "$work/screen1.png" -crop "500x450+$((left + 20))+$((top + 60))" +repage -format '%k' info:)
[ "$inside" -eq 1 ] || { echo "FAIL: the drawing area is not a plain background"; exit 1; }

# Scaled by 2: twice as wide and high, the picture drawn at 2 one pixel to a pixel.
left=$(field 'Absolute upper-left X' 2) top=$(field 'Absolute upper-left Y' 2)
[ "$(field Width 2)x$(field Height 2)" = 1618x1186 ] || { echo "FAIL: scaled by 2, not 1618x1186"; exit 1; }
QT_QPA_PLATFORM=offscreen "$render" --scale 2 --output "$work/cube.png" Cube || exit 1
differ=$(convert "$work/screen2.png" -crop "1130x1034+$((left + 20))+$((top + 84))" +repage png24:- |
    compare -metric AE - "$work/cube.png" null: 2>&1)
[ "$differ" = 0 ] || { echo "FAIL: scaled by 2, the drawing area differs from --scale 2 in $differ pixels"; exit 1; }
echo "PASS"
