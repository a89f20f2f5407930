#!/bin/sh
# No display: one line, status 1; an unknown option: status 2, display or not; Qt's own options pass.
binary=$1
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime  # keeps Qt's remark about a missing one off stderr
fail() { echo "FAIL: $*"; exit 1; }
# expect STATUS PATTERN ENV... -- ARGS...: stderr is one line matching PATTERN.
expect() {
    status=$1 pattern=$2 && shift 2
    said=$(timeout 10 env "$@" 2>&1 >/dev/null)
    got=$?
    [ "$got" = "$status" ] || fail "$* ended with $got, not $status: $said"
    [ "$(printf '%s\n' "$said" | wc -l)" = 1 ] && printf '%s' "$said" | grep -q -- "$pattern" ||
        fail "$* said: $said"
}
nodisplay="-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM"
expect 1 '^orbiza: no display could be opened; orbiza-render draws' $nodisplay "$binary"
expect 1 '^orbiza: no display' $nodisplay "$binary" -platform xcb
expect 1 '^orbiza: no display' $nodisplay QT_QPA_PLATFORM=xcb "$binary" -style Fusion
for display in QT_QPA_PLATFORM=offscreen "$nodisplay"; do
    # shellcheck disable=SC2086
    expect 2 '^orbiza: unknown option "--bogus" (--help lists the options)$' $display "$binary" -style Fusion --bogus
done
expect 2 '^orbiza: unexpected argument "picture.bmp"' $nodisplay "$binary" --platformtheme=x picture.bmp
expect 2 '^orbiza: unexpected argument "picture.bmp"' QT_QPA_PLATFORM=offscreen "$binary" -reverse picture.bmp
env $nodisplay timeout 3 "$binary" -platform offscreen -style Fusion -reverse -qwindowgeometry 800x600+0+0 \
    -session abc >/dev/null 2>&1
[ $? = 124 ] || fail "Qt's own options did not let the window run"
echo PASS
