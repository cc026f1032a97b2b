#!/usr/bin/env bash
# Installs what the build and the tests need, builds, and runs every test: once in the default
# build, once under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzzer for a few
# seconds (QUILLMERE_FUZZ_SECONDS, 5 unless set).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh $(cat scripts/packages-build.txt scripts/packages-run.txt \
    scripts/packages-test.txt)

for preset in default sanitize; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done

cmake --preset fuzz -DQUILLMERE_FUZZ_SECONDS="${QUILLMERE_FUZZ_SECONDS:-5}"
cmake --build --preset fuzz
ctest --preset fuzz
