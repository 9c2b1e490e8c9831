#!/usr/bin/env bash
# bash_completion_test.sh <orvex.bash> <cases>: completes each word of the
# cases file the way bash does on Tab and compares the offers.
set -u
source "$1"

failures=0
while read -r word offers; do
    [[ -z $word || $word == '#'* ]] && continue
    [[ $word == "''" ]] && word=""
    COMP_WORDS=(orvex "2 + 3" "$word")
    COMP_CWORD=2
    COMPREPLY=()
    _orvex
    got=$(printf '%s\n' "${COMPREPLY[@]-}" | sort | xargs)
    want=$(printf '%s\n' $offers | sort | xargs)
    if [[ $got != "$want" ]]; then
        echo "completing '$word': got '$got', want '$want'"
        failures=$((failures + 1))
    fi
done <"$2"

[[ $(complete -p orvex) == "complete -F _orvex orvex" ]] || {
    echo "orvex is not bound to _orvex"
    failures=$((failures + 1))
}
exit $((failures != 0))
