#!/usr/bin/env bash
# The whole process, start-up included, for the released program: `orvex 1+2`
# beside `expr 1 + 2`, a dynamically linked C program that does nothing, and
# a C++ floor program linked as the calculator is (shared C library, its own
# C++ runtime, position-independent) that uses strings, vectors and an
# exception handler but no iostream. Each in the C, C.UTF-8 and de_DE.UTF-8
# locales; then the error roads and help against `orvex 1+2`.
#
#   bench/startup.sh [path/to/orvex]
#
# Instructions come from callgrind (repeatable, so one run each). Wall time
# comes from interleaved runs of fresh copies of each binary (each round
# runs every command once, so all share the machine's load alike); the
# median of RUNS rounds (default 2000) is shown.
set -euo pipefail
cd "$(dirname "$0")/.."

orvex=${1:-build/release/orvex}
if [[ ! -x $orvex ]]; then
    echo "== building $orvex with the release preset"
    cmake --workflow --preset release >/dev/null
fi
command -v valgrind >/dev/null || { echo "valgrind is needed" >&2; exit 1; }
command -v python3 >/dev/null || { echo "python3 is needed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/nothing.c" <<'EOF'
int main(void) { return 0; }
EOF
cat >"$work/floor.cpp" <<'EOF'
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>
int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    std::string out = args.size() > 1 ? args[1] : std::string("?");
    try {
        if (argc > 9)
            throw std::runtime_error("too many");
    } catch (const std::exception&) {
        return 1;
    }
    out += '\n';
    return write(1, out.data(), out.size()) < 0;
}
EOF
${CC:-cc} -O2 "$work/nothing.c" -o "$work/nothing"
${CXX:-c++} -O2 -std=c++20 -fPIE -pie -static-libstdc++ -static-libgcc "$work/floor.cpp" \
    -o "$work/floor"
cp "$orvex" "$work/orvex"
cp "$(command -v expr)" "$work/expr"

# Instructions of one whole run: the first argument holds the environment's
# NAME=VALUE settings, separated by blanks; the rest are the command's words.
instructions() {
    local -a environment
    read -ra environment <<<"$1"
    shift
    { env "${environment[@]}" valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" \
        2>&1 >/dev/null || true; } | sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# The locales, by column: the C locale, C.UTF-8, de_DE.UTF-8 as the system
# has it (with Debian's locales package, in the locale archive), and the
# same locale as a folder of its own (localedef without the archive, found
# through LOCPATH), as systems that ship locales as files have it: there
# expr loads every category from its own file, the calculator only
# LC_NUMERIC.
columns=(C C.UTF-8 de_DE.UTF-8)
settings=("LC_ALL=C" "LC_ALL=C.UTF-8" "LC_ALL=de_DE.UTF-8")
mkdir -p "$work/locales"
if command -v localedef >/dev/null &&
    localedef --no-archive -i de_DE -f UTF-8 "$work/locales/de_DE.UTF-8" >/dev/null 2>&1; then
    columns+=("de_DE (folder)")
    settings+=("LOCPATH=$work/locales LC_ALL=de_DE.UTF-8")
fi
echo "== instructions (callgrind)"
printf '%-24s' ""
for c in "${columns[@]}"; do printf '%16s' "$c"; done
echo
declare -A count
for name in "orvex 1+2" "expr 1 + 2" "nothing (C)" "floor (C++)"; do
    case $name in
    "orvex 1+2") words=("$work/orvex" 1+2) ;;
    "expr 1 + 2") words=("$work/expr" 1 + 2) ;;
    "nothing (C)") words=("$work/nothing") ;;
    "floor (C++)") words=("$work/floor" 3) ;;
    esac
    printf '%-24s' "$name"
    for i in "${!columns[@]}"; do
        count[$name,$i]=$(instructions "${settings[$i]}" "${words[@]}")
        printf '%16s' "${count[$name,$i]}"
    done
    echo
done
printf '%-24s' "orvex / expr"
for i in "${!columns[@]}"; do
    printf '%16s' "$(ratio "${count[orvex 1+2,$i]}" "${count[expr 1 + 2,$i]}")"
done
echo
echo "(targets: 0.85 in C, 0.5 otherwise)"

echo
echo "== the other roads against orvex 1+2 (instructions, LC_ALL=C)"
base=${count[orvex 1+2,0]}
for road in "1/0" "abc" "1<2<3" "-h"; do
    n=$(instructions LC_ALL=C "$work/orvex" "$road")
    printf '%-24s%14s%10s\n' "orvex $road" "$n" "$(ratio "$n" "$base")"
done
echo "(targets: errors at most 1.2, help at most 1.5)"

echo
echo "== wall time (interleaved runs, median)"
LC_ALL=C python3 - "$work" "${RUNS:-2000}" <<'EOF'
import os, statistics, subprocess, sys, time
work, rounds = sys.argv[1], int(sys.argv[2])
commands = {
    "orvex 1+2": [f"{work}/orvex", "1+2"],
    "expr 1 + 2": [f"{work}/expr", "1", "+", "2"],
    "nothing (C)": [f"{work}/nothing"],
    "floor (C++)": [f"{work}/floor", "3"],
}
times = {name: [] for name in commands}
devnull = subprocess.DEVNULL
for _ in range(rounds):
    for name, argv in commands.items():
        start = time.perf_counter_ns()
        subprocess.run(argv, stdout=devnull, stderr=devnull)
        times[name].append(time.perf_counter_ns() - start)
median = {name: statistics.median(t) / 1000 for name, t in times.items()}
for name, value in median.items():
    print(f"{name:24}{value:10.0f} us")
print(f"orvex / expr: {median['orvex 1+2'] / median['expr 1 + 2']:.2f} (target at most 1.00)")
EOF
