#!/usr/bin/env bash
# Counts the engine's instructions per parse+evaluate, per evaluation of a
# parsed tree and per fresh parser, with callgrind on orvex_count_instructions
# (built by the bench preset). Callgrind's counts do not depend on the load
# of the machine, so the figures repeat exactly.
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

# Instructions of one iteration of work on expression.
count() {
    local work=$1 expression=$2 out iterations total
    out=$(mktemp)
    iterations=$(LC_ALL=C valgrind --tool=callgrind --callgrind-out-file=/dev/null \
        --toggle-collect='*MeasuredWork*' "$counter" "$work" "$expression" 2>"$out")
    total=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$out")
    rm -f "$out"
    echo $((total / iterations))
}

printf '%-16s %12s %12s %12s\n' "instructions" "1+2*3" "medium" "1000 terms"
for work in parse-evaluate evaluate new-parser; do
    printf '%-16s %12s %12s %12s\n' "$work" "$(count "$work" small)" \
        "$(count "$work" medium)" "$(count "$work" generated)"
done
