#!/usr/bin/env bash
# The bash completion offers the commands and options the manual page lists, and --json only
# after "status".
# Usage: completion.sh PATH-TO-COMPLETION PATH-TO-MANUAL-PAGE
set -uo pipefail
export LC_ALL=C
source "$1"
manual=$2
failures=0

# What completing the last of the given words offers, sorted, on one line.
offered() {
    COMP_WORDS=(quillmere-timer "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _quillmere_timer
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ' -
}
expect() {
    local want=$1 got
    shift
    got=$(offered "$@")
    if [ "$got" != "$want" ]; then
        echo "completing '$*': got '$got', want '$want'"
        failures=$((failures + 1))
    fi
}
# The first word of each entry (.TP, then the tag) in one section of the manual page.
listed() {
    awk -v section="$1" '
        /^\.SH / { inside = ($2 == section) }
        inside && tag { word = $2; gsub(/\\/, "", word); print word }
        { tag = inside && $1 == ".TP" }' "$manual" | sort | paste -sd ' ' -
}

complete -p quillmere-timer | grep -q -- '-F _quillmere_timer' || {
    echo "quillmere-timer has no completion function"
    failures=$((failures + 1))
}
everything=$(printf '%s\n' $(listed COMMANDS) $(listed OPTIONS) | sort | paste -sd ' ' -)
expect "$everything" ""
expect "status" st
expect "--help --version -test" -
expect "--help --version" --
expect "--json" status ""
expect "--json" status --j
for done_with in "pause" "pause 1" "restart" "status --json" "watch" "--help"; do
    expect "" $done_with ""
done
[ "$failures" -eq 0 ] && echo "completion offers what the manual page lists"
exit "$((failures > 0))"
