#!/usr/bin/env bash
# Runs r740tool's commands over the configuration files, language files and bundles of the tests
# and compares what they print, write and exit with against a saved run (of main, before a change
# that must not alter the tool's behaviour).
#
#   scripts/compare-tool-output.sh save    BUILD_DIR OUT_DIR   # record a run
#   scripts/compare-tool-output.sh compare BUILD_DIR OUT_DIR   # run again, diff against OUT_DIR
#
# BUILD_DIR holds r740tool and its bundles (resources/NAME/Res_Pb.rcc). Exits 1 on a difference.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
build=${2:-}
out=${3:-}
if [[ -z $mode || -z $build || -z $out ]] || [[ $mode != save && $mode != compare ]]; then
    sed -n '2,9p' "$0" >&2
    exit 2
fi
tool=$(realpath "$build/r740tool")
root=$(pwd)

run_all() {
    local dest=$1
    rm -rf "$dest"
    mkdir -p "$dest"
    local scratch
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' RETURN

    # Inputs: every configuration-like file of the tests, plus files without any configuration.
    local inputs=()
    while IFS= read -r f; do inputs+=("$f"); done < <(
        find tests/data fuzz/corpus/file_store -type f \( -name '*.cfg' -o -name '*.721' -o -name '*.ini' \) |
            LC_ALL=C sort)
    : >"$scratch/empty.cfg"
    head -c 3000 /dev/zero >"$scratch/zeros.cfg"
    printf 'no section here\r\njust=text\r\n' >"$scratch/nosection.cfg"
    head -c 2048 "$root/tests/data/tool/damaged.cfg" | tr 'A-Za-z[]' 'N-ZA-Mn-za-m()' >"$scratch/garbled.cfg"
    inputs+=("$scratch/empty.cfg" "$scratch/zeros.cfg" "$scratch/nosection.cfg" "$scratch/garbled.cfg"
        "$scratch/missing.cfg")

    local brands=("")
    local b
    for b in "$build"/resources/*/Res_Pb.rcc; do
        brands+=("$(basename "$(dirname "$b")")")
    done

    local n=0 brand role in name tag
    for brand in "${brands[@]}"; do
        local bopt=()
        [[ -n $brand ]] && bopt=(--brand "$brand")
        (cd "$build" && "$tool" "${bopt[@]}" resource-info) >"$dest/info.${brand:-default}.out" \
            2>"$dest/info.${brand:-default}.err" && echo 0 >>"$dest/info.${brand:-default}.rc" ||
            echo $? >>"$dest/info.${brand:-default}.rc"
        # The bundle path differs between build directories.
        sed -i "s#^bundle\t.*#bundle\t(path)#" "$dest/info.${brand:-default}.out"
        for role in brand both; do
            local ropt=()
            [[ $role != brand ]] && ropt=(--role "$role")
            for in in "${inputs[@]}"; do
                name=$(echo "${in#"$scratch"/}" | tr '/' '_')
                tag="${brand:-default}.$role.$name"
                local rc=0
                "$tool" "${bopt[@]}" "${ropt[@]}" convert "$in" "$dest/$tag.converted" \
                    >"$dest/$tag.convert.out" 2>"$dest/$tag.convert.err" || rc=$?
                echo "$rc" >"$dest/$tag.convert.rc"
                rc=0
                "$tool" "${bopt[@]}" "${ropt[@]}" records "$in" \
                    >"$dest/$tag.records.out" 2>"$dest/$tag.records.err" || rc=$?
                echo "$rc" >"$dest/$tag.records.rc"
                n=$((n + 2))
            done
            rc=0
            "$tool" "${bopt[@]}" "${ropt[@]}" diff tests/data/tool/records_rv740.cfg \
                tests/data/tool/records_rv930.cfg >"$dest/${brand:-default}.$role.diff.out" \
                2>"$dest/${brand:-default}.$role.diff.err" || rc=$?
            echo "$rc" >"$dest/${brand:-default}.$role.diff.rc"
        done
    done
    for in in tests/data/lang/*.txt resources/lang/*.txt; do
        name=$(echo "$in" | tr '/' '_')
        local rc=0
        "$tool" language-check "$in" >"$dest/lang.$name.out" 2>"$dest/lang.$name.err" || rc=$?
        echo "$rc" >"$dest/lang.$name.rc"
    done
    # Paths of the scratch inputs differ from run to run.
    grep -rl "$scratch" "$dest" | while IFS= read -r f; do sed -i "s#$scratch#SCRATCH#g" "$f"; done
    echo "$n tool runs recorded in $dest"
}

if [[ $mode == save ]]; then
    run_all "$out"
    exit 0
fi
now=$(mktemp -d)
trap 'rm -rf "$now"' EXIT
run_all "$now/run"
if diff -r "$out" "$now/run" >"$now/diff.txt"; then
    echo "tool output identical to $out"
else
    head -50 "$now/diff.txt"
    echo "tool output differs from $out ($(grep -c '^diff\|^Only' "$now/diff.txt") files)"
    exit 1
fi
