#!/usr/bin/env bash
# The screen check against two small trees: every rule must fire where broken/expected.txt says,
# nothing else may (comments, literals, kit folders and non-widget classes are decoys), and the
# clean tree must pass.
set -u
check=${1:?usage: self-test.sh CHECK-SCRIPT}
here=$(cd "$(dirname "$0")" && pwd)
status=0

out=$(python3 "$check" "$here/broken" 2>/dev/null); rc=$?
if [ "$rc" -ne 1 ]; then
  echo "broken tree: exit status $rc, expected 1"; status=1
fi
got=$(printf '%s\n' "$out" | sed 's/\] .*/]/' | sort)
want=$(sort "$here/broken/expected.txt")
if [ "$got" != "$want" ]; then
  echo "broken tree: departures differ from expected.txt (< expected, > reported):"
  diff <(printf '%s\n' "$want") <(printf '%s\n' "$got"); status=1
fi
for rule in app-event-filter key-event-filter index-property error-caption sql-in-screen swallowed-failure frame-in-store ui-inherited; do
  grep -q "\[$rule\]" <<<"$got" || { echo "rule $rule never fired"; status=1; }
done

out=$(python3 "$check" "$here/clean" 2>&1); rc=$?
if [ "$rc" -ne 0 ] || [ -n "$out" ]; then
  echo "clean tree: exit status $rc, expected 0 and no output:"; printf '%s\n' "$out"; status=1
fi

python3 "$check" "$here/no-such-tree" >/dev/null 2>&1; rc=$?
[ "$rc" -eq 2 ] || { echo "missing tree: exit status $rc, expected 2"; status=1; }
exit $status
