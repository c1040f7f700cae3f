#!/usr/bin/env bash
# The real program: a broken alias configuration shows only the fatal error box
# and exits 1; an intact one opens the dialog at its frame, and closing it exits 0.
# Usage: StartupTest.sh PATH-TO-traslado
source "$(dirname "$0")/X11Session.sh"
program="$1"
start_display

printf '[Sem fim\nTYPE=SQLITE\n' >"$session_dir/broken.ini"
TRASLADO_ALIASES="$session_dir/broken.ini" "$program" 2>"$session_dir/stderr" &
pid=$!
box="$(wait_window "Application Error")" || fail "no fatal error box"
xdotool search --name "^Copia de dados de tabelas\$" >/dev/null 2>&1 && fail "the dialog was shown"
xdotool windowactivate --sync "$box" key Return
wait_exit "$pid"
[ "$exit_code" = 1 ] || fail "exit code $exit_code after a start-up failure, expected 1"
grep -Eq '^Exception dbaccess::EDBEngineError in module traslado at [0-9A-F]{8}\.$' "$session_dir/stderr" ||
    fail "unexpected first line: $(cat "$session_dir/stderr")"
grep -Fq 'Um erro ocorreu durante a inicialização do Borland Database Engine (erro $' "$session_dir/stderr" ||
    fail "unexpected message: $(cat "$session_dir/stderr")"
grep -Eq '\)\.$' "$session_dir/stderr" || fail "no full stop after the message"

printf '[Origem]\nTYPE=SQLITE\nPATH=%s/origem.db\n' "$session_dir" >"$session_dir/aliases.ini"
TRASLADO_ALIASES="$session_dir/aliases.ini" "$program" 2>/dev/null &
pid=$!
dialog="$(wait_window "Copia de dados de tabelas")" || fail "no dialog"
sleep 0.5
frame="$(outer_frame "$dialog")"
[ "$frame" = "152 133 550 214" ] || fail "outer frame is $frame, expected 152 133 550 214"
xdotool windowactivate --sync "$dialog" key alt+F4
wait_exit "$pid"
[ "$exit_code" = 0 ] || fail "exit code $exit_code after closing, expected 0"
echo "StartupTest: passed"
