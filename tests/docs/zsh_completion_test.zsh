#!/usr/bin/env zsh
# zsh_completion_test.zsh <_orvex> <cases>: loads the completion function as
# compinit does and completes each word of the cases file, with compadd
# replaced by a recorder of what the function offers; then lets an
# interactive zsh, with the function in its fpath, list the offers for
# "orvex 2 --he" on Tab.
emulate zsh
setopt noglob
fpath=(${1:A:h} $fpath)
autoload -Uz _orvex

[[ $(sed -n 1p $1) == '#compdef orvex' ]] || {
    print "the first line does not bind _orvex to orvex"
    exit 1
}

typeset -a offered
compadd() {
    while [[ $1 == -* && $1 != -- ]]; do shift; done
    [[ $1 == -- ]] && shift
    offered+=("$@")
}

integer failures=0
while read -r word offers; do
    [[ -z $word || $word == '#'* ]] && continue
    [[ $word == "''" ]] && word=""
    offered=()
    words=(orvex '2 + 3' $word) CURRENT=3 PREFIX=$word SUFFIX=""
    _orvex
    got=${(j: :)${(o)offered}}
    want=${(j: :)${(o)${(z)offers}}}
    if [[ $got != $want ]]; then
        print -r -- "completing '$word': got '$got', want '$want'"
        failures+=1
    fi
done <$2
unfunction compadd

# The real thing: an interactive zsh on a pseudo-terminal, Tab pressed once.
zmodload zsh/zpty
setopt extendedglob
zpty shell "zsh -f -i"
zpty -w shell "PS1='> '; fpath=(${1:A:h} \$fpath); autoload -Uz compinit;" \
    "compinit -u -D; print READY"
zpty -r -m shell ignored '*READY*'
zpty -n -w shell $'orvex 2 --he\t'
# Read until the listing is complete, for at most 20 seconds on a busy machine.
screen=""
integer tries
for ((tries = 0; tries < 100; tries++)); do
    while zpty -r -t shell chunk; do screen+=$chunk; done
    [[ $screen == *--hexadecimal* ]] && break
    sleep 0.2
done
sleep 0.2
while zpty -r -t shell chunk; do screen+=$chunk; done
zpty -d shell
screen=${screen//$'\e'\[[0-9;?]#[a-zA-Z]/}
listed=${(j: :)${(ou)${(M)${=screen//[[:cntrl:]]/ }:#--he?*}}}
if [[ $listed != '--help --help2 --hex --hexadecimal' ]]; then
    print -r -- "an interactive zsh lists '$listed' for 'orvex 2 --he'"
    failures+=1
fi
exit $((failures != 0))
