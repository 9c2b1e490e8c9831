#!/usr/bin/env bash
# bash_completion_test.sh <orvex.bash>: completes a few words the way bash
# does on Tab and compares the offers.
set -u
source "$1"

failures=0
# expect <word> <offers...>: the offers for <word> as the second word.
expect() {
    local word=$1
    shift
    COMP_WORDS=(orvex "2 + 3" "$word")
    COMP_CWORD=2
    COMPREPLY=()
    _orvex
    if [[ "${COMPREPLY[*]-}" != "$*" ]]; then
        echo "completing '$word': got '${COMPREPLY[*]-}', want '$*'"
        failures=$((failures + 1))
    fi
}

expect --hexa --hexadecimal
expect --HEXA --hexadecimal
expect /hex /hex /hexadecimal
expect --bl --block-size
expect -d -d
expect --de --debug --debug-mode --decimal-places
expect '-?' '-?'
expect '/?' '/?' '/??'
expect --use --use-zeros --use-zeroes
# Expressions and option values get nothing.
expect 2+
expect sqr
expect ''
expect --nothing-like-this

[[ $(complete -p orvex) == "complete -F _orvex orvex" ]] || {
    echo "orvex is not bound to _orvex"
    failures=$((failures + 1))
}
exit $((failures != 0))
