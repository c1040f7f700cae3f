#!/usr/bin/env bash
# A private PostgreSQL server for the tests and the benchmark: its own data
# folder owned by the postgres user, a unix socket in a temporary folder, no TCP.
#
#   eval "$(scripts/pg-server.sh start)"   starts one and prints the exports
#                                          that reach it (TRASLADO_PG_*)
#   scripts/pg-server.sh stop DIR          stops the one in DIR and removes DIR
#
# Fails, showing the server's log, when the server does not start.
set -euo pipefail

bindir="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
if [ -z "$bindir" ] || [ ! -x "$bindir/initdb" ]; then
    echo "pg-server.sh: no PostgreSQL server binaries under /usr/lib/postgresql" >&2
    exit 1
fi

# The server refuses to run as root: as root, run it as postgres.
as_server() {
    if [ "$(id -u)" -eq 0 ]; then
        runuser -u postgres -- "$@"
    else
        "$@"
    fi
}

start() {
    local dir port=5432
    dir="$(mktemp -d "${TMPDIR:-/tmp}/traslado-pg.XXXXXX")"
    chmod 755 "$dir"
    mkdir "$dir/data" "$dir/socket"
    local password
    password="$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')"
    printf '%s\n' "$password" >"$dir/password"
    chmod 600 "$dir/password"
    if [ "$(id -u)" -eq 0 ]; then
        chown postgres: "$dir/data" "$dir/socket" "$dir/password"
    fi

    if ! as_server "$bindir/initdb" -D "$dir/data" -U postgres -E UTF8 --locale=C.UTF-8 \
        --auth=scram-sha-256 --pwfile="$dir/password" --no-sync >"$dir/initdb.log" 2>&1; then
        cat "$dir/initdb.log" >&2
        rm -rf "$dir"
        exit 1
    fi
    # Durability buys nothing for a server that is thrown away.
    cat >>"$dir/data/postgresql.conf" <<EOF
listen_addresses = ''
unix_socket_directories = '$dir/socket'
port = $port
fsync = off
synchronous_commit = off
full_page_writes = off
# Not UTC, so that nothing can lean on the server's own zone being UTC.
timezone = 'America/Sao_Paulo'
EOF
    if ! as_server "$bindir/pg_ctl" -D "$dir/data" -l "$dir/data/server.log" -w -t 60 start >/dev/null; then
        cat "$dir/data/server.log" >&2 || true
        as_server "$bindir/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
        rm -rf "$dir"
        exit 1
    fi

    printf 'export TRASLADO_PG_DIR=%q\n' "$dir"
    printf 'export TRASLADO_PG_HOST=%q\n' "$dir/socket"
    printf 'export TRASLADO_PG_PORT=%q\n' "$port"
    printf 'export TRASLADO_PG_USER=postgres\n'
    printf 'export TRASLADO_PG_PASSWORD=%q\n' "$password"
    printf 'export TRASLADO_PG_CONNINFO=%q\n' \
        "host=$dir/socket port=$port user=postgres password=$password dbname=postgres"
}

stop() {
    local dir="$1"
    case "$dir" in
        */traslado-pg.*) ;;
        *) echo "pg-server.sh: not a server folder: $dir" >&2; exit 1 ;;
    esac
    if [ -f "$dir/data/postmaster.pid" ]; then
        as_server "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null 2>&1 ||
            as_server "$bindir/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
    fi
    rm -rf "$dir"
}

case "${1:-}" in
    start) start ;;
    stop) [ $# -eq 2 ] || { echo "usage: $0 stop DIR" >&2; exit 2; }; stop "$2" ;;
    *) echo "usage: $0 start | stop DIR" >&2; exit 2 ;;
esac
