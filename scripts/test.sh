#!/usr/bin/env bash
# Installs what the build and the tests need, builds, and runs every test: once in the default
# build, once under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev

for preset in default sanitize; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
