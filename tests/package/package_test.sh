#!/usr/bin/env bash
# Builds the Debian package and checks its files, depends, desktop entry, metainfo and that its programs run.
# Usage: package_test.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail cpack; }
debs=("$work"/orbiza_"$version"_*.deb)
[ -f "${debs[0]}" ] || fail "no orbiza_${version}_<arch>.deb in: $(ls "$work")"
deb=${debs[0]} root=$work/root
dpkg-deb -x "$deb" "$root"
files=$(cd "$root" && find . -type f | sort)

for f in usr/bin/orbiza usr/bin/orbiza-render usr/share/applications/orbiza.desktop \
         usr/share/icons/hicolor/scalable/apps/orbiza.svg usr/share/icons/hicolor/32x32/apps/orbiza.xpm \
         usr/share/metainfo/io.github.orbiza.Orbiza.metainfo.xml usr/share/doc/orbiza/copyright \
         usr/share/orbiza/web/orbiza.html usr/share/orbiza/web/orbiza.js usr/share/orbiza/web/orbiza.wasm \
         usr/share/orbiza/web/gallery.html usr/share/orbiza/web/README.md; do
    grep -qx "./$f" <<<"$files" || fail "missing $f"
done
# Programs, with a manual page each, the files menus and software centres read, the web folder; nothing of the build.
bad=$(grep -vE '^\./usr/(bin/[^/]+|share/(applications|icons/hicolor|metainfo|man/man1|doc/orbiza|orbiza/web)/.+)$' <<<"$files" || true)
bad+=$(grep -iE 'test|bench|gtest|gmock|\.a$|\.h$|cmake' <<<"$files" || true)
[ -z "$bad" ] || fail "unexpected files: $bad"
zcat "$root/usr/share/man/man1/orbiza.1.gz" | grep -q '/usr/share/orbiza/web/' || fail "man orbiza names no web folder"
for program in "$root"/usr/bin/*; do
    [ -f "$root/usr/share/man/man1/$(basename "$program").1.gz" ] || fail "no manual page for $program"
done

depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6widgets6 libcairo2; do grep -q "$library" <<<"$depends" || fail "Depends: $depends"; done
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"

desktop-file-validate "$root/usr/share/applications/orbiza.desktop" || fail desktop-file-validate
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"

# Both answer without a display, naming their version and their licence as GNU programs and the copyright file do.
licence='License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.'
for program in orbiza orbiza-render; do
    said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$program" --version)
    grep -qxE "$program $version( \([[:alnum:]_-]+\))?" <<<"$said" && grep -qxF "$licence" <<<"$said" ||
        fail "$program --version: $said"
done
grep -qx 'License: GPL-3+' "$root/usr/share/doc/orbiza/copyright" || fail "copyright: no GPL-3+"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/orbiza-render" --angles 0.4,0.6,0.2 --output "$work/sphere.png" Sphere
file -b "$work/sphere.png" | grep -q 'PNG image data, 565 x 517' || fail "render: $(file -b "$work/sphere.png")"

! command -v lintian >/dev/null || lintian --fail-on error "$deb" || fail lintian
