#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${TRASLADO_BUILD_DIR:-$here/build}"

"$here/scripts/deps.sh"
"$here/scripts/build.sh"

# A private PostgreSQL server for the tests that need one; it goes when the run ends.
pg_exports="$("$here/scripts/pg-server.sh" start)"
eval "$pg_exports"
trap '"$here/scripts/pg-server.sh" stop "$TRASLADO_PG_DIR"' EXIT

cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
