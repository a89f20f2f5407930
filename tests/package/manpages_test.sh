#!/usr/bin/env bash
# Renders each manual page and finds every option of its program's --help in it.
# Usage: manpages_test.sh PROGRAM PAGE [PROGRAM PAGE]...
set -euo pipefail
while [ $# -ge 2 ]; do
    program=$1 page=$2
    shift 2
    text=$(LC_ALL=C MANWIDTH=200 man -l "$page" | col -b)
    # The option column of --help: "  -h, --help   ..." gives -h and --help.
    options=$(QT_QPA_PLATFORM=offscreen "$program" --help | sed -nE 's/^ +(-[^ ,]*)(, (-[^ ,]*))?.*/\1 \3/p')
    [ "$(wc -w <<<"$options")" -ge 2 ] || { echo "FAIL: no options in $program --help" >&2; exit 1; }
    for option in $options; do
        grep -qE -- "(^|[^-[:alnum:]])$option([^-[:alnum:]]|$)" <<<"$text" ||
            { echo "FAIL: $page lacks $option" >&2; exit 1; }
    done
done
