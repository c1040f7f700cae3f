#!/usr/bin/env bash
# Installs what is missing, builds, and opens the program. A user without an
# alias configuration of their own gets a demo one: two SQLite databases, one
# with sample rows and one with the same tables empty.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${TRASLADO_BUILD_DIR:-$here/build}"

"$here/scripts/deps.sh"
"$here/scripts/build.sh"

config="${TRASLADO_ALIASES:-${XDG_CONFIG_HOME:-$HOME/.config}/traslado/aliases.ini}"
if [ ! -e "$config" ]; then
    demo="$build/demo"
    mkdir -p "$demo"
    tables="
CREATE TABLE cliente (
    codigo INTEGER PRIMARY KEY, nome VARCHAR(40) NOT NULL, nascimento DATE,
    limite NUMERIC(12,2), ativo BOOLEAN, observacao TEXT);
CREATE TABLE produto (
    codigo INTEGER PRIMARY KEY, descricao VARCHAR(60), preco DOUBLE, estoque SMALLINT,
    cadastrado DATETIME);
CREATE TABLE pedido (
    numero INTEGER PRIMARY KEY, cliente INTEGER, produto INTEGER, quantidade INTEGER,
    total DOUBLE, emitido TIMESTAMP);"
    if [ ! -e "$demo/origem.db" ]; then
        sqlite3 "$demo/origem.db" "$tables
INSERT INTO cliente VALUES
    (1, 'Ana Souza', '1985-03-14', 1500.00, 1, 'Cliente desde 2010'),
    (2, 'João Oliveira', '1990-11-02', 800.50, 1, NULL),
    (3, 'Mariana Conceição', '1978-07-29', 0, 0, 'Conta encerrada');
INSERT INTO produto VALUES
    (10, 'Caderno universitário', 12.9, 150, '2024-01-05 09:30:00'),
    (11, 'Caneta azul', 2.5, 1200, '2024-01-05 09:31:00'),
    (12, 'Mochila', 149.99, 8, '2024-02-20 14:00:00');
INSERT INTO pedido VALUES
    (100, 1, 10, 3, 38.7, '2024-03-01 10:15:00'),
    (101, 2, 12, 1, 149.99, '2024-03-02 16:40:00');"
    fi
    [ -e "$demo/destino.db" ] || sqlite3 "$demo/destino.db" "$tables"
    cat >"$demo/aliases.ini" <<INI
[Demo_Origem]
TYPE=SQLITE
PATH=$demo/origem.db

[Demo_Destino]
TYPE=SQLITE
PATH=$demo/destino.db
INI
    echo "No alias configuration at $config; using the demo one in $demo/aliases.ini"
    export TRASLADO_ALIASES="$demo/aliases.ini"
fi

exec "$build/app/traslado"
