#!/usr/bin/env bash
# man_examples_test.sh <groff> <orvex.1> <orvex>: renders the man page as a
# terminal shows it, runs every example command it shows in sh and in bash,
# and compares the output and exit status with the page.
set -u
groff=$1 page=$(realpath "$2")
PATH="$(cd "$(dirname "$3")" && pwd):$PATH"
export PATH LC_ALL=C
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
# Files that an unquoted * or ? in an example would turn into arguments.
touch -- 1 2 -h '(x)'

rendered=$("$groff" -man -Tutf8 -P-cbou -rLL=300n "$page" 2>&1) || {
    echo "groff failed: $rendered"
    exit 1
}

failures=0 examples=0 command="" expected="" status=0
# strip_blank_tail: the text without trailing empty lines.
strip_blank_tail() { sed -e :a -e '/^\n*$/{$d;N;ba' -e '}'; }

check() {
    [[ -n $command ]] || return 0
    examples=$((examples + 1))
    local shell got got_status want
    want=$(printf '%s' "$expected" | strip_blank_tail)
    for shell in sh bash; do
        got=$("$shell" -c "$command" 2>&1 | strip_blank_tail)
        got_status=$("$shell" -c "$command" >/dev/null 2>&1; echo $?)
        if [[ $got != "$want" || $got_status != "$status" ]]; then
            echo "$shell: \$ $command"
            echo "  page shows (status $status):"; printf '%s\n' "$want" | sed 's/^/    /'
            echo "  got (status $got_status):"; printf '%s\n' "$got" | sed 's/^/    /'
            failures=$((failures + 1))
        fi
    done
}

# The examples: lines "$ orvex ..." (under EXAMPLES and NOTES, indented by
# the page layout), then the output lines up to the next example or heading.
indent=""
while IFS= read -r line; do
    if [[ $line =~ ^([[:space:]]+)\$\ (orvex.*)$ ]]; then
        check
        indent=${BASH_REMATCH[1]} command=${BASH_REMATCH[2]} expected="" status=0
    elif [[ -n $command && $line =~ ^[[:space:]]*\[exit\ status\ ([0-9]+)\]$ ]]; then
        status=${BASH_REMATCH[1]}
    elif [[ -n $command && ( -z $line || $line == "$indent"* ) ]]; then
        expected+="${line#"$indent"}"$'\n'
    elif [[ -n $command ]]; then
        check
        command=""
    fi
done <<<"$rendered"
check

echo "$examples examples checked"
((examples >= 50)) || {
    echo "expected at least 50 examples on the page"
    failures=$((failures + 1))
}
exit $((failures != 0))
