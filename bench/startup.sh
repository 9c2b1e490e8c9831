#!/usr/bin/env bash
# The whole process, start-up included: `orvex 1+2` beside `expr 1 + 2` and
# beside a static C++ hello-world built on the spot (one writing through
# iostream, one through stdio), in instructions (callgrind: repeatable, so
# one run each) and in wall time (hyperfine: all four side by side in one
# run, so that they share the machine's load).
#
#   bench/startup.sh [path/to/orvex]
#
# The calculator defaults to the release preset's static build, which is made
# when it is missing. Instructions are counted twice: in the locale the
# environment sets, and with LC_ALL=C (expr reads its locale at start-up, so
# its count depends on it).
set -euo pipefail
cd "$(dirname "$0")/.."

orvex=${1:-build/release/orvex}
if [[ ! -x $orvex ]]; then
    echo "== building $orvex with the release preset"
    cmake --workflow --preset release >/dev/null
fi
command -v valgrind >/dev/null || { echo "valgrind is needed" >&2; exit 1; }
if ! command -v hyperfine >/dev/null; then
    echo "== installing hyperfine"
    sudo_cmd=()
    [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends \
        hyperfine >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/hello_iostream.cpp" <<'EOF'
#include <iostream>
int main() { std::cout << "Hello, world!\n"; }
EOF
cat >"$work/hello_stdio.cpp" <<'EOF'
#include <cstdio>
int main() { std::puts("Hello, world!"); }
EOF
${CXX:-c++} -O2 -static "$work/hello_iostream.cpp" -o "$work/hello_iostream"
${CXX:-c++} -O2 -static "$work/hello_stdio.cpp" -o "$work/hello_stdio"
expr=$(command -v expr)

commands=("$orvex 1+2" "$expr 1 + 2" "$work/hello_iostream" "$work/hello_stdio")
names=("orvex 1+2" "expr 1 + 2" "hello (iostream, static)" "hello (stdio, static)")

# Instructions of one whole run; the arguments are the command's words.
instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
        sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

echo "== instructions (callgrind)"
printf '%-26s %14s %14s\n' "" "locale as set" "LC_ALL=C"
declare -a asSet plainC
for i in "${!commands[@]}"; do
    read -ra words <<<"${commands[$i]}"
    asSet[i]=$(instructions "${words[@]}")
    plainC[i]=$(LC_ALL=C instructions "${words[@]}")
    printf '%-26s %14s %14s\n' "${names[$i]}" "${asSet[$i]}" "${plainC[$i]}"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "orvex / expr:             $(ratio "${asSet[0]}" "${asSet[1]}") (locale as set)," \
    "$(ratio "${plainC[0]}" "${plainC[1]}") (LC_ALL=C); the target is at most 0.33"

echo
echo "== wall time (hyperfine)"
json="$work/times.json"
hyperfine --shell=none --warmup 100 --runs "${RUNS:-2000}" --export-json "$json" \
    --command-name "${names[0]}" "${commands[0]}" \
    --command-name "${names[1]}" "${commands[1]}" \
    --command-name "${names[2]}" "${commands[2]}" \
    --command-name "${names[3]}" "${commands[3]}"
if command -v python3 >/dev/null; then
    python3 - "$json" <<'EOF'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
mean = {r["command"]: r["mean"] for r in results}
median = {r["command"]: r["median"] for r in results}
orvex = "orvex 1+2"
for hello in ("hello (iostream, static)", "hello (stdio, static)"):
    print(f"orvex / {hello}: mean {mean[orvex] / mean[hello]:.2f}, "
          f"median {median[orvex] / median[hello]:.2f} (target at most 1.3)")
EOF
fi
