# Sourced by ./run and ./test: installs what is missing (as root) and builds.
set -euo pipefail

ORBIZA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and running the viewer and the renderer needs: compiler,
# CMake, Ninja, Qt, the image libraries, cairo for PDF and EPS, and help2man
# for the manual pages. A library a program links goes here.
ORBIZA_BUILD_PACKAGES=(build-essential cmake ninja-build pkgconf qt6-base-dev help2man
                       libwebp-dev libgif-dev libavcodec-dev libavformat-dev libswscale-dev libavutil-dev
                       libcairo2-dev)
# The page adds Emscripten, and npm to pack the element's npm package.
ORBIZA_WEB_PACKAGES=(emscripten)
# Only the tests and the benchmarks use these: their libraries, the browser
# and its driver's runtime, the X server and image tools, the PDF and EPS
# readers, the package checks, and clang with its sanitizer and libFuzzer
# runtimes for the fuzz targets. A tool a test runs goes here.
ORBIZA_TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev libtinyobjloader-dev qt6-svg-dev
                      qt6-image-formats-plugins clang-format clang libclang-rt-14-dev
                      xvfb xauth x11-utils xdotool imagemagick poppler-utils ghostscript
                      dpkg-dev file man-db appstream desktop-file-utils lintian
                      chromium nodejs ffmpeg valgrind)
# Debian's npm is wanted only where Node came without one.
command -v npm >/dev/null 2>&1 || ORBIZA_WEB_PACKAGES+=(npm) ORBIZA_TEST_PACKAGES+=(npm)

# The packages named that are not installed.
orbiza_missing_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    echo "${missing[@]}"
}

# orbiza_install_packages PACKAGE...: installs those missing (as root), or
# prints the one apt-get line that would.
orbiza_install_packages() {
    local missing
    missing=$(orbiza_missing_packages "$@")
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Run as root:" >&2
        echo "  apt-get update && apt-get install -y $missing" >&2
        exit 1
    fi
    echo "Installing: $missing"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >/dev/null
}

# The browser tests' driver, at the version package-lock.json pins; it
# downloads no browser, the tests use Debian's Chromium.
orbiza_install_node_modules() {
    [ -d "$ORBIZA_ROOT/node_modules/playwright-core" ] && return 0
    (cd "$ORBIZA_ROOT" && npm ci --no-audit --no-fund --loglevel=error)
}

# orbiza_build DIR [cmake options...]: configure and build. Progress lines are
# left out when ORBIZA_QUIET_BUILD is set; compiler errors always show in full.
orbiza_build() {
    local dir=$1
    shift
    cmake -S "$ORBIZA_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
    if [ -n "${ORBIZA_QUIET_BUILD:-}" ]; then
        cmake --build "$dir" -- --quiet
    else
        cmake --build "$dir"
    fi
}

# Fails, naming the files, when a C++ file is not laid out as .clang-format says.
orbiza_check_format() {
    local files
    mapfile -t files < <(git -C "$ORBIZA_ROOT" ls-files '*.cpp' '*.h')
    (cd "$ORBIZA_ROOT" && clang-format --dry-run --Werror "${files[@]}")
}
