#!/usr/bin/env bash
# Counts the engine's instructions per operation with callgrind on
# orvex_count_instructions (built by the bench preset), for the six inputs:
# 1+2*3, the medium expression and the 1,000-term expression, each also with
# the variables x and y. With muparser built in (libmuparser-dev installed
# when the bench preset was configured), muparser's figures come in the same
# run. Callgrind's counts do not depend on the load of the machine, so the
# figures repeat exactly.
#
#   bench/engine_instructions.sh [path/to/orvex_count_instructions]
set -euo pipefail
cd "$(dirname "$0")/.."

counter=${1:-build/bench/bench/orvex_count_instructions}
if [[ ! -x $counter ]]; then
    echo "$counter not found; build it with: cmake --preset bench && cmake --build --preset bench" >&2
    exit 1
fi
command -v valgrind >/dev/null || { echo "valgrind is needed" >&2; exit 1; }

inputs=(small medium generated small-vars medium-vars generated-vars)

# Instructions of one iteration of work on expression; "-" when the counter
# cannot do the work (muparser not built in).
count() {
    local work=$1 expression=$2 out iterations total
    out=$(mktemp)
    if ! iterations=$(LC_ALL=C valgrind --tool=callgrind --callgrind-out-file=/dev/null \
        --toggle-collect='*MeasuredWork*' "$counter" "$work" "$expression" 2>"$out"); then
        rm -f "$out"
        echo "-"
        return
    fi
    total=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$out")
    rm -f "$out"
    echo $((total / iterations))
}

works=(parse-evaluate parse parse-compile evaluate tree-evaluate new-parser
       mu-set-evaluate mu-evaluate mu-evaluate-noopt)
declare -A figure
for work in "${works[@]}"; do
    for input in "${inputs[@]}"; do
        figure[$work,$input]=$(count "$work" "$input")
    done
done

printf '%-18s' "instructions"
printf ' %14s' "${inputs[@]}"
printf '\n'
for work in "${works[@]}"; do
    printf '%-18s' "$work"
    for input in "${inputs[@]}"; do
        printf ' %14s' "${figure[$work,$input]}"
    done
    printf '\n'
done

# The targets: muparser's set+evaluate over orvex's parse+evaluate, and the
# cost of compiling as a share of parsing.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "-" || b == "-" || b == 0) print "-"; else printf "%.1f", a / b }'; }
share() { awk -v a="$1" -v b="$2" -v c="$3" 'BEGIN { printf "%.0f%%", 100 * (a - b) / c }'; }
printf '%-18s' "mu/orvex parse"
for input in "${inputs[@]}"; do
    printf ' %14s' "$(ratio "${figure[mu-set-evaluate,$input]}" "${figure[parse-evaluate,$input]}")"
done
printf '\n%-18s' "compile/parse"
for input in "${inputs[@]}"; do
    printf ' %14s' "$(share "${figure[parse-compile,$input]}" "${figure[parse,$input]}" \
        "${figure[parse,$input]}")"
done
printf '\n'
