#!/usr/bin/env bash
# A whole SQLite to SQLite copy through the real program, typed as a person
# would: alias, Tab, pick a table, the same on the other side, Alt+C, answer the
# message box, close the window.
# Usage: CopyTest.sh PATH-TO-traslado [SCREENSHOT.png]
source "$(dirname "$0")/X11Session.sh"
program="$1"
screenshot="${2:-}"
start_display

tables="CREATE TABLE cidade (codigo INTEGER, nome VARCHAR(30));
CREATE TABLE pessoa (id INTEGER PRIMARY KEY, nome VARCHAR(40), salario DOUBLE, nascimento DATE);"
sqlite3 "$session_dir/origem.db" "$tables
INSERT INTO pessoa VALUES (1, 'Ana', 1500.5, '1985-03-14'), (2, 'João', 2000, NULL), (3, 'Zé', 0, '2000-01-01');"
sqlite3 "$session_dir/destino.db" "$tables INSERT INTO pessoa VALUES (9, 'Antigo', 1, NULL);"
printf '[Origem]\nTYPE=SQLITE\nPATH=%s/origem.db\n[Destino]\nTYPE=SQLITE\nPATH=%s/destino.db\n' \
    "$session_dir" "$session_dir" >"$session_dir/aliases.ini"

TRASLADO_ALIASES="$session_dir/aliases.ini" "$program" 2>/dev/null &
pid=$!
dialog="$(wait_window "Copia de dados de tabelas")" || fail "no dialog"
xdotool windowactivate --sync "$dialog"
sleep 0.3
# The focus starts in the source database box. The table lists come in name
# order, so the second item is "pessoa".
xdotool type --delay 30 "Origem"
xdotool key --delay 100 Tab Down Down Tab
xdotool type --delay 30 "Destino"
xdotool key --delay 100 Tab Down Down
sleep 0.3
if [ -n "$screenshot" ]; then
    read -r x y w h <<<"$(outer_frame "$dialog")"
    xwd -root -silent | convert xwd:- -crop "${w}x${h}+${x}+${y}" +repage "$screenshot"
fi

xdotool key alt+c
box="$(wait_window "Informação")" || fail "no message box after Alt+C"
rows="$(sqlite3 "$session_dir/destino.db" "SELECT id, nome, salario, nascimento FROM pessoa ORDER BY id" | tr '\n' ';')"
xdotool windowactivate --sync "$box" key Return
sleep 0.3
xdotool windowactivate --sync "$dialog" key alt+F4
wait_exit "$pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code after closing, expected 0"
expected="1|Ana|1500.5|1985-03-14;2|João|2000.0|;3|Zé|0.0|2000-01-01;"
[ "$rows" = "$expected" ] || fail "destination holds '$rows', expected '$expected'"
echo "CopyTest: passed"
