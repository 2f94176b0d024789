#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one (or all) for a while on their seed corpora,
# with the limits every input must keep: at most a second and 256 MB. The parsers of whole files
# then run for half as long on inputs of up to 1 MB, started from large generated files as well, so
# that a parser whose time grows faster than its input (as the file store's once did) shows up.
# Any finding (crash, leak, time-out, memory) ends the script with an error.
# Usage: scripts/fuzz.sh [target-name-without-fuzz_|all] [seconds]
# R740_FUZZ_JOBS=N runs N targets at a time (CI: 2); R740_FUZZ_BUILD_DIR the build directory;
# R740_FUZZ_TIMEOUT the seconds an input may take (1; the time is wall-clock time, so a machine
# busy with other work may need more); R740_FUZZ_LARGE_TIMEOUT the same for the large pass (5).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${R740_FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DR740_FUZZ=ON -DR740_BUILD_TESTS=OFF -DR740_SANITIZE=ON >/dev/null
cmake --build "$build" -j2 --target fuzz_all
only=${1:-all}
seconds=${2:-60}
jobs=${R740_FUZZ_JOBS:-1}
large_inputs=" file_store language_file vcard key_map "
large_max=1048576
# A smaller quarantine than ASan's default, so that the memory limit measures the parser.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=32}
limits=(-timeout="${R740_FUZZ_TIMEOUT:-1}" -rss_limit_mb=256)
# The large pass runs the whole-file parsers under the sanitizers, which make them about ten times
# slower than the program (the worst megabyte, a language file of nothing but "[" lines, takes
# 0.14 s to sign in a Release build and 1.1 s here). Five seconds here still catches a parser whose
# time grows faster than its input, without failing on the instrumentation's own cost.
large_limits=(-timeout="${R740_FUZZ_LARGE_TIMEOUT:-5}" -rss_limit_mb=256)

# Large seeds: a megabyte of the shortest section headers, of named ones, of keys, and of one
# endless line.
make_large_seeds() {
    local dir=$1
    local -
    set +o pipefail # the generators end on a broken pipe once head has its megabyte
    yes '[' | tr '\n' '\r' | head -c "$large_max" >"$dir/large_starts"
    awk 'BEGIN { for (i = 0; i < 65536; ++i) printf "[S%08X]\r\n", i }' | head -c "$large_max" >"$dir/large_headers"
    awk 'BEGIN { print "[Basic_00000000]\r"; for (i = 0; i < 90000; ++i) printf "Key%d=%d\r\n", i % 10, i }' |
        head -c "$large_max" >"$dir/large_keys"
    head -c "$large_max" /dev/zero | tr '\0' 'x' >"$dir/large_line"
}

# One target: its seed corpus (copied, so that the project's stays small), then the large pass.
# Its output goes to a log that is shown when it fails or ends.
run_target() {
    local f=$1 name corpus log status=0
    name=$(basename "$f"); name=${name#fuzz_}
    corpus=$(mktemp -d)
    log=$(mktemp)
    if [ -d "fuzz/corpus/$name" ]; then cp -r "fuzz/corpus/$name/." "$corpus/"; fi
    {
        echo "== fuzz_$name for ${seconds}s"
        "$f" -max_total_time="$seconds" -print_final_stats=1 "${limits[@]}" -artifact_prefix="$corpus/" \
            "$corpus" 2>&1 || status=$?
        if [ "$status" = 0 ] && [[ $large_inputs == *" $name "* ]]; then
            make_large_seeds "$corpus"
            echo "== fuzz_$name with inputs up to $large_max bytes for $((seconds / 2))s"
            "$f" -max_total_time="$((seconds / 2))" -max_len="$large_max" -len_control=0 "${large_limits[@]}" \
                -artifact_prefix="$corpus/" -print_final_stats=1 \
                "$corpus" 2>&1 || status=$?
        fi
    } >"$log"
    if [ "$status" != 0 ]; then
        cat "$log"
        echo "== fuzz_$name: FINDING (exit $status); the input is kept in ./fuzz-finding-$name"
        mkdir -p "fuzz-finding-$name"
        cp "$corpus"/crash-* "$corpus"/timeout-* "$corpus"/oom-* "$corpus"/leak-* "fuzz-finding-$name" 2>/dev/null || true
    else
        grep -E '^== |DONE|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb' "$log"
    fi
    rm -rf "$corpus" "$log"
    return "$status"
}

pids=()
failed=0
for f in "$build"/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f"); name=${name#fuzz_}
    if [ "$only" != all ] && [ "$only" != "$name" ]; then continue; fi
    run_target "$f" &
    pids+=($!)
    if [ "${#pids[@]}" -ge "$jobs" ]; then
        wait "${pids[0]}" || failed=1
        pids=("${pids[@]:1}")
    fi
done
for pid in "${pids[@]}"; do
    wait "$pid" || failed=1
done
exit "$failed"
