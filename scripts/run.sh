#!/usr/bin/env bash
# Installs what building and running need, builds the optimised program and starts it.
# Arguments go to the program: scripts/run.sh -test starts it in test mode.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh $(cat scripts/packages-build.txt scripts/packages-run.txt)

cmake --preset release
cmake --build --preset release
exec build/release/quillmere-timer "$@"
