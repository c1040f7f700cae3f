#!/usr/bin/env bash
# Installs what is missing, builds, and runs the copy benchmark; arguments go to traslado-bench.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${TRASLADO_BUILD_DIR:-$here/build}"
"$here/scripts/deps.sh"
"$here/scripts/build.sh"
"$build/bench/traslado-bench" "$@"
