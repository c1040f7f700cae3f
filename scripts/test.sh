#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${TRASLADO_BUILD_DIR:-$here/build}"

"$here/scripts/deps.sh"
"$here/scripts/build.sh"

cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
