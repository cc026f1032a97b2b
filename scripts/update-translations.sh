#!/usr/bin/env bash
# Brings the translation sources (translations/quillmere-timer_<language>.ts) up to date with the
# texts in src/: a new text arrives in each of them unfinished, a text gone from the code leaves.
# Translate the unfinished entries (Qt Linguist, package linguist-qt6:
# `/usr/lib/qt6/bin/linguist translations/*.ts`, or any editor) and build: the build compiles
# them into the catalogues the program loads.
# Usage: scripts/update-translations.sh [LANGUAGE...]
#   LANGUAGE (such as nl or pt_PT) starts a catalogue for a new language.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
folder=${QUILLMERE_TRANSLATIONS:-$root/translations}
lupdate=${LUPDATE:-$(qtpaths6 --query QT_HOST_BINS)/lupdate}
shopt -s nullglob
files=("$folder"/quillmere-timer_*.ts)
for language in "$@"; do
    files+=("$folder/quillmere-timer_$language.ts")
done
[ ${#files[@]} -gt 0 ] || { echo "no catalogue in $folder: name a language" >&2; exit 1; }
# The core marks its texts with translatable(context, text), read here as QT_TRANSLATE_NOOP.
# No line numbers: a catalogue changes only when a text does.
"$lupdate" -silent -no-obsolete -locations none \
    -tr-function-alias QT_TRANSLATE_NOOP+=translatable "$root/src" -ts "${files[@]}"
