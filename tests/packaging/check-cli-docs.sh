#!/bin/sh
# Every option that quorvane-cli --help lists is described in its manual page and offered by its
# bash completion, and the page renders without warnings.
# Usage: check-cli-docs.sh QUORVANE_CLI PACKAGING_DIR
set -eu
cli=$1 dir=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
warnings=$(groff -man -ww -z "$dir/quorvane-cli.1" 2>&1) || fail "groff failed: $warnings"
[ -z "$warnings" ] || fail "the manual page has warnings: $warnings"
options=$("$cli" --help | grep -o -e '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || fail "no options in the help"
for option in $options; do
  grep -qF -e "$(echo "$option" | sed 's/-/\\-/g')" "$dir/quorvane-cli.1" || fail "the manual page lacks $option"
  grep -qw -e "$option" "$dir/quorvane-cli.bash-completion" || fail "the bash completion lacks $option"
done
echo "documented: $(echo $options)"
