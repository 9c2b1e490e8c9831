#!/usr/bin/env bash
# The whole process on three big command lines, in wall time and peak
# memory (GNU time's maximum resident set size), one run after the other:
#
#   distinct   40,000 arguments of 41 random letters, all different
#   words      100,000 short words, the numbers 0 to 99,999 in base 26
#              written with the letters a to z ("a" to "fryd")
#   sum        a sum of 60,001 terms, one argument per term and per "+"
#
#   bench/command_lines.sh [path/to/orvex] [runs] [path/to/orvex_validate_command_line]
#
# The calculator defaults to the release preset's build, which is made when
# it is missing. The calculator validates its command line only when the
# outcome is read, which it is not on these command lines; the third program
# (built by the bench preset, and run when it exists) declares the same
# options and carries out the full validation, statistics and all, so that
# their time and memory show on their own. The arguments are generated once, the same on every run (a
# fixed multiplicative congruential sequence, exact in awk's doubles), and
# passed through a raised stack limit, since together they come close to
# the kernel's default limit for the argument vector.
set -euo pipefail
cd "$(dirname "$0")/.."

orvex=${1:-build/release/orvex}
runs=${2:-3}
validate=${3:-build/bench/bench/orvex_validate_command_line}
if [[ ! -x $orvex ]]; then
    echo "== building $orvex with the release preset"
    cmake --workflow --preset release >/dev/null
fi
[[ -x /usr/bin/time ]] || { echo "GNU time (/usr/bin/time) is needed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk 'BEGIN { seed = 12345
    for (i = 0; i < 40000; ++i) {
        word = ""
        for (j = 0; j < 41; ++j) {
            seed = (seed * 16807) % 2147483647
            word = word sprintf("%c", 97 + int(seed / 8192) % 26)
        }
        print word
    } }' >"$work/distinct"
awk 'BEGIN { for (i = 0; i < 100000; ++i) {
        word = ""; n = i
        do { word = sprintf("%c", 97 + n % 26) word; n = int(n / 26) } while (n > 0)
        print word
    } }' >"$work/words"
awk 'BEGIN { print 1; for (i = 2; i <= 60001; ++i) { print "+"; print i % 1000 } }' >"$work/sum"

ulimit -s 65536
programs=("$orvex")
[[ -x $validate ]] && programs+=("$validate")
for program in "${programs[@]}"; do
    echo "== $program"
    for name in distinct words sum; do
        mapfile -t arguments <"$work/$name"
        for ((run = 1; run <= runs; ++run)); do
            /usr/bin/time -f "$name: %e s, %M KiB peak, exit %x" \
                "$program" "${arguments[@]}" >"$work/out" 2>"$work/err" || true
            tail -n 1 "$work/err"
        done
        if [[ $program == "$validate" ]]; then cat "$work/out"; fi
    done
done
