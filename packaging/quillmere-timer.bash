# Bash completion for quillmere-timer: its commands and options, and --json after "status".
# Plain bash: it needs nothing from the bash-completion package.

_quillmere_timer() {
    local current=${COMP_WORDS[COMP_CWORD]}
    local candidates=""
    if [ "$COMP_CWORD" -eq 1 ]; then
        candidates="restart pause resume mute unmute status watch --help --version -test"
    elif [ "$COMP_CWORD" -eq 2 ] && [ "${COMP_WORDS[1]}" = status ]; then
        candidates="--json"
    fi
    # "pause" takes a number of minutes, which can't be completed; nothing else takes arguments.
    mapfile -t COMPREPLY < <(compgen -W "$candidates" -- "$current")
}
complete -F _quillmere_timer quillmere-timer
