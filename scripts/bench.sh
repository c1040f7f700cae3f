#!/usr/bin/env bash
# Installs what is missing, builds, starts a private PostgreSQL server (unless
# --pg names one) and runs the copy benchmark; arguments go to traslado-bench.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${TRASLADO_BUILD_DIR:-$here/build}"
"$here/scripts/deps.sh"
"$here/scripts/build.sh"

args=("$@")
if [[ " $* " != *" --pg "* ]]; then
    eval "$("$here/scripts/pg-server.sh" start)"
    trap '"$here/scripts/pg-server.sh" stop "$TRASLADO_PG_DIR"' EXIT
    args+=(--pg "$TRASLADO_PG_CONNINFO")
fi
"$build/bench/traslado-bench" "${args[@]}"
