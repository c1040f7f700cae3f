#!/usr/bin/env bash
# Builds the dBASE reader with clang's libFuzzer and sanitizers, then fuzzes it
# for a bounded time; fails when the fuzzer finds a crash, a leak or undefined
# behaviour. The corpus stays in the work folder, so later runs go on from it.
#
# Usage: run-dbase-fuzz.sh CLANG++ WORK_DIR SECONDS SOURCE_ROOT READER_SOURCES...
set -euo pipefail
clangxx="$1" work="$2" seconds="$3" root="$4"
shift 4
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$work/corpus" "$work/artifacts"

fuzzer="$work/dbase_reader_fuzz"
sources=("$here/DbaseReaderFuzz.cpp" "$@")
if [ ! -x "$fuzzer" ] || [ -n "$(find "${sources[@]}" "$root/dbaccess" -newer "$fuzzer" -name '*.[ch]*' | head -1)" ]; then
    "$clangxx" -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
        -I"$root" "${sources[@]}" -o "$fuzzer"
fi

seeder="$work/dbase_fuzz_seeds"
"$clangxx" -std=c++20 -O1 -I"$root" -I"$root/tests" "$here/MakeSeeds.cpp" "$root/tests/support/DbfWriter.cpp" \
    -o "$seeder"
"$seeder" "$work/seeds"

"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts/" "$work/corpus" "$work/seeds"
