#!/bin/sh
# The real viewer on a virtual X server: its client size, a drawn control column, a plain drawing area (77: skipped).
binary=$1
for tool in xvfb-run xdotool xwininfo import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/inside.sh" <<'INSIDE'
#!/bin/sh
work=$1 binary=$2
touch "$work/server-up"
"$binary" & app=$!
window=$(timeout 20 xdotool search --sync --name '^Orbiza$' | head -n 1)
if [ -z "$window" ]; then kill $app; echo "no window named Orbiza appeared"; exit 1; fi
sleep 1
xwininfo -id "$window" >"$work/info"
import -window root "$work/screen.png"
kill $app
wait $app || :  # ended by the kill
INSIDE

QT_QPA_PLATFORM=xcb timeout 60 xvfb-run -a -s "-screen 0 1700x1300x24" sh "$work/inside.sh" "$work" "$binary"
status=$?
[ -e "$work/server-up" ] || { echo "SKIP: no X server could be started (xvfb-run exit $status)"; exit 77; }
[ $status -eq 0 ] || { echo "FAIL: the viewer run ended with $status"; exit 1; }

field() { sed -n "s/^ *$1: *//p" "$work/info"; }
left=$(field 'Absolute upper-left X') top=$(field 'Absolute upper-left Y') width=$(field 'Width') height=$(field 'Height')
echo "window at $left,$top size ${width}x$height"
[ "$width" = 809 ] && [ "$height" = 593 ] || { echo "FAIL: client area is not 809x593"; exit 1; }

# The rotation buttons and their labels: many colours where the controls are drawn.
colours=$(convert "$work/screen.png" -crop "160x130+$((left + 640))+$((top + 240))" +repage -format '%k' info:)
echo "colours in the control area: $colours"
[ "$colours" -ge 4 ] || { echo "FAIL: the control area is blank"; exit 1; }
# The drawing area is black before anything is selected.
inside=$(convert "$work/screen.png" -crop "500x450+$((left + 20))+$((top + 60))" +repage -format '%k' info:)
[ "$inside" -eq 1 ] || { echo "FAIL: the drawing area is not a plain background"; exit 1; }

echo "PASS"
