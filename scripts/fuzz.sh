#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs one (or all) for a while on their seed corpora.
# Then the parsers of whole files run once more on inputs of up to 1 MB, started from large
# generated files as well: each input must be done within a second, so that a parser whose time
# grows faster than its input (as the file store's once did) shows up.
# Usage: scripts/fuzz.sh [target-name-without-fuzz_] [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DR740_FUZZ=ON -DR740_BUILD_TESTS=OFF -DR740_SANITIZE=ON
cmake --build "$build" -j2
seconds=${2:-60}
large_inputs=(file_store language_file)
large_max=1048576

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

for f in "$build"/fuzz/fuzz_*; do
    name=$(basename "$f"); name=${name#fuzz_}
    if [ -n "${1:-}" ] && [ "$1" != "$name" ]; then continue; fi
    corpus=$(mktemp -d)
    if [ -d "fuzz/corpus/$name" ]; then cp -r "fuzz/corpus/$name/." "$corpus/"; fi
    echo "== fuzz_$name for ${seconds}s"
    "$f" -max_total_time="$seconds" -rss_limit_mb=2048 "$corpus"
    for large in "${large_inputs[@]}"; do
        if [ "$large" != "$name" ]; then continue; fi
        make_large_seeds "$corpus"
        echo "== fuzz_$name with inputs up to $large_max bytes for ${seconds}s"
        "$f" -max_total_time="$seconds" -max_len="$large_max" -len_control=0 -timeout=1 -rss_limit_mb=2048 \
            "$corpus"
    done
    rm -rf "$corpus"
done
