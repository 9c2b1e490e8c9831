# fish_completion_test.fish <orvex.fish> <cases>: asks fish itself what it
# offers for each word of the cases file (complete -C), with the completion
# script loaded, and compares the offers.
source $argv[1]; or exit 1

set -l failures 0
for line in (string match -rv '^(#|$)' <$argv[2])
    set -l parts (string split ' ' -- $line)
    set -l word $parts[1]
    test "$word" = "''"; and set word ''
    set -l want (string join ' ' -- (printf '%s\n' $parts[2..-1] | sort))
    set -l got (string join ' ' -- (complete -C "orvex '2 + 3' $word" | sort))
    if test "$got" != "$want"
        echo "completing '$word': got '$got', want '$want'"
        set failures (math $failures + 1)
    end
end
test $failures -eq 0
