# Sourced by ./run and ./test: installs what is missing (as root) and builds.
set -euo pipefail

ORBIZA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ORBIZA_PACKAGES=(build-essential cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev
                 xvfb xauth x11-utils xdotool imagemagick clang-format
                 help2man dpkg-dev file man-db appstream desktop-file-utils lintian
                 emscripten chromium nodejs
                 libwebp-dev libgif-dev qt6-svg-dev qt6-image-formats-plugins libtinyobjloader-dev pkgconf
                 libavcodec-dev libavformat-dev libswscale-dev libavutil-dev ffmpeg)
# Debian's npm is wanted only where Node came without one.
command -v npm >/dev/null 2>&1 || ORBIZA_PACKAGES+=(npm)

orbiza_missing_packages() {
    local missing=()
    for p in "${ORBIZA_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    echo "${missing[@]}"
}

orbiza_install_packages() {
    local missing
    missing=$(orbiza_missing_packages)
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
