#!/usr/bin/env bash
# A manual page against its program: it renders without a warning, and it names every option
# that the program's --help names, every command of a "Commands:" list (whose own --help is
# read too) and every fault of a "Faults:" list. A new option that the page misses fails here.
#
#   man_page_test.sh PAGE PROGRAM
set -euo pipefail
page=$1
program=$2
failed=0

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null) || {
    echo "man cannot render $page"
    failed=1
}
if [ -n "$warnings" ]; then
    echo "$page renders with warnings:"
    echo "$warnings"
    failed=1
fi

# The page's words as a reader sees them: no font changes, \- as a plain hyphen.
text=$(sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' "$page")
names_under() { # the first word of each indented line under the heading $1, in the text $2
    awk -v heading="$1" '$0 == heading { inside = 1; next }
                         inside && /^  [a-z]/ { print $1; next }
                         inside && !/^ / { inside = 0 }' <<<"$2"
}

help=$("$program" --help)
commands=$(names_under "Commands:" "$help")
for command in $commands; do
    help+=$'\n'$("$program" "$command" --help)
done
wanted=$(
    {
        grep -oE -- '(^|[^a-zA-Z0-9-])--?[a-zA-Z][a-z0-9-]*' <<<"$help" | sed -E 's/^[^-]+//'
        echo "$commands"
        names_under "Faults:" "$help"
    } | sort -u
)
for word in $wanted; do
    if ! grep -qE -- "(^|[^a-zA-Z0-9-])${word}([^a-zA-Z0-9-]|$)" <<<"$text"; then
        echo "$page does not name $word, which $(basename "$program") --help names"
        failed=1
    fi
done
[ "$failed" -eq 0 ] && echo "$page: renders cleanly and names all $(wc -w <<<"$wanted") words"
exit "$failed"
