#!/usr/bin/env bash
# Each manual page: every --help option, no man warning, only options as tags, version-only title, include headings,
# and each example command (or a pipe into orbiza-render) on one line at any width, never broken (quoted names too).
# Usage: manpages_test.sh PROGRAM PAGE INCLUDE [PROGRAM PAGE INCLUDE]...
set -euo pipefail
while [ $# -ge 3 ]; do
    program=$1 page=$2 include=$3
    shift 3
    text=$(LC_ALL=C MANWIDTH=200 man -l "$page" | col -b)
    # The option column of --help: "  -h, --help   ..." gives -h and --help.
    options=$(QT_QPA_PLATFORM=offscreen "$program" --help | sed -nE 's/^ +(-[^ ,]*)(, (-[^ ,]*))?.*/\1 \3/p')
    [ "$(wc -w <<<"$options")" -ge 2 ] || { echo "FAIL: no options in $program --help" >&2; exit 1; }
    for option in $options; do
        grep -qE -- "(^|[^-[:alnum:]])$option([^-[:alnum:]]|$)" <<<"$text" ||
            { echo "FAIL: $page lacks $option" >&2; exit 1; }
    done
    for width in 60 80 120; do
        LC_ALL=C MANWIDTH=$width man -l "$page" | col -b | sed -n '/^EXAMPLES/,/^[A-Z]/p' |
            grep -E $'^( {8,}|\t)' | grep -vE '^\s+(orbiza(-render)? |[a-z0-9]+ .* \| orbiza-render )' |
            sed "s|^|FAIL: an example broken at width $width in $page: |" | grep . >&2 && exit 1
    done
    warnings=$(LC_ALL=C MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "FAIL: man warns about $page: $warnings" >&2; exit 1; }
    # A tag: options, each with at most one argument in capitals, joined by ", ".
    option='\\fB\\-[^ ]*\\fR( [A-Z][A-Z0-9,]*)?'
    zcat "$page" | awk '/^\.(TP|HP)$/ { getline; print }' | grep -vxE "$option(, $option)*" |
        sed "s|^|FAIL: a tag in $page that is not an option: |" | grep . >&2 && exit 1
    zcat "$page" | grep -qE '^\.TH [^ ]+ "1" "[^"]*" "[a-z-]+ [0-9.]+"' ||
        { echo "FAIL: the title of $page should name the version alone" >&2; exit 1; }
    sed -nE 's/^\[[<>=]?(.*)\]$/\1/p; s/^\.SS "(.*)"$/\1/p' "$include" | while read -r heading; do
        grep -qx " *$heading" <<<"$text" || { echo "FAIL: $page lacks the heading $heading" >&2; exit 1; }
    done
done
